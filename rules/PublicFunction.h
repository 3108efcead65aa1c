#pragma once
// The shared routines every window uses that are plain rules: text checks, amount
// parsing and formatting, document numbers, and the connection string.

#include <QString>

#include <optional>

namespace tev {

// True when text is non-empty and every character is "0" to "9".
bool IsDigitString(const QString& text);
// True when text is non-empty and every character is "0" to "9" or "." (any number of points).
bool IsDecimalString(const QString& text);

// Amount typed by a user. Empty text and text failing IsDecimalString give 0 (so -5,
// 1,000 and 12元 give 0). Text that passes the check but is no number ("." or "1.2.3")
// gives no value: callers refuse it with their amount-format message before writing.
std::optional<double> ParseAmount(const QString& text);

// What an amount box holds. A plain amount is digits with at most one decimal point (blanks
// at either end aside): "99.5", "007", ".5". Everything else — a sign, a separator, a unit,
// letters, a second point — is Invalid: the box's owner refuses it with "金额格式有误，请重新
// 输入" and writes nothing, never stores 0 in its place. What an Empty box means is the box's
// own rule (0 for a bill's amount or a customer's opening debt, no bound for a search).
struct AmountEntry {
    enum State { Empty, Amount, Invalid } state = Empty;
    double value = 0;
    // Digits after the point as typed (the voucher editor limits them to four).
    int decimals = 0;
};
AmountEntry ReadAmountEntry(const QString& text);

// The nearest whole number, ties to the even one (2.5 gives 2, 3.5 gives 4), whatever
// floating-point rounding mode is in force.
double RoundHalfEven(double value);

// Rounded half to even to four decimals on the scaled value, written in the shortest
// form with up to 15 significant digits, no separators and no trailing zeros. "." is the point,
// there is never an exponent (1e15 gives 1000000000000000) and minus zero gives "0".
QString FormatAmount(double value);
// An amount as a page shows it: rounded half to even at four decimals, like FormatAmount. A
// sum of many amounts can carry a floating-point residue (0.1 + 0.2 − 0.3); the sign and the
// icon of a tile follow the figure shown, never the residue.
double ShownAmount(double amount);

// The connection string of the original engine; kept for the places that show it.
QString MakeConnectionString(const QString& databasePath, const QString& password);

// The next document number: the tail starts at the first "1" to "9"; it is increased by one.
// Empty text, text without such a digit, or a tail that is not all digits gives empty text.
// A tail beyond 2147483647 (the signed 32-bit range) also gives empty text: no number is
// proposed. Leading zeros stay in the prefix, so BL0009 gives BL00010.
QString NextSerialNumber(const QString& number);
// Empty text and text without "1" to "9" are valid; otherwise the tail must be all digits.
bool IsValidSerialNumber(const QString& number);

// The first maxBytes bytes of text in the GBK code page, never splitting a character.
// A character GBK cannot hold is kept and counted as two bytes.
QString GbkLeft(const QString& text, int maxBytes);
// Text encoded in GBK, and back. A character GBK cannot hold is written as "?"; bytes that are
// no GBK text are read as U+FFFD.
QByteArray ToGbk(const QString& text);
QString FromGbk(const QByteArray& bytes);

} // namespace tev
