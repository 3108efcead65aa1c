#pragma once
// The bill editor: enters, shows, changes and deletes one sales or purchase bill and
// manages the vouchers linked to it. Stored bills open locked; the modification password
// unlocks them. Callers set the public fields, show it modally and read the result (OK:
// a bill was stored or deleted) and, for a stored bill, Unlocked.

#include "data/Database.h"
#include "domain/Bills.h"
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

class TDataGrid;

class TFormBuySell : public TForm {
    Q_OBJECT
public:
    explicit TFormBuySell(QWidget* parent = nullptr);

    // A new bill, or a stored one.
    tev::OpenMode OpenMode = tev::OpenMode::New;
    // Sales ("销售开单") or purchase ("采购开单").
    BillKind DocKind = BillKind::Sales;
    // BillIndex of the stored bill; 1 while a new bill is not stored yet.
    int CurrentBill = 1;
    // CustomerIndex to preselect (0 = none); set by the editor itself for a stored bill.
    int PresetCustomer = 0;
    // The customer box is disabled (the bill was started from a customer's window).
    bool CustomerFixed = false;
    // Callers of a stored bill set it false; a successful unlock sets it true.
    bool Unlocked = false;

    bool IsSales() const;
    bool IsNew() const;
    // An unlocked stored bill whose fields differ from the bill as it was shown.
    bool HasUnsavedChanges() const;

    // Handlers.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void ActionEditExecute();
    void ActionPrintExecute();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void DBGridEh1DblClick();

    // The bill's report object.
    Report frReport1;

    QLabel* Image1;
    QAction* ActionEdit;
    QAction* ActionPrint;
    QToolButton* SpeedButton4; // unlock
    QToolButton* SpeedButton1; // print
    QDateEdit* DateTimePicker1;
    QLineEdit* Edit1;     // bill number
    QComboBox* ComboBox5; // customer
    QLineEdit* Edit2;     // amount
    QComboBox* ComboBox2; // business kind
    QComboBox* ComboBox3; // progress
    QLineEdit* Edit3;     // remark
    QLineEdit* Edit4;     // salesperson
    QLabel* Label8;       // "财务单据"
    TDataGrid* DBGridEh1;
    QPushButton* Button1; // add voucher
    QPushButton* Button2; // change voucher
    QPushButton* Button3; // delete voucher
    QPushButton* BitBtn3; // delete bill
    QPushButton* BitBtn1; // OK: store
    QPushButton* BitBtn2; // cancel

    void done(int result) override;

protected:
    void FormShow() override;

private:
    void ShowNew();
    bool ShowStored();
    void ShowEditButtons(bool editable);
    // Fills the voucher list and its footers.
    void LoadLinkedVouchers();
    // Undoes a new bill that was stored ahead of its vouchers and then abandoned.
    void FormClose();
    // The amount to store (0 for an empty box), or nothing (with the message shown) when the
    // box holds no plain amount.
    std::optional<double> AmountToStore();
    // The bill as the fields hold it, with the amount to store.
    BillInput FieldInput(double amount) const;
    // The new bill's row when it was stored ahead of its first voucher.
    std::optional<qint64> StoredAhead() const;
    // The checks and the store with their messages; true when the bill was stored.
    bool StoreBill();
    void PrintStored();
    QStringList FieldTexts() const;

    QStringList m_shownFields;

    // The rows behind the voucher list, and the bill and the capitals row of the last print:
    // the report reads them where they lie.
    ResultSet m_vouchers;
    ResultSet m_printedBill;
    ResultSet m_capitals;
    ResultSetData m_gridData{&m_vouchers};
    ResultSetData m_billData{&m_printedBill};
    ResultSetData m_bigFontData{&m_capitals};
};

} // namespace tev
