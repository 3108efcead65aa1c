#pragma once
// The voucher chooser: starts a new income or expense voucher in the voucher editor.

#include "domain/Kinds.h"
#include "ui/Form.h"

class QAction;
class QToolButton;

namespace tev {

class TFormBill2 : public TForm {
    Q_OBJECT
public:
    explicit TFormBill2(QWidget* parent = nullptr);

    void ActionGetExecute();
    void ActionPayExecute();

    QAction* ActionGet;
    QAction* ActionPay;
    QToolButton* SpeedButton3; // 财务收入
    QToolButton* SpeedButton4; // 财务支出

private:
    void OpenVoucher(VoucherKind kind);
};

} // namespace tev
