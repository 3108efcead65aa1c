#pragma once
// The voucher search: turns the filled fields into conditions on the finance vouchers and
// hands the statement to the voucher report list ("财务报表").

#include "reports/QueryForm.h"

class QComboBox;
class QPushButton;

namespace tev {

// A voucher search as the window's fields hold it. Option texts equal to "所有" and empty
// texts ask for nothing; the customer text is a condition whenever it is not "所有".
struct MoneyQueryInput {
    QString kind = kAllItems;
    bool period = false;
    QDate from, to;
    bool amounts = false;
    QString lower, upper; // magnitudes as typed, already checked by QueryAmountValid
    QString account = kAllItems;
    QString reason = kAllItems;
    QString type = kAllItems;
    QString token = kAllItems;
    QString customer = kAllItems;
    QString remark, serial, salesman;
};

// The select list and join of every voucher search, up to and including the join condition.
QString MoneyQuerySelect();
// The full search: "{select}{voucher filter}" and one condition per filled field, in the
// fixed order. A voucher's kind is the sign of its sum. Every text is searched literally.
QString MoneyQueryStatement(const MoneyQueryInput& input, const QString& voucherFilter);
// The vouchers created in the month of the working date.
QString MoneyMonthStatement(QDate working);
// What a search or the month list shows, in words, for the list's conditions line.
QString MoneyQueryDescription(const MoneyQueryInput& input);
QString MoneyMonthDescription(QDate working);

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
