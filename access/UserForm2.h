#pragma once
// The picture chooser of the user window: the 39 pictures of Faces/, each beside its radio
// button, all in one group.

#include "ui/Form.h"

#include <QString>

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tev {

class TFormUser2 : public TForm {
    Q_OBJECT
public:
    static constexpr int PictureCount = 39;

    explicit TFormUser2(QWidget* parent = nullptr);

    // In: the current path; out (after OK): "Faces/{n}.bmp" of the checked button, or the
    // path as it came in when no button is checked.
    QString PicturePath;

    // RadioButton1 … RadioButton39 ("头像1" … "头像39") and Image1 … Image39 beside them.
    std::array<QRadioButton*, PictureCount> RadioButtons{};
    std::array<QLabel*, PictureCount> Images{};
    QButtonGroup* Group;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void BitBtn1Click();
    // The path of picture n (1 … 39), relative to the program's folder.
    static QString PictureOf(int n);

protected:
    void FormShow() override;

private:
    bool m_picturesLoaded = false;
};

} // namespace tev
