#include "vouchers/BillForm2.h"

#include "ui/Chooser.h"
#include "ui/EditorPictures.h"
#include "ui/Forms.h"
#include "ui/Shell.h"
#include "ui/Ui.h"
#include "vouchers/GetPayForm.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace tev {

TFormBill2::TFormBill2(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormBill2"_s);
    setWindowTitle(u"新增财务单据"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    ActionGet = new QAction(DrawEditorIcon(EditorIcon::Income, 48), u"财务收入"_s, this);
    ActionGet->setObjectName(u"ActionGet"_s);
    ActionPay = new QAction(DrawEditorIcon(EditorIcon::Expense, 48), u"财务支出"_s, this);
    ActionPay->setObjectName(u"ActionPay"_s);

    SpeedButton3 = ChooserButton(this, u"SpeedButton3"_s, ActionGet);
    SpeedButton4 = ChooserButton(this, u"SpeedButton4"_s, ActionPay);

    LayOutChooser(this, SpeedButton3, SpeedButton4);

    connect(ActionGet, &QAction::triggered, this, &TFormBill2::ActionGetExecute);
    connect(ActionPay, &QAction::triggered, this, &TFormBill2::ActionPayExecute);
}

void TFormBill2::ActionGetExecute() {
    OpenVoucher(VoucherKind::Income);
}

void TFormBill2::ActionPayExecute() {
    OpenVoucher(VoucherKind::Expense);
}

void TFormBill2::OpenVoucher(VoucherKind kind) {
    FormGetPay->OpenMode = OpenMode::New;
    FormGetPay->DocKind = kind;
    FormGetPay->LinkedBill = 0;
    FormGetPay->PresetCustomer = 0;
    FormGetPay->CustomerFixed = false;
    FormGetPay->PresetCustomerName.clear();
    FormGetPay->PresetReason.clear();
    FormGetPay->PresetAmount.clear();
    FormGetPay->PresetRemark.clear();
    const int result = TheUi().ShowModal(FormGetPay);
    if (result == QDialog::Accepted) TheShell().RefreshAllViews();
    done(result);
}

} // namespace tev
