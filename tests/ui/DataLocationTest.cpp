// Where the data lives: beside a program whose folder can be written, otherwise in the user's
// data folder, made at the first start.

#include "app/DataLocation.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "ui/Globals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class DataLocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        program = root.path() + u"/program/"_s;
        user = root.path() + u"/home/.local/share/Tevrano"_s;
        ASSERT_TRUE(QDir().mkpath(program + u"Frf"_s));
        for (const QString& name : {u"Bill.frf"_s, u"Money.frf"_s}) {
            QFile f(program + u"Frf/"_s + name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("shipped " + name.toUtf8());
        }
    }
    DataLocationRequest Request(bool programWritable) const {
        DataLocationRequest r;
        r.programDir = program;
        r.userDataDir = user;
        r.programDirWritable = [programWritable](const QString&) { return programWritable; };
        return r;
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir root;
    QString program;
    QString user;
};

TEST_F(DataLocationTest, AWritableProgramFolderKeepsTheDataBesideTheProgram) {
    DataLocation where;
    QString message;
    ASSERT_TRUE(ResolveDataLocation(Request(true), &where, &message)) << message.toStdString();
    EXPECT_EQ(where.dir, program);
    EXPECT_TRUE(where.besideProgram);
    EXPECT_FALSE(where.createdDatabase);
    // Nothing is made: a missing database there is the start-up's missing-database error.
    EXPECT_FALSE(QFile::exists(program + u"Tevrano.mdb"_s));
    EXPECT_FALSE(QDir(user).exists());
    UseDataLocation(where);
    EXPECT_EQ(DataDir, program);
    EXPECT_EQ(IniFileName, program + u"Tevrano.ini"_s);
}

TEST_F(DataLocationTest, AReadOnlyProgramFolderPutsTheDataInTheUserFolderMadeAtTheFirstStart) {
    DataLocation where;
    QString message;
    ASSERT_TRUE(ResolveDataLocation(Request(false), &where, &message)) << message.toStdString();
    const QString dir = QDir(user).absolutePath() + u"/"_s;
    EXPECT_EQ(where.dir, dir);
    EXPECT_FALSE(where.besideProgram);
    EXPECT_TRUE(where.createdDatabase);
    UseDataLocation(where);
    EXPECT_EQ(IniFileName, dir + u"Tevrano.ini"_s);

    // The database made there is the empty database of this program, and nothing is left
    // under the temporary name.
    Database db;
    ASSERT_TRUE(db.Open(dir + u"Tevrano.mdb"_s)) << db.LastError().toStdString();
    EXPECT_TRUE(MissingTables(db).isEmpty());
    db.Close();
    EXPECT_FALSE(QFile::exists(dir + u"Tevrano.mdb.new"_s));
    EXPECT_EQ(Read(dir + u"Frf/Bill.frf"_s), "shipped Bill.frf");
    EXPECT_FALSE(QFile::exists(program + u"Tevrano.mdb"_s));

    // The next start keeps the user's database and the user's own designs, and brings the
    // templates that a newer program ships.
    QFile edited(dir + u"Frf/Bill.frf"_s);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edited.write("the user's design");
    edited.close();
    QFile newer(program + u"Frf/MoneyMonth.frf"_s);
    ASSERT_TRUE(newer.open(QIODevice::WriteOnly));
    newer.write("shipped MoneyMonth.frf");
    newer.close();
    const QByteArray database = Read(dir + u"Tevrano.mdb"_s);
    ASSERT_TRUE(ResolveDataLocation(Request(false), &where, &message)) << message.toStdString();
    EXPECT_FALSE(where.createdDatabase);
    EXPECT_EQ(Read(dir + u"Tevrano.mdb"_s), database);
    EXPECT_EQ(Read(dir + u"Frf/Bill.frf"_s), "the user's design");
    EXPECT_EQ(Read(dir + u"Frf/MoneyMonth.frf"_s), "shipped MoneyMonth.frf");
}

TEST_F(DataLocationTest, AFolderThatCannotBeMadeOrWrittenIsNamedAndNothingIsMade) {
    // Nobody, not even the superuser, can make a folder or a file inside /proc.
    struct Case {
        QString userDir;
        QString explicitDir;
    };
    const Case cases[] = {
        {u"/proc/tevrano-data"_s, {}},
        {{}, u"/proc/tevrano-demo"_s},
        {{}, u"/proc/"_s},
    };
    for (const Case& c : cases) {
        DataLocationRequest r = Request(false);
        r.userDataDir = c.userDir;
        r.explicitDir = c.explicitDir;
        DataLocation where;
        QString message;
        EXPECT_FALSE(ResolveDataLocation(r, &where, &message));
        const QString named = c.userDir.isEmpty() ? c.explicitDir : c.userDir;
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(QDir::cleanPath(named))))
            << message.toStdString();
        EXPECT_TRUE(message.startsWith(u"无法建立数据文件夹"_s) ||
                    message.startsWith(u"数据文件夹无法写入"_s))
            << message.toStdString();
    }
    EXPECT_FALSE(QFile::exists(program + u"Tevrano.mdb"_s));
}

TEST_F(DataLocationTest, AFolderNamedForTheDemoIsUsedAsItIs) {
    DataLocationRequest r = Request(true);
    r.explicitDir = root.path() + u"/demo"_s;
    DataLocation where;
    QString message;
    ASSERT_TRUE(ResolveDataLocation(r, &where, &message)) << message.toStdString();
    EXPECT_EQ(where.dir, root.path() + u"/demo/"_s);
    EXPECT_FALSE(where.besideProgram);
    // Its database is made by whoever named it; the real one beside the program is not touched.
    EXPECT_FALSE(where.createdDatabase);
    EXPECT_FALSE(QFile::exists(where.dir + u"Tevrano.mdb"_s));
    EXPECT_EQ(Read(where.dir + u"Frf/Money.frf"_s), "shipped Money.frf");
}

} // namespace
