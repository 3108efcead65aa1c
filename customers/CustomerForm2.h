#pragma once
// The customer editor: adds a customer, changes a stored one (carrying a new name into
// its bills and vouchers) or deletes it.

#include "domain/Customers.h"
#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tev {

class TFormCustomer2 : public TForm {
    Q_OBJECT
public:
    explicit TFormCustomer2(QWidget* parent = nullptr);

    // 0: a new customer; 1: change (or delete) the customer EditIndex.
    int EditMode = 0;
    qint64 EditIndex = 0;

    QLineEdit* CustomerName;
    QLineEdit* CustomerOwe;
    QLineEdit* CustomerPhone;
    QLineEdit* CustomerContact;
    QLineEdit* CustomerFax;
    QLineEdit* CustomerAddress;
    QLineEdit* CustomerWebsite;
    QLineEdit* CustomerRemark;
    QLineEdit* CustomerEMail;
    QLineEdit* CustomerHandPhone;
    QPushButton* BitBtn1; // 确定
    QPushButton* BitBtn2; // 取消
    QPushButton* BitBtn3; // 删除 (edit mode only)

    void BitBtn1Click();
    void BitBtn3Click();

protected:
    void FormShow() override;

private:
    // The entries as typed.
    CustomerInput Input() const;
};

} // namespace tev
