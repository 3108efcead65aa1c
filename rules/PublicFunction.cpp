#include "rules/PublicFunction.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cfenv>
#include <charconv>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Writes a number in exponent form ("1.5e+20") out in plain digits ("150000000000000000000").
// Only amounts of 1e15 and more reach this; a rounded amount is never small enough for a
// negative exponent.
QString ExpandExponent(const QString& text) {
    const qsizetype e = text.indexOf(u'e');
    if (e < 0) return text;
    QString mantissa = text.left(e);
    const int exponent = text.mid(e + 1).toInt();
    QString sign;
    if (mantissa.startsWith(u'-')) {
        sign = u"-"_s;
        mantissa.remove(0, 1);
    }
    const qsizetype point = mantissa.indexOf(u'.');
    const qsizetype integerDigits = point < 0 ? mantissa.size() : point;
    mantissa.remove(u'.');
    const qsizetype newIntegerDigits = integerDigits + exponent;
    if (exponent < 0 || newIntegerDigits <= 0) return text;
    if (newIntegerDigits >= mantissa.size())
        return sign + mantissa + QString(newIntegerDigits - mantissa.size(), u'0');
    return sign + mantissa.left(newIntegerDigits) + u'.' + mantissa.mid(newIntegerDigits);
}

const char* const GbkName = "GBK";

} // namespace

double RoundHalfEven(double value) {
    const int mode = std::fegetround();
    if (mode == FE_TONEAREST) return std::nearbyint(value);
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(mode);
    return rounded;
}

bool IsDigitString(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        if (!IsAsciiDigit(c)) return false;
    }
    return true;
}

bool IsDecimalString(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        if (!IsAsciiDigit(c) && c != u'.') return false;
    }
    return true;
}

std::optional<double> ParseAmount(const QString& text) {
    if (text.isEmpty() || !IsDecimalString(text)) return 0.0;
    // Only ASCII digits and points are left, so the Latin-1 form is the text itself; from_chars
    // reads "." as the point whatever the user's locale.
    const QByteArray bytes = text.toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

AmountEntry ReadAmountEntry(const QString& text) {
    AmountEntry entry;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return entry;
    entry.state = AmountEntry::Invalid;
    int points = 0;
    int digits = 0;
    for (QChar c : trimmed) {
        if (c == u'.') {
            ++points;
        } else if (IsAsciiDigit(c)) {
            ++digits;
            if (points == 1) ++entry.decimals;
        } else {
            return entry;
        }
    }
    if (points > 1 || digits == 0) return entry;
    const std::optional<double> value = ParseAmount(trimmed);
    if (!value || !std::isfinite(*value)) return entry;
    entry.state = AmountEntry::Amount;
    entry.value = *value;
    return entry;
}

QString FormatAmount(double value) {
    const double scaled = value / 0.0001;
    double rounded = std::isfinite(scaled) ? RoundHalfEven(scaled) * 0.0001 : value;
    rounded += 0.0; // -0 becomes 0
    return ExpandExponent(QString::number(rounded, 'g', 15));
}

double ShownAmount(double amount) {
    return RoundHalfEven(amount * 10000.0) / 10000.0;
}

QString MakeConnectionString(const QString& databasePath, const QString& password) {
    return u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_s + databasePath +
           u";Persist Security Info=False;Jet OLEDB:Database Password="_s + password;
}

namespace {

// Index of the first "1" to "9", where a document number's tail begins; -1 when there is none.
qsizetype SerialTailStart(const QString& number) {
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (number[i] >= u'1' && number[i] <= u'9') return i;
    }
    return -1;
}

} // namespace

QString NextSerialNumber(const QString& number) {
    const qsizetype start = SerialTailStart(number);
    if (start < 0) return {};
    const QString tail = number.mid(start);
    if (!IsDigitString(tail) || tail.size() > 10) return {};
    const qint64 value = tail.toLongLong();
    if (value > 2147483647) return {};
    return number.left(start) + QString::number(value + 1);
}

bool IsValidSerialNumber(const QString& number) {
    const qsizetype start = SerialTailStart(number);
    return start < 0 || IsDigitString(number.mid(start));
}

namespace {

// Bytes one character (a code point, given as its UTF-16 units) takes in GBK. A character
// GBK cannot hold is counted as two bytes, the width of every other non-ASCII character.
int GbkWidth(QStringView character) {
    if (character.size() == 1 && character[0].unicode() < 0x80) return 1;
    // A fresh encoder each time: its error flag stays set once raised.
    QStringEncoder encoder(GbkName);
    const QByteArray bytes = encoder.encode(character);
    if (encoder.hasError() || bytes.isEmpty()) return 2;
    return int(bytes.size());
}

} // namespace

QString GbkLeft(const QString& text, int maxBytes) {
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const int width = GbkWidth(QStringView(text).mid(i, length));
        if (used + width > maxBytes) break;
        used += width;
        i += length;
    }
    return text.left(i);
}

QByteArray ToGbk(const QString& text) {
    QStringEncoder encoder(GbkName);
    Q_ASSERT_X(encoder.isValid(), "ToGbk", "Qt has no GBK converter (built without ICU)");
    return encoder.encode(text);
}

QString FromGbk(const QByteArray& bytes) {
    QStringDecoder decoder(GbkName);
    Q_ASSERT_X(decoder.isValid(), "FromGbk", "Qt has no GBK converter (built without ICU)");
    return decoder.decode(bytes);
}

} // namespace tev
