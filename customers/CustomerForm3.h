#pragma once
// Customer search: the conditions that narrow the customers page until the next search.

#include "ui/Form.h"

#include <QDate>
#include <QString>

#include <array>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tev {

inline constexpr int kCustomerSearchFields = 9;

// What a search asks for: the nine texts as typed (an empty text asks nothing) and,
// optionally, a period in which the customer must have at least one bill.
struct CustomerSearchInput {
    std::array<QString, kCustomerSearchFields> texts;
    bool period = false;
    QDate start, end;

    bool operator==(const CustomerSearchInput&) const = default;
};

// The Customer column each text searches, in the order of Edit1 … Edit9.
const std::array<QString, kCustomerSearchFields>& CustomerSearchColumns();
// " And (InStr({column},'{text}'))" for every text that is not empty, in field order.
// A text is always searched for literally: quotes are doubled, never a broken statement.
QString CustomerTextConditions(const CustomerSearchInput& input);
// " And (BillCreateTime Between #{start}# And #{end}#)" when the period is asked for.
QString CustomerPeriodCondition(const CustomerSearchInput& input);
// The whole filter: the text conditions followed by the period condition. It belongs after
// the where-clause of "Select Distinct Customer.* From (Customer Left Join Bill on
// Customer.CustomerName = Bill.BillUser)"; the customer page uses the same conditions without
// the join (see CustomerListWhere).
QString CustomerSearchFilter(const CustomerSearchInput& input);
// What a search looks for, in words: "客户名称含“华”，联系人含“王”，2024-3-1至2024-3-31有业务";
// empty for a search that asks nothing.
QString CustomerSearchDescription(const CustomerSearchInput& input);

class TFormCustomer3 : public TForm {
    Q_OBJECT
public:
    explicit TFormCustomer3(QWidget* parent = nullptr);

    // The conditions of the last confirmed search, and the search they came from; both stay
    // in force until the next OK (empty after a search with nothing asked).
    QString SearchFilter;
    CustomerSearchInput Search;

    std::array<QLineEdit*, kCustomerSearchFields> Edits;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QLineEdit* Edit9;
    QCheckBox* CheckBox1;
    QDateEdit* DateTimePicker1;
    QDateEdit* DateTimePicker2;
    QPushButton* SpeedButton1;
    QPushButton* SpeedButton2;

    // The search as the controls hold it now.
    CustomerSearchInput Input() const;
    // Ends the search in force and empties the fields (a new sign-in, "清除搜索").
    void ClearSearch();

    void CheckBox1Click();
    void ActionYesExecute();
    void ActionCancelExecute();

protected:
    void FormShow() override;
};

} // namespace tev
