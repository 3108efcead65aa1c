#include "data/Schema.h"

#include "data/Database.h"
#include "data/Dialect.h"
#include "data/Migrate.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// Names are compared case-insensitively (NOCASE), as the system expects of its
// duplicate checks; dates are ISO text so that =, <= and Between compare correctly.
const char* const kTables[] = {
    R"(CREATE TABLE Customer (
        CustomerIndex INTEGER PRIMARY KEY AUTOINCREMENT,
        CustomerName TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        CustomerContact TEXT NOT NULL DEFAULT '',
        CustomerPhone TEXT NOT NULL DEFAULT '',
        CustomerHandPhone TEXT NOT NULL DEFAULT '',
        CustomerFax TEXT NOT NULL DEFAULT '',
        CustomerEMail TEXT NOT NULL DEFAULT '',
        CustomerWebsite TEXT NOT NULL DEFAULT '',
        CustomerAddress TEXT NOT NULL DEFAULT '',
        CustomerRemark TEXT NOT NULL DEFAULT '',
        CustomerOwe REAL NOT NULL DEFAULT 0,
        CustomerMan TEXT COLLATE NOCASE NOT NULL DEFAULT ''))",
    R"(CREATE TABLE Bill (
        BillIndex INTEGER PRIMARY KEY AUTOINCREMENT,
        BillKind TEXT NOT NULL DEFAULT '',
        BillSerial TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        BillUser TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        BillSum REAL NOT NULL DEFAULT 0,
        BillCreateTime TEXT NOT NULL DEFAULT '',
        BillRecordTime TEXT NOT NULL DEFAULT '',
        BillReason TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        BillState TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        BillRemark TEXT NOT NULL DEFAULT '',
        BillMan TEXT COLLATE NOCASE NOT NULL DEFAULT ''))",
    R"(CREATE TABLE MoneyTable (
        MoneyIndex INTEGER PRIMARY KEY AUTOINCREMENT,
        MoneyAccount INTEGER NOT NULL DEFAULT 0,
        MoneyBill INTEGER NOT NULL DEFAULT 0,
        MoneyCreateTime TEXT NOT NULL DEFAULT '',
        MoneyRecordTime TEXT NOT NULL DEFAULT '',
        MoneyUser TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        MoneyReason TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        MoneyIn REAL NOT NULL DEFAULT 0,
        MoneyOut REAL NOT NULL DEFAULT 0,
        MoneySum REAL NOT NULL DEFAULT 0,
        MoneyType TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        MoneyToken TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        MoneyRemark TEXT NOT NULL DEFAULT '',
        MoneySerial TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        MoneyMan TEXT COLLATE NOCASE NOT NULL DEFAULT ''))",
    R"(CREATE TABLE Account (
        AccountIndex INTEGER PRIMARY KEY AUTOINCREMENT,
        AccountName TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        AccountBase REAL NOT NULL DEFAULT 0,
        AccountMan TEXT COLLATE NOCASE NOT NULL DEFAULT ''))",
    R"(CREATE TABLE Power (
        PowerIndex INTEGER PRIMARY KEY AUTOINCREMENT,
        PowerName TEXT COLLATE NOCASE NOT NULL DEFAULT '',
        PowerKey TEXT NOT NULL DEFAULT '',
        PowerRole TEXT NOT NULL DEFAULT '',
        PowerRange TEXT NOT NULL DEFAULT '',
        PowerPicture TEXT NOT NULL DEFAULT ''))",
    R"(CREATE TABLE Parameter (
        ParameterIndex INTEGER PRIMARY KEY AUTOINCREMENT,
        ParameterType INTEGER NOT NULL DEFAULT 0,
        ParameterValue TEXT COLLATE NOCASE NOT NULL DEFAULT ''))",
    R"(CREATE TABLE Setting (
        SettingIndex INTEGER PRIMARY KEY,
        SettingValue TEXT NOT NULL DEFAULT ''))",
    R"(CREATE TABLE PrintReport (
        ReportIndex INTEGER PRIMARY KEY AUTOINCREMENT,
        ReportEnable INTEGER NOT NULL DEFAULT 0,
        ReportGrid1 TEXT NOT NULL DEFAULT '', ReportGrid2 TEXT NOT NULL DEFAULT '',
        ReportGrid3 TEXT NOT NULL DEFAULT '', ReportGrid4 TEXT NOT NULL DEFAULT '',
        ReportGrid5 TEXT NOT NULL DEFAULT '', ReportGrid6 TEXT NOT NULL DEFAULT '',
        ReportGrid7 TEXT NOT NULL DEFAULT '', ReportGrid8 TEXT NOT NULL DEFAULT '',
        ReportGrid9 TEXT NOT NULL DEFAULT ''))",
    R"(CREATE TABLE PrintList (
        ListIndex INTEGER PRIMARY KEY,
        ListValue TEXT NOT NULL DEFAULT ''))",
    R"(CREATE TABLE PrintBigFont (
        BigFontIndex INTEGER PRIMARY KEY AUTOINCREMENT,
        BigFontValue TEXT NOT NULL DEFAULT ''))",
};

// Covering indexes (lookup column, then date, then amount) let every per-tile sum be
// answered from the index alone; the plain date indexes serve the day and month lists.
const char* const kIndexes[] = {
    "CREATE UNIQUE INDEX CustomerByName ON Customer (CustomerName)",
    "CREATE INDEX CustomerByMan ON Customer (CustomerMan)",
    "CREATE INDEX BillByUser ON Bill (BillUser, BillCreateTime, BillKind, BillSum)",
    "CREATE INDEX BillByDate ON Bill (BillCreateTime)",
    "CREATE INDEX BillByMan ON Bill (BillMan)",
    "CREATE INDEX MoneyByUser ON MoneyTable (MoneyUser, MoneyCreateTime, MoneySum)",
    "CREATE INDEX MoneyByBill ON MoneyTable (MoneyBill, MoneySum)",
    "CREATE INDEX MoneyByAccount ON MoneyTable (MoneyAccount, MoneyCreateTime, MoneySum)",
    "CREATE INDEX MoneyByDate ON MoneyTable (MoneyCreateTime)",
    "CREATE INDEX MoneyByMan ON MoneyTable (MoneyMan)",
    "CREATE UNIQUE INDEX AccountByName ON Account (AccountName)",
    "CREATE INDEX PowerByName ON Power (PowerName)",
    "CREATE INDEX ParameterByType ON Parameter (ParameterType, ParameterValue)",
    "CREATE INDEX PrintReportByEnable ON PrintReport (ReportEnable)",
};

} // namespace

QStringList RequiredTables() {
    return {u"Customer"_s,  u"Bill"_s,    u"MoneyTable"_s,  u"Account"_s,   u"Power"_s,
            u"Parameter"_s, u"Setting"_s, u"PrintReport"_s, u"PrintList"_s, u"PrintBigFont"_s};
}

QStringList MissingTables(Database& db) {
    ResultSet rs;
    if (!db.Query(db.SqlDialect().TableListStatement(), {}, &rs)) return RequiredTables();
    QStringList present;
    for (rs.First(); !rs.Eof(); rs.Next())
        present << rs.AsString(u"name"_s).toLower();
    QStringList missing;
    for (const QString& t : RequiredTables())
        if (!present.contains(t.toLower())) missing << t;
    return missing;
}

bool CreateSchema(Database& db) {
    // The first schema, then every step since: a new file and an upgraded one are alike.
    return db.Transaction([&] {
        for (const char* sql : kTables)
            if (!db.Query(QString::fromUtf8(sql), {})) return false;
        for (const char* sql : kIndexes)
            if (!db.Query(QString::fromUtf8(sql), {})) return false;
        for (const MigrationStep& step : MigrationSteps())
            if (!step.apply(db)) return false;
        return db.Query(db.SqlDialect().WriteSchemaVersion(Database::SchemaVersion), {});
    });
}

bool FillShippedRows(Database& db) {
    return db.Transaction([&] {
        // Reserved key-1 rows: never listed or totalled.
        if (db.Insert(u"Customer"_s, {{u"CustomerIndex"_s, 1}}) < 0) return false;
        if (db.Insert(u"Bill"_s, {{u"BillIndex"_s, 1}}) < 0) return false;
        if (db.Insert(u"MoneyTable"_s, {{u"MoneyIndex"_s, 1}}) < 0) return false;
        if (db.Insert(u"Account"_s, {{u"AccountIndex"_s, 1}}) < 0) return false;

        // Role rows and the modification-password row; every password starts empty.
        const QString roles[] = {u"管理员"_s, u"财务主管"_s, u"财务总监"_s, u"总经理"_s};
        for (const QString& role : roles)
            if (db.Insert(u"Power"_s, {{u"PowerName"_s, role}, {u"PowerRole"_s, role}}) < 0) return false;
        if (db.Insert(u"Power"_s, {{u"PowerName"_s, u"修改"_s}, {u"PowerRole"_s, u""_s}}) < 0) return false;
        for (int i = 0; i < ShippedSalesmanSlots; ++i)
            if (db.Insert(u"Power"_s, {{u"PowerName"_s, u""_s},
                                       {u"PowerRole"_s, u"业务员"_s},
                                       {u"PowerPicture"_s, u"Faces/%1.bmp"_s.arg(i % 39 + 1)}}) < 0)
                return false;

        // Last document numbers: sales bill, purchase bill, income voucher, expense voucher.
        const QString numbers[] = {u"XS100000"_s, u"CG100000"_s, u"SR100000"_s, u"ZC100000"_s};
        for (int i = 0; i < 4; ++i)
            if (db.Insert(u"Setting"_s, {{u"SettingIndex"_s, i + 1}, {u"SettingValue"_s, numbers[i]}}) < 0)
                return false;

        for (int i = 1; i <= 2; ++i)
            if (db.Insert(u"PrintList"_s, {{u"ListIndex"_s, i}, {u"ListValue"_s, u""_s}}) < 0) return false;
        if (db.Insert(u"PrintBigFont"_s, {{u"BigFontValue"_s, u""_s}}) < 0) return false;

        const QList<QPair<int, QString>> options = {
            {1, u"房屋租赁"_s}, {1, u"房屋买卖"_s}, {1, u"中介服务"_s}, {2, u"中介费"_s}, {2, u"定金"_s},
            {2, u"房款"_s},     {2, u"押金"_s},     {3, u"现金"_s},     {3, u"转帐"_s},   {3, u"支票"_s},
            {4, u"洽谈中"_s},   {4, u"已签约"_s},   {4, u"已完成"_s},
        };
        for (const auto& [type, value] : options)
            if (db.Insert(u"Parameter"_s, {{u"ParameterType"_s, type}, {u"ParameterValue"_s, value}}) < 0)
                return false;
        return true;
    });
}

bool CreateEmptyDatabase(const QString& path, QString* error) {
    Database db;
    bool ok = db.CreateNew(path) && CreateSchema(db) && FillShippedRows(db);
    if (!ok) {
        if (error) *error = db.LastError();
        const bool created = db.IsOpen();
        db.Close();
        if (created) QFile::remove(path); // never leave a half-made database behind
        return false;
    }
    db.Close();
    return true;
}

} // namespace tev
