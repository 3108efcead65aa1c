#pragma once
// The voucher search: turns the filled fields into conditions on the finance vouchers and
// hands the statement to the voucher report list ("财务报表").

#include "reports/QueryForm.h"

class QComboBox;
class QPushButton;

namespace tev {

class TFormMoneyReport : public TQueryForm {
    Q_OBJECT
public:
    explicit TFormMoneyReport(QWidget* parent = nullptr);

    QComboBox* ComboBox1; // account
    QComboBox* ComboBox2; // item (business kind)
    QComboBox* ComboBox3; // payment category
    QComboBox* ComboBox4; // payment voucher
    QPushButton* BitBtn1; // run the search
    QPushButton* BitBtn2; // close

    // The search as the controls hold it now.
    MoneyQueryInput Input() const;

    void BitBtn1Click();
    void BitBtn2Click();
    void Button1Click();

protected:
    void FormShow() override;
};

} // namespace tev
