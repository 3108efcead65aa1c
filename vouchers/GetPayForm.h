#pragma once
// The voucher editor: enters, shows, changes and deletes one income or expense voucher.
// Callers set the public fields, show it modally and read the result: OK means a voucher
// was stored or deleted.

#include "domain/Kinds.h"
#include "report_engine/Report.h"
#include "ui/Form.h"
#include "ui/ReportSupport.h"

#include <QString>

#include <optional>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tev {

class TFormGetPay : public TForm {
    Q_OBJECT
public:
    explicit TFormGetPay(QWidget* parent = nullptr);

    // A new voucher, or a stored one.
    tev::OpenMode OpenMode = tev::OpenMode::New;
    // Income ("财务收入单") or expense ("财务支出单").
    VoucherKind DocKind = VoucherKind::Income;
    // MoneyIndex of the stored voucher.
    int CurrentVoucher = 0;
    // MoneyBill written when a new voucher is inserted (0 = no bill).
    int LinkedBill = 0;
    // CustomerIndex to preselect in a new voucher (0 = none).
    int PresetCustomer = 0;
    // The customer box is disabled.
    bool CustomerFixed = false;
    // Initial texts of a new voucher.
    QString PresetCustomerName;
    QString PresetReason;
    QString PresetAmount;
    QString PresetRemark;

    bool IsIncome() const;
    bool IsNew() const;

    // Handlers.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void ActionPrintExecute();
    // The report's request for a variable: "MoneyCN" is the amount in capitals.
    void frReport1GetValue(const QString& name, QVariant& value) const;

    // The stored amount in capitals, as computed by the last print.
    QString CapitalText;
    // The fields differ from the stored voucher as it was shown.
    bool HasUnsavedChanges() const;
    Report frReport1;

    QLabel* Image1;
    QAction* ActionPrint;
    QToolButton* PrintButton;
    QLineEdit* Edit4;     // voucher number
    QComboBox* ComboBox1; // account
    QDateEdit* DateTimePicker1;
    QComboBox* ComboBox5; // customer
    QLineEdit* Edit2;     // amount
    QComboBox* ComboBox2; // business kind
    QComboBox* ComboBox3; // money category
    QComboBox* ComboBox4; // proof
    QLineEdit* Edit5;     // salesperson
    QLineEdit* Edit3;     // remark
    QPushButton* BitBtn1; // OK: store
    QPushButton* BitBtn3; // delete
    QPushButton* BitBtn2; // cancel

protected:
    void FormShow() override;

private:
    void ShowNew();
    // False when the voucher could not be read: the window has closed itself.
    bool ShowStored();
    // Runs the field checks in their order; the account's key when all passed.
    std::optional<qint64> CheckFields(double& amount);
    // The checks, the password for a stored voucher and the store, with their messages;
    // true when the voucher was stored.
    bool StoreVoucher();
    // Prints the voucher as stored; false when it could not be read.
    void PrintStored();
    QStringList FieldTexts() const;

    QStringList m_shownFields;

    // The voucher of the last print: the report reads it where it lies.
    ResultSet m_printedVoucher;
    ResultSetData m_voucherData;
};

} // namespace tev
