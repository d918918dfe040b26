// SPDX-License-Identifier: MIT
#include "platform/runtime/numbertext.h"

#include "platform/runtime/runtimeerror.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>

namespace platform {

namespace {

constexpr bool isIgnorable(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

constexpr int digitValue(char16_t c, int radix)
{
    int value = 99;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < radix ? value : -1;
}

// Walks a text one character at a time, stepping over the characters that
// the number rules ignore wherever they stand.
class Cursor
{
public:
    explicit Cursor(QStringView text)
        : m_pos(text.utf16())
        , m_end(m_pos + text.size())
    {
        skipIgnorable();
    }
    char16_t peek() const { return m_pos == m_end ? u'\0' : *m_pos; }
    void advance()
    {
        ++m_pos;
        skipIgnorable();
    }
    bool take(char16_t lower, char16_t upper)
    {
        if (peek() != lower && peek() != upper)
            return false;
        advance();
        return true;
    }

private:
    void skipIgnorable()
    {
        while (m_pos != m_end && isIgnorable(*m_pos))
            ++m_pos;
    }
    const char16_t *m_pos;
    const char16_t *m_end;
};

double readPrefixed(Cursor &cursor, int radix)
{
    constexpr std::uint64_t largest = 0xFFFFFFFFu;
    std::uint64_t value = 0;
    for (int d; (d = digitValue(cursor.peek(), radix)) >= 0; cursor.advance()) {
        value = value * radix + d;
        if (value > largest)
            throw RuntimeError::overflow();
    }
    if (value <= 0xFFFFu)
        return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(value);
}

// Exponents beyond this only tell overflow from underflow.
constexpr std::int64_t exponentCap = 1'000'000'000;

double readDecimal(Cursor &cursor)
{
    // The number compacted, its ignorable characters gone: what from_chars
    // reads, correctly rounded at any length.
    std::string number;
    const bool negative = cursor.peek() == u'-';
    if (negative || cursor.peek() == u'+')
        cursor.advance();
    if (negative)
        number += '-';
    // Where the first significant digit stands against the point, to tell a
    // value beyond the double range from one too small for it.
    std::int64_t magnitude = 0;
    bool anyDigit = false;
    bool significant = false;
    bool afterPoint = false;
    for (;; cursor.advance()) {
        const char16_t c = cursor.peek();
        if (c == u'.' && !afterPoint) {
            afterPoint = true;
        } else if (c >= u'0' && c <= u'9') {
            anyDigit = true;
            significant |= c != u'0';
            magnitude += significant ? !afterPoint : -std::int64_t(afterPoint);
        } else {
            break;
        }
        number += char(c);
    }
    if (!anyDigit)
        return 0.0;

    const Cursor beforeExponent = cursor;
    const std::size_t mantissaEnd = number.size();
    if (cursor.take(u'e', u'E')) {
        number += 'e';
        const bool negativeExponent = cursor.peek() == u'-';
        if (negativeExponent || cursor.peek() == u'+') {
            number += char(cursor.peek());
            cursor.advance();
        }
        const std::size_t digitsFrom = number.size();
        std::int64_t exponent = 0;
        for (int d; (d = digitValue(cursor.peek(), 10)) >= 0; cursor.advance()) {
            number += char(u'0' + d);
            exponent = std::min(exponent * 10 + d, exponentCap);
        }
        if (number.size() == digitsFrom) {
            cursor = beforeExponent; // "1e" or "1e+" ends at the 1
            number.resize(mantissaEnd);
        } else {
            magnitude += negativeExponent ? -exponent : exponent;
        }
    }

    // Zero needs no conversion, and zeros are what most fields hold.
    const double zero = negative ? -0.0 : 0.0;
    if (!significant)
        return zero;
    double value = 0.0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc::result_out_of_range) {
        if (magnitude > 0)
            throw RuntimeError::overflow();
        return zero;
    }
    return value;
}

// The runtime writes the decimal point as the separator it is given and the
// exponent with a capital E.
QString fromLatin1(const char *begin, const char *end, QChar decimalSeparator)
{
    QString text(end - begin, Qt::Uninitialized);
    QChar *out = text.data();
    for (const char *p = begin; p != end; ++p)
        *out++ = *p == '.' ? decimalSeparator : QChar(QLatin1Char(*p == 'e' ? 'E' : *p));
    return text;
}

} // namespace

double leadingNumber(QStringView text)
{
    Cursor cursor(text);
    if (cursor.take(u'&', u'&')) {
        if (cursor.take(u'h', u'H'))
            return readPrefixed(cursor, 16);
        if (cursor.take(u'o', u'O'))
            return readPrefixed(cursor, 8);
        return 0.0;
    }
    return readDecimal(cursor);
}

QString doubleText(double value, QChar decimalSeparator)
{
    // No text stands for infinity or NaN; such a value could only have come
    // from an overflow.
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    // Negative zero too; and zero, the commonest amount, costs no copy.
    if (value == 0.0)
        return QStringLiteral("0");
    // C's %.15G: fifteen significant digits without trailing zeros, the
    // exponent form from 1E+15 up and below 0.0001, two exponent digits at
    // least.
    char out[32];
    const char *end = std::to_chars(out, out + sizeof out, value, std::chars_format::general, 15).ptr;
    return fromLatin1(out, end, decimalSeparator);
}

double readDoubleText(QStringView text, QChar decimalSeparator)
{
    std::string ascii;
    ascii.reserve(text.size());
    for (const QChar c : text) {
        if (c == decimalSeparator)
            ascii.push_back('.');
        else if (c.unicode() < 0x80 && c != u'.')
            ascii.push_back(char(c.unicode()));
        else
            throw RuntimeError::typeMismatch();
    }
    // from_chars would also take "inf" and "nan", which no double text is.
    const std::size_t first = !ascii.empty() && ascii[0] == '-';
    if (first >= ascii.size() || ascii[first] < '0' || ascii[first] > '9')
        throw RuntimeError::typeMismatch();

    double value = 0.0;
    const char *end = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(ascii.data(), end, value);
    if (ec == std::errc::result_out_of_range)
        throw RuntimeError::overflow();
    if (ec != std::errc() || ptr != end)
        throw RuntimeError::typeMismatch();
    return value;
}

// GCC and Clang both have 128-bit integers; __extension__ marks the one
// place that relies on them.
__extension__ typedef __int128 Int128;

Currency toCurrency(double value)
{
    // Beyond 2^63 the value cannot be in range; below it the exact product
    // with 10000 fits comfortably in 128 bits.
    if (!(std::fabs(value) < 0x1p63))
        throw RuntimeError::overflow();
    if (value == 0.0)
        return {};

    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    exponent -= 53; // value == mantissa * 2^exponent, exactly

    Int128 scaled = static_cast<Int128>(mantissa) * 10000;
    if (exponent >= 0) {
        scaled <<= exponent;
    } else if (exponent < -100) {
        scaled = 0; // |scaled| < 2^67, far below half a unit
    } else {
        const int shift = -exponent;
        const Int128 quotient = scaled >> shift; // floor, also for negatives
        const Int128 remainder = scaled - (quotient << shift);
        const Int128 half = static_cast<Int128>(1) << (shift - 1);
        scaled = quotient + (remainder > half || (remainder == half && (quotient & 1)));
    }
    if (scaled > std::numeric_limits<std::int64_t>::max()
        || scaled < std::numeric_limits<std::int64_t>::min())
        throw RuntimeError::overflow();
    return {static_cast<std::int64_t>(scaled)};
}

QString currencyText(Currency value, QChar decimalSeparator)
{
    const bool negative = value.tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.tenThousandths)
                                             : static_cast<std::uint64_t>(value.tenThousandths);
    char out[32];
    char *p = out;
    if (negative)
        *p++ = '-';
    p = std::to_chars(p, std::end(out), magnitude / 10000).ptr;
    if (const std::uint64_t fraction = magnitude % 10000) {
        // 1dddd keeps the fraction's leading zeros; its 1 becomes the point.
        char *point = p;
        p = std::to_chars(p, std::end(out), 10000 + fraction).ptr;
        *point = '.';
        while (p[-1] == '0')
            --p;
    }
    return fromLatin1(out, p, decimalSeparator);
}

double finiteOrOverflow(double result)
{
    if (!std::isfinite(result))
        throw RuntimeError::overflow();
    return result;
}

} // namespace platform
