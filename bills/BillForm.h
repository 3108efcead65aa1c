#pragma once
// The bill chooser: starts a new sales or purchase bill in the bill editor.

#include "domain/Kinds.h"
#include "ui/Form.h"

class QAction;
class QToolButton;

namespace tev {

class TFormBill : public TForm {
    Q_OBJECT
public:
    explicit TFormBill(QWidget* parent = nullptr);

    void ActionSellExecute();
    void ActionBuyExecute();

    QAction* ActionSell;
    QAction* ActionBuy;
    QToolButton* SpeedButton1; // 销售开单
    QToolButton* SpeedButton2; // 采购开单

private:
    void OpenBill(BillKind kind);
};

} // namespace tev
