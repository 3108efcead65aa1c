#include "data/Migrate.h"

#include "data/Backup.h"
#include "data/Database.h"
#include "data/Dialect.h"

#include <QFile>

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
    };
    return steps;
}

int SchemaVersionOf(Database& db) {
    ResultSet rs;
    if (!db.Query(db.SqlDialect().ReadSchemaVersion(), {}, &rs) || rs.IsEmpty()) return 0;
    return int(rs.At(0, 0).toLongLong());
}

bool UpgradeDatabase(Database& db, QString* error, QString* keptCopy) {
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
    const bool ok = db.Transaction([&] {
        for (const MigrationStep& step : MigrationSteps()) {
            if (step.from < version) continue;
            if (!step.apply(db)) {
                LogEngineError(u"升级数据库：%1"_s.arg(step.what), db.LastError());
                return false;
            }
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
