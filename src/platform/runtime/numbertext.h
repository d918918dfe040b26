// SPDX-License-Identifier: MIT
#pragma once

// The runtime's number rules: how count texts are read, how doubles and
// currency values are written and read back, and the checked arithmetic of
// the recalculation. Every function that can fail throws RuntimeError.
//
// Reading a count (leadingNumber) accepts, after removing every blank, tab
// and line feed:
//   [+|-] digits [. digits] [(E|e) [+|-] digits]   decimal, full stop only
//   &H hexdigits  |  &O octaldigits                  whole numbers
// and nothing else (no D exponent, no digit grouping, no sign before &).
// A prefixed number's value ignores leading zeros; up to 0xFFFF it is read as
// a 16-bit two's-complement integer (&HFFFF is -1), up to 0xFFFFFFFF as a
// 32-bit one (&HFFFFFFFF is -1, &H10000 is 65536), and beyond that it is an
// overflow. A decimal number beyond the double range is an overflow; one too
// small for it reads as zero.
//
// Writing a double (doubleText) rounds to 15 significant digits and uses the
// exponent form for magnitudes from 1E15 up and for those whose rounded
// decimal exponent is below -4 (so 0.0001 is written as is, 0.00001 as 1E-05).

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace platform {

// A currency value: a signed count of ten-thousandths.
struct Currency
{
    std::int64_t tenThousandths = 0;
    friend bool operator==(Currency, Currency) = default;
};

// The number at the start of a text; 0 when there is none.
double leadingNumber(QStringView text);

// Numeric equality with zero; negative zero is zero.
constexpr bool isZero(double value) noexcept
{
    return value == 0.0;
}

// An infinite or NaN value is an overflow.
QString doubleText(double value, QChar decimalSeparator = u'.');

// Reads any text that doubleText writes with the same separator.
// Anything else is a type mismatch.
double readDoubleText(QStringView text, QChar decimalSeparator = u'.');

// Nearest ten-thousandth of the exact value, ties to even; overflow outside
// the currency range.
Currency toCurrency(double value);

QString currencyText(Currency value, QChar decimalSeparator = u'.');

// The result of double arithmetic, which beyond the double range is an
// overflow: finiteOrOverflow(a * b).
double finiteOrOverflow(double result);

} // namespace platform
