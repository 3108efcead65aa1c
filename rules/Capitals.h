#pragma once
// Amounts written in Chinese capital numerals (大写) in the boxed layout of printed forms:
// every place from the highest present down to the fen, each piece followed by U+3000.

#include <QString>

namespace tev {

// "0".."9" to 零..玖; any other text gives "拾".
QString DigitToCapital(const QString& digit);

// The amount in fen as decimal digits, at least three, after rounding half to even to 2 decimals.
// Callers pass non-negative amounts. Empty text when the value in fen has more than 15 digits
// (10,000,000,000,000 yuan or more), where a double no longer holds every fen exactly, and for
// amounts that are not finite.
QString AmountToCentDigits(double amount);

// The boxed capital text of a digit string from AmountToCentDigits; empty for empty input.
// Every character is one place: a non-digit (a minus sign, say) is written as 拾 like any
// other text DigitToCapital does not know.
// Digit strings longer than nine places (amounts of 10,000,000 or more) continue with the
// further units 仟, 亿, 拾, 佰, 仟, 万 (positions 10 to 15) of the ten-thousands and
// hundred-millions, so that no place is ever dropped; the nine lowest places are exactly the
// printed form's boxes. A string of more than 15 places gives empty text rather than
// losing its highest places.
QString AmountToCapitals(const QString& digits);

} // namespace tev
