#pragma once
// The sign-in window: choose an account, enter its password.

#include "domain/Access.h"
#include "ui/Form.h"

#include <QComboBox>

#include <optional>

class QLabel;
class QPushButton;
class QToolButton;

namespace tev {

// A drop-down list that asks to be refilled every time it drops down.
class RefillingComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;
signals:
    void aboutToDropDown();
};

class TFormLogin : public TForm {
    Q_OBJECT
public:
    explicit TFormLogin(QWidget* parent = nullptr);

    QLabel* Label1;
    RefillingComboBox* ComboBox1;
    QPushButton* Login;
    QPushButton* Close;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;

    void LoadAccounts();
    void ActionLoginExecute();
    void ActionManageExecute();
    void ActionOnlineChatExecute();
    void ActionInstrctionExecute();

protected:
    void FormShow() override;

private:
    // Asks for the password of the Power row of powerName behind '#' and checks it: the row
    // when it matches; nothing when the prompt was cancelled or the check failed (said).
    std::optional<PowerRow> AskPassword(const QString& caption, const QString& prompt, const QString& powerName);
};

} // namespace tev
