#pragma once
// The account window: one account's vouchers for the working month, the working year or
// all time (handed to the voucher report list), and changing or deleting the account.

#include "ui/Form.h"

#include <QDate>

class QAction;
class QLabel;
class QPushButton;

namespace tev {

// The voucher statement of account index over first..last; an invalid first means all time.
QString AccountStatement(qint64 accountIndex, const QDate& first = {}, const QDate& last = {});

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
    // Hands the account's vouchers over first..last to the voucher report list.
    void RunStatement(const QDate& first, const QDate& last);
};

} // namespace tev
