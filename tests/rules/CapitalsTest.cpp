#include "rules/Capitals.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

// The boxed text from its two-character pieces: each one followed by a full-width space.
QString Boxed(const QStringList& pieces) {
    QString text;
    for (const QString& piece : pieces)
        text += piece + u'\u3000';
    return text;
}

} // namespace

TEST(Capitals, DigitToCapital) {
    const QString capitals = u"零壹贰叁肆伍陆柒捌玖"_s;
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(DigitToCapital(QString::number(d)), capitals.mid(d, 1));
    for (const QString& other : {u""_s, u"-"_s, u"."_s, u"10"_s, u"a"_s, u"１"_s})
        EXPECT_EQ(DigitToCapital(other), u"拾"_s) << other.toStdString();
}

TEST(Capitals, WorkedExamples) {
    struct Case {
        double amount;
        QString digits;
        QStringList pieces;
    };
    const Case cases[] = {
        {0, u"000"_s, {u"零元"_s, u"零角"_s, u"零分"_s}},
        {0.5, u"050"_s, {u"零元"_s, u"伍角"_s, u"零分"_s}},
        {0.07, u"007"_s, {u"零元"_s, u"零角"_s, u"柒分"_s}},
        {25, u"2500"_s, {u"贰拾"_s, u"伍元"_s, u"零角"_s, u"零分"_s}},
        {1005.3, u"100530"_s, {u"壹仟"_s, u"零佰"_s, u"零拾"_s, u"伍元"_s, u"叁角"_s, u"零分"_s}},
        {1234567.89,
         u"123456789"_s,
         {u"壹佰"_s, u"贰拾"_s, u"叁万"_s, u"肆仟"_s, u"伍佰"_s, u"陆拾"_s, u"柒元"_s, u"捌角"_s, u"玖分"_s}},
        {80000, u"8000000"_s, {u"捌万"_s, u"零仟"_s, u"零佰"_s, u"零拾"_s, u"零元"_s, u"零角"_s, u"零分"_s}},
        {2.999, u"300"_s, {u"叁元"_s, u"零角"_s, u"零分"_s}},
        {12.3, u"1230"_s, {u"壹拾"_s, u"贰元"_s, u"叁角"_s, u"零分"_s}},
        {0.125, u"012"_s, {u"零元"_s, u"壹角"_s, u"贰分"_s}}, // 12.5 fen: the tie goes to even
        {9999999.99,
         u"999999999"_s,
         {u"玖佰"_s, u"玖拾"_s, u"玖万"_s, u"玖仟"_s, u"玖佰"_s, u"玖拾"_s, u"玖元"_s, u"玖角"_s, u"玖分"_s}},
        // From 10,000,000 on the units carry on, so no place is dropped.
        {12345678.9,
         u"1234567890"_s,
         {u"壹仟"_s, u"贰佰"_s, u"叁拾"_s, u"肆万"_s, u"伍仟"_s, u"陆佰"_s, u"柒拾"_s, u"捌元"_s, u"玖角"_s,
          u"零分"_s}},
        {1234567890123.45,
         u"123456789012345"_s,
         {u"壹万"_s, u"贰仟"_s, u"叁佰"_s, u"肆拾"_s, u"伍亿"_s, u"陆仟"_s, u"柒佰"_s, u"捌拾"_s, u"玖万"_s,
          u"零仟"_s, u"壹佰"_s, u"贰拾"_s, u"叁元"_s, u"肆角"_s, u"伍分"_s}},
    };
    for (const Case& c : cases) {
        const QString digits = AmountToCentDigits(c.amount);
        EXPECT_EQ(digits, c.digits) << c.amount;
        EXPECT_EQ(AmountToCapitals(digits), Boxed(c.pieces)) << c.amount;
    }
}

TEST(Capitals, BeyondWhatADoubleHoldsInFen) {
    EXPECT_EQ(AmountToCentDigits(9999999999999.99), u"999999999999999"_s);
    EXPECT_EQ(AmountToCentDigits(1e13), u""_s); // 16 digits in fen
    EXPECT_EQ(AmountToCentDigits(std::numeric_limits<double>::infinity()), u""_s);
    EXPECT_EQ(AmountToCentDigits(std::numeric_limits<double>::quiet_NaN()), u""_s);
    EXPECT_EQ(AmountToCapitals(u""_s), u""_s);
    EXPECT_EQ(AmountToCapitals(QString(16, u'1')), u""_s);
    EXPECT_EQ(AmountToCapitals(QString(15, u'1')).size(), 15 * 3);
}

TEST(Capitals, NonDigitsBecomeShi) {
    EXPECT_EQ(AmountToCapitals(u"-500"_s), Boxed({u"拾拾"_s, u"伍元"_s, u"零角"_s, u"零分"_s}));
}
