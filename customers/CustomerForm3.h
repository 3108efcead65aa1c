#pragma once
// Customer search: the conditions that narrow the customers page until the next search.

#include "domain/Customers.h"
#include "ui/Form.h"

#include <QString>

#include <array>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tev {

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
