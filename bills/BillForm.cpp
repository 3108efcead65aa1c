#include "bills/BillForm.h"

#include "bills/BuySellForm.h"
#include "ui/Chooser.h"
#include "ui/EditorPictures.h"
#include "ui/Forms.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace tev {

TFormBill::TFormBill(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormBill"_s);
    setWindowTitle(u"新增业务单据"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    ActionSell = new QAction(DrawEditorIcon(EditorIcon::Sell, 48), u"销售开单"_s, this);
    ActionSell->setObjectName(u"ActionSell"_s);
    ActionBuy = new QAction(DrawEditorIcon(EditorIcon::Buy, 48), u"采购开单"_s, this);
    ActionBuy->setObjectName(u"ActionBuy"_s);

    SpeedButton1 = ChooserButton(this, u"SpeedButton1"_s, ActionSell);
    SpeedButton2 = ChooserButton(this, u"SpeedButton2"_s, ActionBuy);

    LayOutChooser(this, SpeedButton1, SpeedButton2);

    connect(ActionSell, &QAction::triggered, this, &TFormBill::ActionSellExecute);
    connect(ActionBuy, &QAction::triggered, this, &TFormBill::ActionBuyExecute);
}

void TFormBill::ActionSellExecute() {
    OpenBill(BillKind::Sales);
}

void TFormBill::ActionBuyExecute() {
    OpenBill(BillKind::Purchase);
}

void TFormBill::OpenBill(BillKind kind) {
    FormBuySell->OpenMode = OpenMode::New;
    FormBuySell->DocKind = kind;
    FormBuySell->CurrentBill = 1;
    FormBuySell->PresetCustomer = 0;
    FormBuySell->CustomerFixed = false;
    const int result = TheUi().ShowModal(FormBuySell);
    if (result == QDialog::Accepted) TheShell().RefreshAllViews();
    done(result);
}

} // namespace tev
