#pragma once
// The program's windows and its database set up for a bench program, and the bulk databases
// the benches share.

#include "app/Forms.h"
#include "app/ShareDM.h"
#include "bench/BenchUi.h"
#include "data/DemoData.h"
#include "data/Migrate.h"
#include "data/Schema.h"
#include "ui/Globals.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace tev::bench {

// The windows created over the bench's seam for as long as it lives; the settings in iniFile
// (a file beside the program when empty).
class BenchForms {
public:
    explicit BenchForms(Ui& ui, const QString& iniFile = {}) {
        InstallUi(&ui);
        ProgramDir = QCoreApplication::applicationDirPath() + u'/';
        DataDir = ProgramDir;
        IniFileName = iniFile.isEmpty() ? ProgramDir + QStringLiteral("bench.ini") : iniFile;
        CreateForms();
    }
    ~BenchForms() {
        DestroyForms();
        InstallUi(nullptr);
    }
    BenchForms(const BenchForms&) = delete;
    BenchForms& operator=(const BenchForms&) = delete;
};

// A bulk database at path, made under another name first when it is missing.
inline bool MakeBulkDatabase(const QString& path, int customers, int bills, int vouchers) {
    if (QFile::exists(path)) return true;
    std::printf("making %s (%d customers, %d bills, %d vouchers)…\n", qUtf8Printable(path), customers, bills, vouchers);
    QString error;
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial);
    if (!CreateEmptyDatabase(partial, &error)) return false;
    {
        Database db;
        if (!db.Open(partial) || !FillBulkData(db, customers, bills, vouchers, QDate(2026, 12, 10), &error)) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(error));
            return false;
        }
    }
    return QFile::rename(partial, path);
}

// The two bulk databases in folder, made when missing: 1,000 customers with 100,000 bills and
// 100,000 vouchers, and 10,000 customers with 1,000,000 of each. Empty when they cannot be made.
inline QStringList BulkDatabases(const QString& folder) {
    QDir().mkpath(folder);
    const QString small = folder + QStringLiteral("/lists-1k-100k.mdb");
    const QString big = folder + QStringLiteral("/lists-10k-1m.mdb");
    if (!MakeBulkDatabase(small, 1000, 100000, 100000) || !MakeBulkDatabase(big, 10000, 1000000, 1000000))
        return {};
    return {small, big};
}

// The program's connection opened on path and upgraded as at start, saying how long an
// upgrade took.
inline bool OpenProgramDatabase(const QString& path) {
    Database& db = ShareDM->ADOConnection1;
    if (!db.Open(path)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(db.LastError()));
        return false;
    }
    QString upgradeError;
    const int version = SchemaVersionOf(db);
    QElapsedTimer upgrade;
    upgrade.start();
    if (!UpgradeDatabase(db, &upgradeError)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(upgradeError));
        return false;
    }
    if (version != Database::SchemaVersion)
        std::printf("upgraded %s from version %d to %d in %lld ms (the kept copy included)\n", qUtf8Printable(path),
                    version, Database::SchemaVersion, qint64(upgrade.elapsed()));
    return true;
}

} // namespace tev::bench
