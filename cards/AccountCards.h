#pragma once
// The accounts page: a tile per money account with its balance at the end of the working
// date and the net movement of the working month; the status line holds the total balance
// of every account the user may see, whichever page is shown.

#include "cards/CardPage.h"

#include <QDate>
#include <QHash>

namespace tev {

// The accounts the user may see (the salesman's AccountFilter), oldest first.
QString AccountListStatement(const QString& accountFilter);
// Per account (MoneyAccount) the rounded sum of its vouchers over first..last as TotalMoney;
// an invalid first means everything up to last.
QString AccountSumsStatement(const QDate& first, const QDate& last);

class AccountCardPage : public CardPage {
    Q_OBJECT
public:
    // Builds the page's controls on the main window's account page (TabSheet3).
    explicit AccountCardPage(QWidget* sheet);

    static CardKind Kind();

    QPushButton* NewAccount;
    QPushButton* MoneyMonth; // 帐户报表

    void NewAccountClick();
    void OpenAccountTile(int n);

    // The total of the last refresh.
    double Total() const { return m_total; }

protected:
    bool CountRecords(int& count) override;
    bool OpenPageRows(int offset, int limit, ResultSet& rows) override;
    bool FillTile(CardTile& tile, const ResultSet& row) override;
    void OpenTile(int n, qint64 key) override;
    QString StatusText(int count, int pageNumber, int pages) override;
    void NewRecordClick() override { NewAccountClick(); }

private:
    // Filled by CountRecords: per AccountIndex the vouchers' sums up to the working date and
    // within the working month.
    QHash<qint64, double> m_balance;
    QHash<qint64, double> m_month;
    double m_total = 0;
};

} // namespace tev
