#pragma once
// The bill search: turns the filled fields into conditions on the business bills and hands
// the statement to the bill report list ("业务报表").

#include "reports/QueryForm.h"

class QComboBox;
class QPushButton;

namespace tev {

class TFormBillReport : public TQueryForm {
    Q_OBJECT
public:
    explicit TFormBillReport(QWidget* parent = nullptr);

    QComboBox* ComboBox2;      // business kind
    QComboBox* ComboBox3;      // business progress
    QPushButton* SpeedButton1; // "确定"
    QPushButton* SpeedButton2; // "取消"

    // The search as the controls hold it now.
    BillQueryInput Input() const;

    void ActionYesExecute();
    void ActionCancelExecute();
    void Button1Click();

protected:
    void FormShow() override;
};

} // namespace tev
