#include "rules/Capitals.h"

#include "rules/PublicFunction.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// Units by position from the right of the fen digits. The first nine are the printed form's
// boxes; the rest carry on through the ten-thousands and hundred-millions.
const char16_t* const Units[] = {u"分　", u"角　", u"元　", u"拾　", u"佰　", u"仟　", u"万　", u"拾　",
                                 u"佰　", u"仟　", u"亿　", u"拾　", u"佰　", u"仟　", u"万　"};
constexpr qsizetype MaxPlaces = sizeof(Units) / sizeof(Units[0]);

// Fen values from 10^15 on no longer fit exactly in a double.
constexpr double FenLimit = 1e15;

} // namespace

QString DigitToCapital(const QString& digit) {
    static const char16_t* const Capitals[] = {u"零", u"壹", u"贰", u"叁", u"肆",
                                               u"伍", u"陆", u"柒", u"捌", u"玖"};
    if (digit.size() == 1 && digit[0] >= u'0' && digit[0] <= u'9')
        return QString::fromUtf16(Capitals[digit[0].unicode() - u'0']);
    return u"拾"_s;
}

QString AmountToCentDigits(double amount) {
    const double scaled = amount / 0.01;
    if (!std::isfinite(scaled)) return {};
    const double fen = RoundHalfEven(scaled);
    if (std::fabs(fen) >= FenLimit) return {};

    QString text = FormatAmount(fen * 0.01);
    for (int pass = 0; pass < 2; ++pass) {
        if (text.size() < 3 || text[text.size() - 3] != u'.') text += u'0';
    }
    text.remove(u'.');
    return text;
}

QString AmountToCapitals(const QString& digits) {
    if (digits.size() > MaxPlaces) return {};
    QString result;
    for (qsizetype position = 0; position < digits.size(); ++position) {
        const QString digit = digits.mid(digits.size() - 1 - position, 1);
        result.prepend(DigitToCapital(digit) + QString::fromUtf16(Units[position]));
    }
    return result;
}

} // namespace tev
