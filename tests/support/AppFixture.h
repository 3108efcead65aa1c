#pragma once
// A fresh program for every test: a temporary program folder with a new database, fresh
// settings, the scripted seam installed, every window created and a fixed working date.

#include "tests/support/ScriptedUi.h"

#include "data/Database.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tevtest {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the database on the data module, as the start-up sequence would.
    void OpenDatabase();
    // Runs a statement in the engine's own dialect on the program's connection.
    void Sql(const QString& sql, const QVariantList& args = {});
    // The first column of the first row of a query.
    QVariant Scalar(const QString& sql, const QVariantList& args = {});
    // Fills a free salesman slot.
    void AddSalesman(const QString& name, const QString& key, const QString& range,
                     const QString& picture = {});
    // Scripts the sign-in window: choose name, enter password, confirm.
    void ExpectSignIn(const QString& name, const QString& password);

    QString DbPath() const;
    ScriptedUi ui;
    QTemporaryDir dir;
};

} // namespace tevtest
