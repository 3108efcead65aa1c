#pragma once
// The accounts page: a tile per money account with its balance at the end of the working
// date and the net movement of the working month; the status line holds the total balance
// of every account the user may see, whichever page is shown.

#include "cards/CardPage.h"
#include "domain/Accounts.h"

namespace tev {

class AccountCardPage : public CardPage {
    Q_OBJECT
public:
    // Builds the page's controls on the main window's account page (TabSheet3).
    explicit AccountCardPage(QWidget* sheet);

    static CardKind Kind();

    QPushButton* NewAccount;
    QPushButton* MoneyMonth; // 帐户报表

    void NewAccountClick();
    // "帐户报表": the monthly account report of the accounts the user may see.
    void ActionAccountReportExecute();
    void OpenAccountTile(int n);

    // The total of the last refresh.
    double Total() const { return m_figures.total; }

protected:
    bool CountRecords(int& count) override;
    bool OpenPageRows(int offset, int limit, ResultSet& rows) override;
    bool FillTile(CardTile& tile, const ResultSet& row) override;
    void OpenTile(int n, qint64 key) override;
    QString StatusText(int count, int pageNumber, int pages) override;
    void NewRecordClick() override { NewAccountClick(); }

private:
    // Filled by CountRecords: the figures at the working date of every account the user may see.
    AccountFigures m_figures;
};

} // namespace tev
