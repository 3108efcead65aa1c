#pragma once
// The bill search: turns the filled fields into conditions on the business bills and hands
// the statement to the bill report list ("业务报表").

#include "reports/QueryForm.h"

class QComboBox;
class QPushButton;

namespace tev {

// A bill search as the window's fields hold it. Option texts equal to "所有" and empty
// texts ask for nothing; the customer text is a condition whenever it is not "所有".
struct BillQueryInput {
    QString kind = kAllItems;
    bool period = false;
    QDate from, to;
    bool amounts = false;
    QString lower, upper; // magnitudes as typed, already checked by QueryAmountValid
    QString reason = kAllItems;
    QString state = kAllItems;
    QString customer = kAllItems;
    QString remark, serial, salesman;
};

// The select list and join of every bill search, up to "Where".
QString BillQuerySelect();
// The full search: "{select} Where (BillIndex > 1){bill filter}" and one condition per
// filled field, in the fixed order. Every text is searched literally.
QString BillQueryStatement(const BillQueryInput& input, const QString& billFilter);
// The bills created in the month of the working date.
QString BillMonthStatement(QDate working);
// What a search or the month list shows, in words, for the list's conditions line.
QString BillQueryDescription(const BillQueryInput& input);
QString BillMonthDescription(QDate working);

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
