#include "rules/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class IniFile : public ::testing::Test {
protected:
    QString Path() const { return dir.filePath(u"Tevrano.ini"_s); }

    void Put(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray Bytes() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QString Read(const QString& section, const QString& key, const QString& fallback = u"默认"_s) const {
        return IniReadString(section, key, fallback, Path());
    }

    QTemporaryDir dir;
};

// GBK bytes of the texts used below, as the code page has them.
const QByteArray SortKey = QByteArray::fromHex("bfcdbba7c5c5d0f2b7bdcabd"); // 客户排序方式
const QByteArray Portrait = QByteArray::fromHex("d7ddcff2b4f2d3a1");        // 纵向打印
const QByteArray Landscape = QByteArray::fromHex("bae1cff2b4f2d3a1");       // 横向打印

} // namespace

TEST_F(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Read(u"Tevrano"_s, u"PrintType"_s, u"纵向打印"_s), u"纵向打印"_s);
    EXPECT_FALSE(QFile::exists(Path())) << "reading must not create the file";

    Put("[Other]\r\nPrintType=x\r\n[Tevrano]\r\nSomethingElse=y\r\n");
    EXPECT_EQ(Read(u"Tevrano"_s, u"PrintType"_s), u"默认"_s);
    EXPECT_EQ(Read(u"Missing"_s, u"SomethingElse"_s), u"默认"_s);
    EXPECT_EQ(Read(u"Tevrano"_s, u"SomethingElse"_s), u"y"_s);
}

TEST_F(IniFile, NamesAreCaseInsensitiveAndBlanksIgnored) {
    Put("  [TEVRANO]  \r\n  PrintType  =  " + Landscape + "  \r\n");
    EXPECT_EQ(Read(u"tevrano"_s, u"printtype"_s), u"横向打印"_s);
    EXPECT_EQ(Read(u" Tevrano "_s, u" PRINTTYPE"_s), u"横向打印"_s);

    // A write through other spelling changes the line in place, keeping the file's spelling.
    ASSERT_TRUE(IniWriteString(u"tevrano"_s, u"PRINTTYPE"_s, u"纵向打印"_s, Path()));
    EXPECT_EQ(Bytes(), "  [TEVRANO]  \r\n  PrintType  =  " + Portrait + "\r\n");
}

TEST_F(IniFile, FirstWriteCreatesAGbkFile) {
    ASSERT_TRUE(IniWriteString(u"Tevrano"_s, u"客户排序方式"_s, u"1"_s, Path()));
    ASSERT_TRUE(IniWriteString(u"Tevrano"_s, u"PrintType"_s, u"纵向打印"_s, Path()));
    EXPECT_EQ(Bytes(), "[Tevrano]\r\n" + SortKey + "=1\r\nPrintType=" + Portrait + "\r\n");
    EXPECT_EQ(Read(u"Tevrano"_s, u"客户排序方式"_s), u"1"_s);
    EXPECT_EQ(Read(u"Tevrano"_s, u"PrintType"_s), u"纵向打印"_s);

    // Written at once: a second write is read back straight away.
    ASSERT_TRUE(IniWriteString(u"Tevrano"_s, u"客户排序方式"_s, u"0"_s, Path()));
    EXPECT_EQ(Read(u"Tevrano"_s, u"客户排序方式"_s), u"0"_s);
}

TEST_F(IniFile, WritesKeepEveryOtherLine) {
    // LF endings, a comment, bytes that are no GBK text, and no line ending at the very end.
    const QByteArray before = "; settings\n[Tevrano]\nA=1\n; note \xff\x80\n\n[Other]\nB=2";
    Put(before);

    ASSERT_TRUE(IniWriteString(u"Tevrano"_s, u"A"_s, u"10"_s, Path()));
    EXPECT_EQ(Bytes(), "; settings\n[Tevrano]\nA=10\n; note \xff\x80\n\n[Other]\nB=2");

    // A new key goes to the end of its section, before the blank line that parts sections.
    ASSERT_TRUE(IniWriteString(u"Tevrano"_s, u"C"_s, u"3"_s, Path()));
    EXPECT_EQ(Bytes(), "; settings\n[Tevrano]\nA=10\n; note \xff\x80\nC=3\n\n[Other]\nB=2");

    // A key of the last section, then a new section at the end.
    ASSERT_TRUE(IniWriteString(u"Other"_s, u"D"_s, u"4"_s, Path()));
    ASSERT_TRUE(IniWriteString(u"New"_s, u"E"_s, u"5"_s, Path()));
    EXPECT_EQ(Bytes(),
              "; settings\n[Tevrano]\nA=10\n; note \xff\x80\nC=3\n\n[Other]\nB=2\nD=4\n\n[New]\nE=5\n");

    EXPECT_EQ(Read(u"Tevrano"_s, u"C"_s), u"3"_s);
    EXPECT_EQ(Read(u"Other"_s, u"B"_s), u"2"_s);
    EXPECT_EQ(Read(u"New"_s, u"E"_s), u"5"_s);
}

TEST_F(IniFile, FirstMatchingSectionAndKeyWin) {
    Put("[S]\r\nK=first\r\nk=second\r\n[s]\r\nK=later\r\nOnlyLater=x\r\n");
    EXPECT_EQ(Read(u"S"_s, u"K"_s), u"first"_s);
    EXPECT_EQ(Read(u"S"_s, u"OnlyLater"_s), u"默认"_s);

    ASSERT_TRUE(IniWriteString(u"S"_s, u"k"_s, u"new"_s, Path()));
    ASSERT_TRUE(IniWriteString(u"S"_s, u"OnlyLater"_s, u"y"_s, Path()));
    EXPECT_EQ(Bytes(), "[S]\r\nK=new\r\nk=second\r\nOnlyLater=y\r\n[s]\r\nK=later\r\nOnlyLater=x\r\n");
}

TEST_F(IniFile, ValueTextRules) {
    Put("[S]\r\nQuoted=\"a b\"\r\nSingle='c'\r\nHalf=\"d\r\nEmpty=\r\nNoEquals\r\n=orphan\r\n");
    EXPECT_EQ(Read(u"S"_s, u"Quoted"_s), u"a b"_s);
    EXPECT_EQ(Read(u"S"_s, u"Single"_s), u"c"_s);
    EXPECT_EQ(Read(u"S"_s, u"Half"_s), u"\"d"_s);
    EXPECT_EQ(Read(u"S"_s, u"Empty"_s), u""_s);
    EXPECT_EQ(Read(u"S"_s, u"NoEquals"_s), u"默认"_s);
}

TEST_F(IniFile, LengthLimits) {
    const QString name255(255, u'n');
    const QString name256(256, u'n');
    ASSERT_TRUE(IniWriteString(u"S"_s, name255, u"ok"_s, Path()));
    EXPECT_EQ(Read(u"S"_s, name255), u"ok"_s);

    struct Case {
        QString section, key, value;
        bool written;
    };
    const Case writes[] = {
        {name256, u"K"_s, u"v"_s, false},
        {u"S"_s, name256, u"v"_s, false},
        {u"S"_s, u"V1023"_s, QString(1023, u'v'), true},
        {u"S"_s, u"V1024"_s, QString(1024, u'v'), false},
        {u""_s, u"K"_s, u"v"_s, false},
        {u"S"_s, u" "_s, u"v"_s, false},
        {u"S"_s, u"K"_s, u"a\nb"_s, false},
        {u"S"_s, u"K=J"_s, u"v"_s, false},
        {u"S"_s, u"[K"_s, u"v"_s, false},
        {u"S"_s, u";K"_s, u"v"_s, false},
        {u"S"_s, u"K"_s, u"😀"_s, false}, // GBK cannot hold it
    };
    for (const Case& c : writes) {
        const QByteArray before = Bytes();
        EXPECT_EQ(IniWriteString(c.section, c.key, c.value, Path()), c.written)
            << c.key.left(20).toStdString();
        if (!c.written) {
            EXPECT_EQ(Bytes(), before) << "a refused write must leave the file as it was";
        }
    }

    // A value of 1023 characters is stored whole but read back cut to 1022.
    EXPECT_EQ(Read(u"S"_s, u"V1023"_s), QString(1022, u'v'));
    // Names beyond the limit are never looked up.
    Put("[S]\r\n" + QByteArray(256, 'n') + "=found\r\n");
    EXPECT_EQ(Read(u"S"_s, name256), u"默认"_s);

    const QString longPath = dir.path() + u'/' + QString(260, u'p');
    EXPECT_FALSE(IniWriteString(u"S"_s, u"K"_s, u"v"_s, longPath));
    EXPECT_EQ(IniReadString(u"S"_s, u"K"_s, u"d"_s, longPath), u"d"_s);
}

TEST_F(IniFile, UnwritablePlaceFails) {
    EXPECT_FALSE(IniWriteString(u"S"_s, u"K"_s, u"v"_s, dir.filePath(u"no/such/dir/Tevrano.ini"_s)));
    // A folder standing where the file should be can be neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Tevrano.ini"_s));
    EXPECT_FALSE(IniWriteString(u"S"_s, u"K"_s, u"v"_s, Path()));
    EXPECT_EQ(Read(u"S"_s, u"K"_s), u"默认"_s);
}

TEST_F(IniFile, ReadIndexFallsBackOnBadValues) {
    struct Case {
        QByteArray stored; // empty: key absent
        int expected;
    };
    const Case cases[] = {
        {"", 1},         {"Sort=0", 0},   {"Sort=3", 3},
        {"Sort= 2 ", 2}, {"Sort=4", 1}, // count is 4: 0..3
        {"Sort=-1", 1},  {"Sort=abc", 1}, {"Sort=1.5", 1},
        {"Sort=", 1},    {"Sort=+2", 1},  {"Sort=99999999999", 1},
    };
    for (const Case& c : cases) {
        Put("[Tevrano]\r\n" + c.stored + "\r\n");
        EXPECT_EQ(IniReadIndex(u"Tevrano"_s, u"Sort"_s, 1, 4, Path()), c.expected) << c.stored.constData();
    }
}

// A file is damaged only when no settings file could look like it; what the program writes
// and what a person edits by hand are never flagged.
TEST_F(IniFile, DamagedFilesAreToldFromGoodOnes) {
    // What the program itself writes, every key of the Tevrano section.
    QTemporaryDir written;
    const QString own = written.filePath(u"Tevrano.ini"_s);
    for (const QString& key :
         {u"客户排序方式"_s, u"客户排序方向"_s, u"业务单据日期范围"_s, u"业务单据排序方式"_s,
          u"业务单据排序方向"_s, u"财务单据日期范围"_s, u"财务单据排序方式"_s, u"财务单据排序方向"_s})
        ASSERT_TRUE(IniWriteString(u"Tevrano"_s, key, u"1"_s, own));
    ASSERT_TRUE(IniWriteString(u"Tevrano"_s, u"PrintType"_s, u"横向打印"_s, own));
    QFile ownFile(own);
    ASSERT_TRUE(ownFile.open(QIODevice::ReadOnly));
    const QByteArray programs = ownFile.readAll();

    QByteArray random(4096, '\0');
    quint32 seed = 20240315;
    for (char& c : random) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    const struct {
        const char* what;
        QByteArray bytes;
        IniFileState state;
    } cases[] = {
        {"written by the program", programs, IniFileState::Good},
        {"edited by hand",
         "; mine\r\n\r\n[Tevrano]\r\n  " + SortKey + " = 1 \r\nnot a setting line\r\n[Other]\nx=\xa1\xa1\n",
         IniFileState::Good},
        {"empty", "", IniFileState::Good},
        {"last line without its break", "[Tevrano]\r\nPrintType=" + Portrait, IniFileState::Good},
        {"random bytes", random, IniFileState::Damaged},
        {"a NUL in a good file", programs.left(20) + '\0' + programs.mid(20), IniFileState::Damaged},
        {"a GBK first byte with a wrong second", "[Tevrano]\r\nPrintType=\x81\x20\r\n",
         IniFileState::Damaged},
        {"a GBK first byte at the line end", "[Tevrano]\r\nPrintType=\xd7\r\n", IniFileState::Damaged},
        {"a GBK first byte at the file end", "[Tevrano]\r\nPrintType=\xd7", IniFileState::Damaged},
        {"over the size bound", QByteArray(MaxIniFileSize + 1, 'a'), IniFileState::Damaged},
    };
    for (const auto& c : cases) {
        Put(c.bytes);
        EXPECT_EQ(CheckIniFile(Path()), c.state) << c.what;
    }
    QFile::remove(Path());
    EXPECT_EQ(CheckIniFile(Path()), IniFileState::Missing);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Tevrano.ini"_s));
    EXPECT_EQ(CheckIniFile(Path()), IniFileState::Unreadable) << "a folder in its place";
}

TEST_F(IniFile, ADamagedFileIsSetAsideUnderAFreeName) {
    for (const QByteArray& bytes : {QByteArray("one\0", 4), QByteArray("two\0", 4)}) {
        Put(bytes);
        const QString aside = SetIniFileAside(Path());
        EXPECT_FALSE(QFile::exists(Path()));
        QFile kept(aside);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << aside.toStdString();
        EXPECT_EQ(kept.readAll(), bytes);
    }
    EXPECT_TRUE(QFile::exists(Path() + u".bad"_s));
    EXPECT_TRUE(QFile::exists(Path() + u".bad2"_s));
}
