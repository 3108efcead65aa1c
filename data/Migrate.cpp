#include "data/Migrate.h"

#include "data/Backup.h"
#include "data/Database.h"
#include "data/Dialect.h"

#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

bool Run(Database& db, const char* sql) {
    return db.Query(QString::fromUtf8(sql), {});
}

} // namespace

const std::vector<MigrationStep>& MigrationSteps() {
    static const std::vector<MigrationStep> steps = {
        // The option lists are read in the order they were entered: the index answers the
        // list of one type in that order without sorting.
        {1, u"选项按录入顺序的索引"_s,
         [](Database& db) {
             return Run(db,
                        "CREATE INDEX ParameterByTypeInOrder ON Parameter (ParameterType, ParameterIndex)");
         }},
        // Each account's vouchers summed per month, kept by the engine itself on every insert,
        // change and delete of a voucher, in the same transaction: a balance up to a date reads
        // the months before the date's month from here and only that month's vouchers. Amounts
        // are counted in ten-thousandths of a yuan (the vouchers' four decimals), so the
        // totals are exact whatever order the vouchers came in.
        {2, u"帐户按月合计"_s,
         [](Database& db) {
             static const char* const statements[] = {
                 "CREATE TABLE AccountMonth (MoneyAccount INTEGER NOT NULL, MonthStart TEXT NOT NULL, "
                 "Units INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (MoneyAccount, MonthStart)) WITHOUT ROWID",
                 "CREATE TRIGGER AccountMonthInsert AFTER INSERT ON MoneyTable "
                 "WHEN NEW.MoneyAccount IS NOT NULL AND NEW.MoneyCreateTime IS NOT NULL BEGIN "
                 "INSERT INTO AccountMonth (MoneyAccount, MonthStart, Units) VALUES (NEW.MoneyAccount, "
                 "substr(NEW.MoneyCreateTime, 1, 7), coalesce(CAST(round(NEW.MoneySum * 10000) AS INTEGER), 0)) "
                 "ON CONFLICT (MoneyAccount, MonthStart) DO UPDATE SET Units = Units + excluded.Units; END",
                 "CREATE TRIGGER AccountMonthDelete AFTER DELETE ON MoneyTable "
                 "WHEN OLD.MoneyAccount IS NOT NULL AND OLD.MoneyCreateTime IS NOT NULL BEGIN "
                 "UPDATE AccountMonth SET Units = Units - coalesce(CAST(round(OLD.MoneySum * 10000) AS INTEGER), 0) "
                 "WHERE MoneyAccount = OLD.MoneyAccount AND MonthStart = substr(OLD.MoneyCreateTime, 1, 7); END",
                 "CREATE TRIGGER AccountMonthUpdate AFTER UPDATE OF MoneyAccount, MoneyCreateTime, MoneySum "
                 "ON MoneyTable BEGIN "
                 "UPDATE AccountMonth SET Units = Units - coalesce(CAST(round(OLD.MoneySum * 10000) AS INTEGER), 0) "
                 "WHERE OLD.MoneyAccount IS NOT NULL AND OLD.MoneyCreateTime IS NOT NULL "
                 "AND MoneyAccount = OLD.MoneyAccount AND MonthStart = substr(OLD.MoneyCreateTime, 1, 7); "
                 "INSERT INTO AccountMonth (MoneyAccount, MonthStart, Units) SELECT NEW.MoneyAccount, "
                 "substr(NEW.MoneyCreateTime, 1, 7), coalesce(CAST(round(NEW.MoneySum * 10000) AS INTEGER), 0) "
                 "WHERE NEW.MoneyAccount IS NOT NULL AND NEW.MoneyCreateTime IS NOT NULL "
                 "ON CONFLICT (MoneyAccount, MonthStart) DO UPDATE SET Units = Units + excluded.Units; END",
                 // The vouchers of one month by account without reading their rows.
                 "CREATE INDEX MoneyByDateAccount ON MoneyTable (MoneyCreateTime, MoneyAccount, MoneySum)",
                 "INSERT INTO AccountMonth (MoneyAccount, MonthStart, Units) SELECT MoneyAccount, "
                 "substr(MoneyCreateTime, 1, 7), Sum(coalesce(CAST(round(MoneySum * 10000) AS INTEGER), 0)) "
                 "FROM MoneyTable WHERE MoneyAccount IS NOT NULL AND MoneyCreateTime IS NOT NULL "
                 "GROUP BY 1, 2",
             };
             for (const char* sql : statements)
                 if (!Run(db, sql)) return false;
             return true;
         }},
        // Each bill's received amount, the sum of its own vouchers, kept on the bill's row by
        // the engine in the same transaction as every voucher written, changed or deleted: exact
        // in ten-thousandths of a yuan, and rounded to cents for the lists,
        // which then count, sum and read the bills from the bill table alone. A bill row that
        // arrives after its vouchers starts from their sum. The vouchers' date index carries
        // the amounts too, so the footers of a voucher list are summed from the index.
        {3, u"单据已收款合计"_s,
         [](Database& db) {
             const QString units = u"coalesce(CAST(round(%1.MoneySum * 10000) AS INTEGER), 0)"_s;
             // Sets both totals from the exact total given; the cents are rounded as the engine's
             // Round rounds amounts, halves to the even cent.
             const auto set = [](const QString& total) {
                 return u"BillGetUnits = %1, BillGetCents = %1 / 100 + CASE WHEN %1 % 100 > 50 OR (%1 % 100 = 50 "
                        "AND (%1 / 100) % 2 <> 0) THEN 1 WHEN %1 % 100 < -50 OR (%1 % 100 = -50 AND (%1 / 100) "
                        "% 2 <> 0) THEN -1 ELSE 0 END"_s.arg(u"(%1)"_s.arg(total));
             };
             const QString fromVouchers =
                 u"(SELECT coalesce(Sum(%1), 0) FROM MoneyTable WHERE MoneyBill = %2)"_s.arg(units.arg(u"MoneyTable"_s));
             const QStringList statements = {
                 u"ALTER TABLE Bill ADD COLUMN BillGetUnits INTEGER NOT NULL DEFAULT 0"_s,
                 u"ALTER TABLE Bill ADD COLUMN BillGetCents INTEGER NOT NULL DEFAULT 0"_s,
                 u"CREATE TRIGGER BillGetInsert AFTER INSERT ON MoneyTable BEGIN UPDATE Bill SET %1 "
                 "WHERE BillIndex = NEW.MoneyBill; END"_s.arg(set(u"BillGetUnits + "_s + units.arg(u"NEW"_s))),
                 u"CREATE TRIGGER BillGetDelete AFTER DELETE ON MoneyTable BEGIN UPDATE Bill SET %1 "
                 "WHERE BillIndex = OLD.MoneyBill; END"_s.arg(set(u"BillGetUnits - "_s + units.arg(u"OLD"_s))),
                 u"CREATE TRIGGER BillGetUpdate AFTER UPDATE OF MoneyBill, MoneySum ON MoneyTable BEGIN "
                 "UPDATE Bill SET %1 WHERE BillIndex = OLD.MoneyBill; "
                 "UPDATE Bill SET %2 WHERE BillIndex = NEW.MoneyBill; END"_s.arg(
                     set(u"BillGetUnits - "_s + units.arg(u"OLD"_s)), set(u"BillGetUnits + "_s + units.arg(u"NEW"_s))),
                 u"CREATE TRIGGER BillGetArrives AFTER INSERT ON Bill BEGIN UPDATE Bill SET %1 "
                 "WHERE BillIndex = NEW.BillIndex; END"_s.arg(set(fromVouchers.arg(u"NEW.BillIndex"_s))),
                 u"CREATE TRIGGER BillGetRenumbered AFTER UPDATE OF BillIndex ON Bill BEGIN UPDATE Bill SET %1 "
                 "WHERE BillIndex = NEW.BillIndex; END"_s.arg(set(fromVouchers.arg(u"NEW.BillIndex"_s))),
                 u"UPDATE Bill SET BillGetUnits = %1"_s.arg(fromVouchers.arg(u"Bill.BillIndex"_s)),
                 u"UPDATE Bill SET %1"_s.arg(set(u"BillGetUnits"_s)),
                 // The footers of a bill list of every bill, summed from the index alone.
                 u"CREATE INDEX BillByIndexSums ON Bill (BillIndex, BillSum, BillGetCents)"_s,
                 u"DROP INDEX MoneyByDateAccount"_s,
                 u"CREATE INDEX MoneyByDateSums ON MoneyTable (MoneyCreateTime, MoneyAccount, MoneySum, MoneyIn, "
                 "MoneyOut)"_s,
             };
             for (const QString& sql : statements)
                 if (!db.Query(sql, {})) return false;
             return true;
         }},
    };
    return steps;
}

int SchemaVersionOf(Database& db) {
    ResultSet rs;
    if (!db.Query(db.SqlDialect().ReadSchemaVersion(), {}, &rs) || rs.IsEmpty()) return 0;
    return int(rs.At(0, 0).toLongLong());
}

bool UpgradeDatabase(Database& db, QString* error, QString* keptCopy, const std::function<void(int)>& progress) {
    const auto tell = [&progress](int percent) {
        if (progress) progress(percent);
    };
    const int version = SchemaVersionOf(db);
    if (version == Database::SchemaVersion) return true;
    if (version > Database::SchemaVersion || version < 1) {
        if (error) *error = u"数据库版本 %1 无法由本程序升级"_s.arg(version);
        return false;
    }
    // The file as it was stays beside it, checked, whatever happens next.
    const QString copy = db.Path() + u".v%1.bak"_s.arg(version);
    CopyFailure failure;
    if (!BackupDatabase(db, copy, &failure)) {
        if (error) *error = u"升级数据库前无法保留原文件的副本：%1"_s.arg(failure.reason);
        return false;
    }
    if (keptCopy) *keptCopy = copy;
    // The copy takes about as long as the steps together.
    tell(40);
    const int steps = int(MigrationSteps().size()) - (version - 1);
    int done = 0;
    const bool ok = db.Transaction([&] {
        for (const MigrationStep& step : MigrationSteps()) {
            if (step.from < version) continue;
            if (!step.apply(db)) {
                LogEngineError(u"升级数据库：%1"_s.arg(step.what), db.LastError());
                return false;
            }
            tell(40 + 55 * ++done / std::max(1, steps));
        }
        return db.Query(db.SqlDialect().WriteSchemaVersion(Database::SchemaVersion), {});
    });
    if (!ok) {
        LogEngineError(u"升级数据库"_s, db.LastError());
        const QString reason = ReasonText(db.LastErrorKind());
        if (error)
            *error = u"数据库升级失败，原文件未改动（副本：%1）"_s.arg(copy) +
                     (reason.isEmpty() ? QString() : u"\n"_s + reason);
        return false;
    }
    return true;
}

} // namespace tev
