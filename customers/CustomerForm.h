#pragma once
// The customer window: one customer's data and balance up to the working date (opening debt,
// sales, purchases, receipts), new bills and vouchers for the customer, the month's documents
// handed to the report lists, changing the customer and the customer's document folder.

#include "domain/Customers.h"
#include "domain/Kinds.h"
#include "ui/Form.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tev {

class ClickableLabel;

class TFormCustomer : public TForm {
    Q_OBJECT
public:
    explicit TFormCustomer(QWidget* parent = nullptr);

    // Set by the caller: the CustomerIndex of the customer shown.
    int CurrentCustomer = 0;

    QGroupBox* GroupBox1;
    QLineEdit* Edit1; // name
    QLineEdit* Edit2; // telephone
    QLineEdit* Edit3; // contact
    QLineEdit* Edit4; // mobile
    QFrame* Shape1;   // the frame of the folder picture
    ClickableLabel* Image1;

    QGroupBox* GroupBox2;
    QLabel* LabelFirstOwe;
    QLabel* LabelSell;
    QLabel* LabelBuy;
    QLabel* LabelGet;
    QLabel* LabelOwe;
    QLabel* Label2; // the signs between the amounts: + - - =
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label8;

    QGroupBox* GroupBox3;
    QPushButton* SellButton;
    QPushButton* BuyButton;
    QPushButton* GetButton;
    QPushButton* PayButton;

    QPushButton* Button1; // this month's sales bills
    QPushButton* Button2; // purchase bills
    QPushButton* Button3; // income vouchers
    QPushButton* Button4; // expense vouchers
    QPushButton* CustomerEdit;
    QPushButton* Cancel;

    QAction* ActionSell;
    QAction* ActionBuy;
    QAction* ActionGet;
    QAction* ActionPay;
    QAction* ActionEdit;
    QAction* ActionCancel;

    enum class Status { Loaded, Missing, Failed };
    // Reads the customer and computes the amounts. Missing: the customer's row is gone;
    // Failed: a statement failed (its message shown) and the amounts after it are not set.
    Status LoadCustomerStatus();

    void ActionSellExecute();
    void ActionBuyExecute();
    void ActionGetExecute();
    void ActionPayExecute();
    void ActionEditExecute();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Image1Click();

    // The light blue the folder's frame takes while the mouse is over it.
    static QColor HoverColour() { return QColor(0xA6, 0xCA, 0xF0); }

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NewBill(BillKind kind);
    void NewVoucher(VoucherKind kind);
    void ShowMonth(CustomerDocs kind);
    void SetFrameColour(const QColor& colour);
};

} // namespace tev
