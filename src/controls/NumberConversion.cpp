#include "controls/NumberConversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace tarn {

namespace {

// More significant digits than a double ever needs to round correctly (767), plus one sticky digit.
constexpr int kMaxDigits = 800;
// Saturation point of a written exponent: more than any value's digit count could cancel.
constexpr long long kExponentLimit = 1'000'000'000'000'000;

class Scanner
{
public:
    explicit Scanner(QByteArrayView text) : m_text(text) {}

    // The next byte after skipping blanks, tabs and line feeds, or -1 at the end.
    int peek()
    {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c != ' ' && c != '\t' && c != '\n')
                return static_cast<unsigned char>(c);
            ++m_pos;
        }
        return -1;
    }
    void advance() { ++m_pos; }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

const char* afterBlanks(const char* c, const char* end)
{
    while (c != end && isBlank(*c))
        ++c;
    return c;
}

// Skips blanks and a sign; true when the sign was a minus.
bool takeSign(const char*& c, const char* end)
{
    c = afterBlanks(c, end);
    const bool negative = c != end && *c == '-';
    if (c != end && (*c == '-' || *c == '+'))
        ++c;
    return negative;
}

// Whether the number that stopped at `c` ends there: blanks may follow, then nothing that
// would continue it as a longer or a differently written number.
bool endsHere(const char* c, const char* end)
{
    c = afterBlanks(c, end);
    return c == end || !(isDigit(*c) || *c == '.' || *c == 'E' || *c == 'e');
}

// The usual value: blanks, a sign, at most 15 digits with or without a fraction, then blanks
// and anything that cannot continue a number. Such a value is an integer below 2^53 divided by
// a power of ten up to 10^15, both exact, so one division rounds it correctly. Anything else
// (a blank inside the number, an exponent, many digits) goes the long way.
std::optional<double> plainNumber(QByteArrayView value)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* c = value.data();
    const char* const end = c + value.size();
    const bool negative = takeSign(c, end);
    long long digits = 0;
    int count = 0;
    int fraction = 0;
    const auto take = [&](bool inFraction) {
        for (; c != end && isDigit(*c); ++c) {
            if (++count > 15)
                return false;
            digits = digits * 10 + (*c - '0');
            fraction += inFraction ? 1 : 0;
        }
        return true;
    };
    if (!take(false))
        return std::nullopt;
    if (c != end && *c == '.') {
        ++c;
        if (!take(true))
            return std::nullopt;
    }
    if (count == 0 || !endsHere(c, end))
        return std::nullopt;
    if (digits == 0)
        return 0.0;
    const double number = static_cast<double>(digits) / kPowers[fraction];
    return negative ? -number : number;
}

} // namespace

std::optional<std::int32_t> leadingWholeNumber(QByteArrayView value)
{
    const char* c = value.data();
    const char* const end = c + value.size();
    const bool negative = takeSign(c, end);
    const char* const digits = c;
    std::int32_t number = 0;
    for (; c != end && isDigit(*c); ++c) {
        if (c - digits == 9)
            return std::nullopt;
        number = number * 10 + (*c - '0');
    }
    if (c == digits || !endsHere(c, end))
        return std::nullopt;
    return negative ? -number : number;
}

double leadingNumber(QByteArrayView value)
{
    if (const auto plain = plainNumber(value))
        return *plain;
    // "&H" and "&O" forms are not numbers here: "&H10" has no digit before the letter and gives 0.
    Scanner in(value);
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }

    // The mantissa is kept as significant digits d1 d2 ... with value 0.d1d2... * 10^pointShift;
    // room for the digits, a sticky digit, and the exponent written after them.
    char text[kMaxDigits + 32];
    int count = 0;
    bool sticky = false; // a non-zero digit beyond kMaxDigits was dropped
    long long pointShift = 0;
    bool anyDigit = false;
    const auto take = [&](int c) {
        if (count < kMaxDigits)
            text[count++] = static_cast<char>(c);
        else if (c != '0')
            sticky = true;
    };

    for (int c = in.peek(); isDigit(c); c = in.peek()) {
        anyDigit = true;
        if (count > 0 || c != '0') {
            take(c);
            ++pointShift;
        }
        in.advance();
    }
    if (in.peek() == '.') {
        in.advance();
        for (int c = in.peek(); isDigit(c); c = in.peek()) {
            anyDigit = true;
            if (count > 0 || c != '0')
                take(c);
            else
                --pointShift;
            in.advance();
        }
    }
    if (!anyDigit)
        return 0.0;

    long long exponent = 0;
    if (in.peek() == 'E' || in.peek() == 'e') {
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == '+' || in.peek() == '-') {
            negativeExponent = in.peek() == '-';
            in.advance();
        }
        for (int c = in.peek(); isDigit(c); c = in.peek()) {
            exponent = std::min(exponent * 10 + (c - '0'), kExponentLimit);
            in.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (count == 0)
        return 0.0;

    if (sticky)
        text[count++] = '1';
    // Written as the integer d1d2...dn times 10^(pointShift + exponent - n).
    const long long scale = pointShift + exponent - count;
    char* end = text + count;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, scale).ptr;

    double result = 0.0;
    const auto parsed = std::from_chars(text, end, result, std::chars_format::scientific);
    if (parsed.ec == std::errc::result_out_of_range) // too large when 0.d1d2... * 10^k has k > 0
        result = pointShift + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -result : result;
}

} // namespace tarn
