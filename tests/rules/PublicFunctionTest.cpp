#include "rules/PublicFunction.h"

#include <gtest/gtest.h>

#include <cfenv>

using namespace Qt::StringLiterals;
using namespace tev;

TEST(TextChecks, DigitAndDecimalStrings) {
    struct Case {
        QString text;
        bool digits;
        bool decimal;
    };
    const Case cases[] = {
        {u""_s, false, false},     {u"0"_s, true, true},       {u"0123456789"_s, true, true},
        {u"12 "_s, false, false},  {u" 12"_s, false, false},   {u"-5"_s, false, false},
        {u"+5"_s, false, false},   {u"0."_s, false, true},     {u"."_s, false, true},
        {u"1.2.3"_s, false, true}, {u"1,000"_s, false, false}, {u"12元"_s, false, false},
        {u"１２"_s, false, false}, // full-width digits are not digits here
        {u"1e5"_s, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsDigitString(c.text), c.digits) << c.text.toStdString();
        EXPECT_EQ(IsDecimalString(c.text), c.decimal) << c.text.toStdString();
    }
}

TEST(ParseAmount, ValuesZerosAndRefusals) {
    struct Case {
        QString text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {u""_s, 0.0},
        {u"12.5"_s, 12.5},
        {u"-12.5"_s, 0.0},
        {u"-5"_s, 0.0},
        {u"1,000"_s, 0.0},
        {u"12元"_s, 0.0},
        {u" 12"_s, 0.0},
        {u"0."_s, 0.0},
        {u"12."_s, 12.0},
        {u".5"_s, 0.5},
        {u"007.50"_s, 7.5},
        {u"1234567.891"_s, 1234567.891},
        {u"1."_s + QString(400, u'9'), 2.0}, // many digits still make a number
        {u"."_s, std::nullopt},
        {u"1.2.3"_s, std::nullopt},
        {u".."_s, std::nullopt},
        {QString(400, u'9'), std::nullopt}, // beyond the range of a double
    };
    for (const Case& c : cases) {
        const std::optional<double> got = ParseAmount(c.text);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.text.toStdString();
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *c.expected) << c.text.toStdString();
        }
    }
}

TEST(FormatAmount, RoundsHalfEvenOnTheScaledValue) {
    struct Case {
        double value;
        QString expected;
    };
    const Case cases[] = {
        {100, u"100"_s},
        {12.5, u"12.5"_s},
        {12.34567, u"12.3457"_s},
        {-3, u"-3"_s},
        {0, u"0"_s},
        {0.00005, u"0"_s},  // 0.5 scaled: ties go to the even 0
        {-0.00001, u"0"_s}, // rounds to minus zero, which prints as 0
        {1234567.891, u"1234567.891"_s},
        {-0.5, u"-0.5"_s},
        {0.0001, u"0.0001"_s}, // no exponent for small amounts
        // 0.00015 is stored just below the tie (1.4999999999999998 scaled), so it goes down;
        // 0.00025 and 0.00035 scale to exact ties and go to the even neighbour.
        {0.00015, u"0.0001"_s},
        {0.00025, u"0.0002"_s},
        {0.00035, u"0.0004"_s},
        {2.00015, u"2.0002"_s},                     // 20001.5 scaled
        {1.00005, u"1"_s},                          // 10000.5 scaled
        {123456789012.3456, u"123456789012.346"_s}, // 15 significant digits
        {1e15, u"1000000000000000"_s},
        {-1.5e20, u"-150000000000000000000"_s},
        {1.23456789012345678e17, u"123456789012346000"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatAmount(c.value), c.expected) << c.value;
}

// A page judges sign and icon on the figure it shows: what FormatAmount writes, as a number.
TEST(ShownAmount, IsTheFigureFormatAmountWrites) {
    const double cases[] = {0.1 + 0.2 - 0.3, -0.00001, 0.00025, 0.00035, 12.34567, -40000, 1234567.891};
    for (double value : cases)
        EXPECT_EQ(ShownAmount(value), FormatAmount(value).toDouble()) << value;
    EXPECT_EQ(ShownAmount(0.1 + 0.2 - 0.3), 0.0);
    EXPECT_GE(ShownAmount(-0.00001), 0.0);
}

TEST(FormatAmount, IgnoresTheRoundingModeInForce) {
    const int mode = std::fegetround();
    std::fesetround(FE_UPWARD);
    EXPECT_EQ(FormatAmount(0.00025), u"0.0002"_s);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    std::fesetround(mode);
}

TEST(ConnectionString, IsTheEngineText) {
    EXPECT_EQ(
        MakeConnectionString(u"/opt/tev/Tevrano.mdb"_s, u"MoltaRK"_s),
        u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/tev/Tevrano.mdb;Persist Security Info=False;"
        "Jet OLEDB:Database Password=MoltaRK"_s);
}

TEST(SerialNumber, NextAndValid) {
    struct Case {
        QString number;
        QString next;
        bool valid;
    };
    const Case cases[] = {
        {u""_s, u""_s, true},
        {u"XS20060001"_s, u"XS20060002"_s, true},
        {u"BL0009"_s, u"BL00010"_s, true}, // the zeros before the tail stay
        {u"A199"_s, u"A200"_s, true},
        {u"XS0099"_s, u"XS00100"_s, true},
        {u"0001"_s, u"0002"_s, true},
        {u"XS2006001"_s, u"XS2006002"_s, true},
        {u"ABC"_s, u""_s, true},
        {u"A000"_s, u""_s, true},
        {u"XS2006A01"_s, u""_s, false},
        {u"XS1 "_s, u""_s, false},
        {u"N2147483647"_s, u"N2147483648"_s, true}, // the largest tail still counts on
        {u"N2147483648"_s, u""_s, true},            // beyond 32 bits: no number proposed
        {u"N99999999999999999999"_s, u""_s, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextSerialNumber(c.number), c.next) << c.number.toStdString();
        EXPECT_EQ(IsValidSerialNumber(c.number), c.valid) << c.number.toStdString();
    }
}

TEST(Gbk, EncodesAsTheCodePage) {
    EXPECT_EQ(ToGbk(u"张三ab"_s).toHex(), QByteArray("d5c5c8fd6162"));
    EXPECT_EQ(FromGbk(QByteArray::fromHex("d5c5c8fd6162")), u"张三ab"_s);
    EXPECT_EQ(FromGbk(ToGbk(u"客户排序方式=纵向打印"_s)), u"客户排序方式=纵向打印"_s);
}

TEST(Gbk, LeftNeverSplitsACharacter) {
    const QString twelve = u"张三李四王五赵六钱七孙八"_s;
    struct Case {
        QString text;
        int maxBytes;
        QString expected;
    };
    const Case cases[] = {
        {QString(30, u'x'), 18, QString(18, u'x')},
        {twelve, 18, twelve.left(9)},
        {twelve, 17, twelve.left(8)}, // half a character is not taken
        {twelve, 100, twelve},
        {u"ab张三"_s, 3, u"ab"_s},
        {u"ab张三"_s, 4, u"ab张"_s},
        {u"a张b"_s, 2, u"a"_s},
        {u"a张b"_s, 4, u"a张b"_s},
        {u""_s, 5, u""_s},
        {u"张"_s, 0, u""_s},
        {u"张"_s, -1, u""_s},
        // Outside GBK: kept, two bytes each, a surrogate pair never cut in half.
        {u"a😀b"_s, 3, u"a😀"_s},
        {u"a😀b"_s, 2, u"a"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GbkLeft(c.text, c.maxBytes), c.expected) << c.text.toStdString() << " " << c.maxBytes;
}
