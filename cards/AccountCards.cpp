#include "cards/AccountCards.h"

#include "accounts/AccountForm.h"
#include "accounts/AccountForm2.h"
#include "reports/MonthReportPrint.h"
#include "rules/PublicFunction.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

CardKind AccountCardPage::Kind() {
    CardKind k;
    k.keyColumn = u"AccountIndex"_s;
    k.panel = u"AccountPanel"_s;
    k.image = u"AccountImage"_s;
    k.captions = {u"名称："_s, u"金额："_s, u"当月："_s};
    k.values = {u"AccountName"_s, u"AccountMoney"_s, u"AccountMonth"_s};
    k.prior = u"AccountPrior"_s;
    k.next = u"AccountNext"_s;
    k.status = u"AccountSum"_s;
    k.emptyImage = u"Image12"_s;
    k.newButton = u"NewAccount"_s;
    k.newCaption = u"新增帐户"_s;
    k.colourWord = u"Yellow"_s;
    k.threshold1 = 30000;
    k.threshold2 = 100000;
    return k;
}

AccountCardPage::AccountCardPage(QWidget* sheet) : CardPage(sheet, Kind()) {
    NewAccount = NewRecord;
    Status->setText(u"总金额：0 元"_s);
    MoneyMonth = new QPushButton(u"帐户报表"_s, Sheet);
    MoneyMonth->setObjectName(u"MoneyMonth"_s);
    MoneyMonth->setGeometry(NewAccount->x() + 102, 477, 96, 26);
    MoneyMonth->setToolTip(u"打印各帐户本月的期初余额、收入、支出和期末余额"_s);
    connect(MoneyMonth, &QPushButton::clicked, this, &AccountCardPage::ActionAccountReportExecute);
}

void AccountCardPage::ActionAccountReportExecute() {
    PrintAccountMonthReport(AccountFilter, AccountFilter.isEmpty() ? QString() : CurrentUser);
}

bool AccountCardPage::CountRecords(int& count) {
    Result<AccountFigures> figures = AccountBalances(Db(), AccountFilter, TheShell().WorkingDate());
    if (!figures) {
        ShowOutcome(TheShell().Window(), figures);
        return false;
    }
    m_figures = std::move(figures.value);
    count = m_figures.count;
    return true;
}

bool AccountCardPage::OpenPageRows(int offset, int limit, ResultSet& rows) {
    Result<ResultSet> page = AccountPageRows(Db(), AccountFilter, offset, limit);
    if (!page) {
        ShowOutcome(TheShell().Window(), page);
        return false;
    }
    rows = std::move(page.value);
    return true;
}

bool AccountCardPage::FillTile(CardTile& tile, const ResultSet& row) {
    const qint64 index = row.AsInteger(u"AccountIndex"_s);
    // Rounded as the tile shows it, so that the sign and the icon follow the figure shown.
    const double balance = ShownAmount(m_figures.balance.value(index));
    const double month = ShownAmount(m_figures.month.value(index));
    const QString name = row.AsString(u"AccountName"_s);
    tile.Values[0]->setText(name);
    tile.Values[1]->setText(FormatAmount(balance) + u" 元"_s);
    tile.Values[2]->setText(FormatAmount(month) + u" 元"_s);
    SetTileIcon(tile, balance);
    tile.SetTextColour(balance >= 0 ? TileBlue : TileRed);
    tile.setToolTip(name);
    return true;
}

QString AccountCardPage::StatusText(int, int, int) {
    return u"合计："_s + FormatAmount(ShownAmount(m_figures.total)) + u" 元"_s;
}

void AccountCardPage::OpenAccountTile(int n) {
    OpenTile(n, Tile(n)->Tag);
}

void AccountCardPage::OpenTile(int n, qint64) {
    FormAccount->CurrentAccount = Tile(n)->Values[0]->text();
    FormAccount->BalanceText = Tile(n)->Values[1]->text();
    TheUi().ShowModal(FormAccount);
}

void AccountCardPage::NewAccountClick() {
    FormAccount2->EditName.clear();
    if (TheUi().ShowModal(FormAccount2) != QDialog::Accepted) return;
    const AccountInput in{FormAccount2->EditName, FormAccount2->EditBase};
    const Outcome stored = StoreNewAccount(Db(), in, CurrentUser);
    if (!stored) {
        ShowOutcome(TheShell().Window(), stored);
        return;
    }
    TheUi().Message(TheShell().Window(), u"帐户　%1　新增成功"_s.arg(in.name));
    TheShell().RefreshAllViews();
}

} // namespace tev
