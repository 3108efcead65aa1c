#pragma once
// A fresh empty database of the program for every test of the business rules, with helpers
// that write rows straight into it and read results back.

#include "data/Database.h"
#include "data/Schema.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tevtest {

class DomainFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QString error;
        ASSERT_TRUE(tev::CreateEmptyDatabase(Path(), &error)) << error.toStdString();
        ASSERT_TRUE(db.Open(Path())) << db.LastError().toStdString();
    }

    QString Path() const { return dir.path() + QStringLiteral("/Tevrano.mdb"); }
    // A statement in the engine's own dialect; fails the test when it fails.
    void Sql(const QString& sql, const QVariantList& args = {}) {
        ASSERT_TRUE(db.Query(sql, args)) << sql.toStdString() << ": " << db.LastError().toStdString();
    }
    QVariant Scalar(const QString& sql, const QVariantList& args = {}) {
        tev::ResultSet rs;
        EXPECT_TRUE(db.Query(sql, args, &rs)) << sql.toStdString() << ": " << db.LastError().toStdString();
        return rs.IsEmpty() ? QVariant() : rs.At(0, 0);
    }
    // Every row of every business table as text, to show that a failed store changed nothing.
    QString Everything() {
        QString all;
        for (const char* table : {"Customer", "Bill", "MoneyTable", "Account", "Power", "Parameter", "Setting"}) {
            tev::ResultSet rs;
            EXPECT_TRUE(db.Query(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)), {}, &rs));
            for (int r = 0; r < rs.RecordCount(); ++r) {
                for (int c = 0; c < rs.Columns().size(); ++c)
                    all += rs.At(r, c).toString() + QLatin1Char('|');
                all += QLatin1Char('\n');
            }
        }
        return all;
    }

    QTemporaryDir dir;
    tev::Database db;
};

} // namespace tevtest
