#pragma once
// The user window: the salesmen's sign-in names, passwords, pictures and ranges of rights,
// with the hand-over of a renamed salesman's records to the new name.

#include "ui/Form.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tev {

class ClickableLabel;
class TDataGrid;

class TFormUser : public TForm {
    Q_OBJECT
public:
    explicit TFormUser(QWidget* parent = nullptr);

    // The salesman rows, in the order of PowerIndex.
    TDataGrid* DBGridEh1;
    QLineEdit* Edit1; // name
    QLineEdit* Edit2; // password, in clear
    QLineEdit* Edit3; // picture path, read-only: chosen by clicking the picture
    QFrame* Shape1;   // the picture's frame, light blue while the mouse is over it
    ClickableLabel* Image1;
    QCheckBox* CheckBox1; // 业务管理
    QCheckBox* CheckBox2; // 财务管理
    QPushButton* Button1; // 确　定
    QPushButton* Button2; // 取　消

    // The current row into the fields (the list opened, or another row became current).
    void ShowCurrentRow();
    void Image1Click();
    void Button1Click();

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the list again and makes the row of index current (the first row when it is gone).
    void OpenList(qint64 index);
    void ShowPicture(const QString& path);
    void SetFrameLit(bool lit);

    bool m_listOpen = false;
};

} // namespace tev
