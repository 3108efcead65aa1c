#include "cards/AccountCards.h"

#include "accounts/AccountForm.h"
#include "accounts/AccountForm2.h"
#include "app/ShareDM.h"
#include "rules/PublicFunction.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Ui.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

QString AccountListStatement(const QString& accountFilter) {
    return u"Select * From Account Where (AccountIndex > 1)"_s + accountFilter + u" Order By AccountIndex"_s;
}

QString AccountSumsStatement(const QDate& first, const QDate& last) {
    const QString period = first.isValid()
                               ? u"(MoneyCreateTime Between %1 And %2)"_s.arg(SqlDate(first), SqlDate(last))
                               : u"(MoneyCreateTime <= %1)"_s.arg(SqlDate(last));
    return u"Select MoneyAccount, ROUND(Sum(MoneySum),2) As TotalMoney From MoneyTable Where %1 "
           "Group By MoneyAccount"_s.arg(period);
}

namespace {
// Rounded as the tile shows it, so that the sign and the icon follow the figure shown.
double AsShown(double amount) {
    return RoundHalfEven(amount * 10000.0) / 10000.0;
}

bool ReadSums(const QString& sql, QHash<qint64, double>& sums) {
    Query& q = ShareDM->ADOQueryTemp2;
    if (!ShareDM->OpenSql(q, sql, u"统计帐户金额时出错"_s)) return false;
    sums.clear();
    for (q.First(); !q.Eof(); q.Next())
        sums.insert(q.AsInteger(u"MoneyAccount"_s), q.AsFloat(u"TotalMoney"_s));
    return true;
}
} // namespace

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
    // The monthly account report is not part of the program yet.
    SetAvailable(MoneyMonth, false, u"本版本尚未提供帐户月报表"_s);
}

bool AccountCardPage::CountRecords(int& count) {
    // Every balance comes from two grouped statements (the index on MoneyAccount,
    // MoneyCreateTime, MoneySum answers both) instead of two statements per account; the
    // accounts themselves are few and all of them are needed for the total.
    ResultSet all;
    if (!OpenRows(AccountListStatement(AccountFilter), u"刷新帐户时出错"_s, all)) return false;
    const QDate date = TheShell().WorkingDate();
    const QDate first(date.year(), date.month(), 1);
    if (!ReadSums(AccountSumsStatement({}, date), m_balance)) return false;
    if (!ReadSums(AccountSumsStatement(first, first.addMonths(1).addDays(-1)), m_month)) return false;
    m_total = 0;
    for (all.First(); !all.Eof(); all.Next())
        m_total += all.AsFloat(u"AccountBase"_s) + m_balance.value(all.AsInteger(u"AccountIndex"_s));
    count = all.RecordCount();
    return true;
}

bool AccountCardPage::OpenPageRows(int offset, int limit, ResultSet& rows) {
    return OpenRows(AccountListStatement(AccountFilter) + u" Limit %1 Offset %2"_s.arg(limit).arg(offset),
                    u"刷新帐户时出错"_s, rows);
}

bool AccountCardPage::FillTile(CardTile& tile, const ResultSet& row) {
    const qint64 index = row.AsInteger(u"AccountIndex"_s);
    const double balance = AsShown(row.AsFloat(u"AccountBase"_s) + m_balance.value(index));
    const double month = AsShown(m_month.value(index));
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
    return u"合计："_s + FormatAmount(AsShown(m_total)) + u" 元"_s;
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
    const QString name = FormAccount2->EditName;
    if (name.isEmpty()) {
        TheUi().Message(TheShell().Window(), u"帐户名不得为空"_s);
        return;
    }
    Query& q = ShareDM->ADOQueryTemp;
    if (!ShareDM->OpenSql(q, u"Select * From Account Where AccountName = '%1'"_s.arg(SqlText(name)),
                          u"无法打开数据库"_s))
        return;
    if (!q.IsEmpty()) {
        TheUi().Message(TheShell().Window(), u"该帐户名已经存在，请重新操作"_s);
        return;
    }
    Database& db = ShareDM->ADOConnection1;
    if (db.Insert(u"Account"_s, {{u"AccountName"_s, name},
                                 {u"AccountBase"_s, FormAccount2->EditBase},
                                 {u"AccountMan"_s, CurrentUser.isNull() ? u""_s : CurrentUser}}) < 0) {
        ShareDM->ShowFailure(TheShell().Window(), u"数据保存失败"_s);
        return;
    }
    TheUi().Message(TheShell().Window(), u"帐户　%1　新增成功"_s.arg(name));
    TheShell().RefreshAllViews();
}

} // namespace tev
