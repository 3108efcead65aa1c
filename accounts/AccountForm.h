#pragma once
// The account window: one account's vouchers for the working month, the working year or
// all time (handed to the voucher report list), and changing or deleting the account.

#include "domain/Periods.h"
#include "ui/Form.h"

class QAction;
class QLabel;
class QPushButton;

namespace tev {

class TFormAccount : public TForm {
    Q_OBJECT
public:
    explicit TFormAccount(QWidget* parent = nullptr);

    // Set by the caller: the account's name and balance as its tile showed them.
    QString CurrentAccount;
    QString BalanceText;

    QLabel* Label3; // the name
    QLabel* Label4; // the balance

    QAction* ActionMonth;
    QAction* ActionYear;
    QAction* ActionAll;
    QAction* ActionEdit;
    QAction* ActionDelete;
    QAction* ActionCancel;

    void ActionMonthExecute();
    void ActionYearExecute();
    void ActionAllExecute();
    void ActionEditExecute();
    void ActionDeleteExecute();

protected:
    void FormShow() override;

private:
    // Hands the account's vouchers of a period to the voucher report list.
    void RunStatement(const Period& period);
};

} // namespace tev
