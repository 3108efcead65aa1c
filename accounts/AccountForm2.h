#pragma once
// The account editor: a pure input dialog for an account's name and opening amount,
// used both for a new account and for changing one. It writes nothing itself.

#include "ui/Form.h"

class QLineEdit;
class QPushButton;

namespace tev {

class TFormAccount2 : public TForm {
    Q_OBJECT
public:
    explicit TFormAccount2(QWidget* parent = nullptr);

    // On entry: empty for a new account, or the name of the account to change.
    // After OK: the name typed.
    QString EditName;
    // After OK: the opening amount typed.
    double EditBase = 0;

    QLineEdit* Edit1;          // 帐户名称
    QLineEdit* Edit2;          // 起初金额
    QPushButton* SpeedButton1; // 确定
    QPushButton* SpeedButton2; // 取消

    void ActionYesExecute();

protected:
    void FormShow() override;
};

} // namespace tev
