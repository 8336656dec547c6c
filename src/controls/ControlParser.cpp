#include "controls/ControlParser.h"

#include "controls/NumberConversion.h"
#include "model/FileRead.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include <QFile>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarn {

namespace {

// A file of garbage could otherwise produce a diagnostic for every few bytes.
constexpr std::size_t kMaxDiagnostics = 1000;
// Far beyond 32767 entries of any sensible length; a larger file is not a description.
constexpr qint64 kMaxControlFileBytes = 64 * 1024 * 1024;
// Keywords quoted in diagnostics are cut to this many bytes.
constexpr qsizetype kMaxQuoted = 40;

QByteArrayView withoutTrailingBlanks(QByteArrayView text)
{
    qsizetype size = text.size();
    while (size > 0 && text[size - 1] == ' ')
        --size;
    return text.first(size);
}

QByteArrayView withoutBlanks(QByteArrayView text)
{
    text = withoutTrailingBlanks(text);
    qsizetype start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    return text.sliced(start);
}

QString quoted(QByteArrayView text)
{
    const bool cut = text.size() > kMaxQuoted;
    return u'"' + decodeWindows1252(cut ? text.first(kMaxQuoted) : text) +
           (cut ? QStringLiteral("...\"") : QStringLiteral("\""));
}

enum class Keyword { Active, Increment, Decrement, Set, Add, Subtract, Offset, Unknown };

Keyword keywordOf(QByteArrayView word)
{
    // By length first: most directives are one of a few short words.
    const auto is = [&](std::string_view keyword) {
        return std::memcmp(word.data(), keyword.data(), keyword.size()) == 0;
    };
    switch (word.size()) {
    case 3:
        return is("PTR") ? Keyword::Set : Keyword::Unknown;
    case 4:
        if (is("PTR+"))
            return Keyword::Add;
        return is("PTR-") ? Keyword::Subtract : Keyword::Unknown;
    case 5:
        if (is("PTR++"))
            return Keyword::Increment;
        return is("PTR--") ? Keyword::Decrement : Keyword::Unknown;
    case 6:
        if (is("ACTIVE"))
            return Keyword::Active;
        return is("OFFSET") ? Keyword::Offset : Keyword::Unknown;
    default:
        return Keyword::Unknown;
    }
}

// The state of one file's parse, as the description format defines it.
class Parser
{
public:
    Parser(ControlSet& set, ControlFileResult& result) : m_set(set), m_result(result) {}

    // One pass over the bytes: a line ends at CR LF or at a lone CR (a lone LF stays in the
    // line) and the last line needs no terminator. `text` must be followed by a '\0', as a
    // QByteArray's bytes are, so that the scans need no end test of their own.
    void parse(QByteArrayView text)
    {
        const char* c = text.data();
        m_end = c + text.size();
        while (c != m_end) {
            if (m_line < INT_MAX)
                ++m_line;
            // The tabs in front are the entry's depth (empty fields), the entry text runs to
            // the next tab or "~", and later fields are ignored.
            const char* const lineStart = c;
            c = skipTabs(c);
            const char* const entry = c;
            c = scanTo(c, kTab | kTilde | kLineEnd);
            if (c != entry)
                parseEntry(entry - lineStart, QByteArrayView(entry, c));
            if (*c == '\t' && c != m_end)
                c = scanTo(c, kTilde | kLineEnd);
            while (*c == '~' && c != m_end)
                c = directive(c + 1);
            if (c != m_end) {
                ++c;
                if (c != m_end && *c == '\n')
                    ++c;
            }
        }
    }

private:
    // Byte classes for the scans; every scan also stops at '\0', which is either the end of
    // the text or an ordinary byte to step over.
    enum : std::uint8_t { kTab = 1, kTilde = 2, kLineEnd = 4, kEquals = 8, kNul = 16 };
    static constexpr auto kClasses = [] {
        std::array<std::uint8_t, 256> classes{};
        classes['\t'] = kTab;
        classes['~'] = kTilde;
        classes['\r'] = kLineEnd;
        classes['='] = kEquals;
        classes[0] = kNul;
        return classes;
    }();

    // Where the first byte of class `stops` (or the end) lies from `c` on; every field ends at
    // "~" and the line's end, so `stops` always holds kTilde and kLineEnd. Sixteen bytes at a
    // time while that many are left: entry texts and directives are mostly shorter, so a line
    // usually takes one block a field.
    const char* scanTo(const char* c, std::uint8_t stops) const
    {
#if defined(__SSE2__)
        while (m_end - c >= 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c));
            const auto is = [&](char byte) {
                return _mm_cmpeq_epi8(block, _mm_set1_epi8(byte));
            };
            __m128i hits = _mm_or_si128(is('~'), is('\r'));
            if (stops & kTab)
                hits = _mm_or_si128(hits, is('\t'));
            if (stops & kEquals)
                hits = _mm_or_si128(hits, is('='));
            const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
            if (mask != 0)
                return c + std::countr_zero(mask);
            c += 16;
        }
#endif
        stops |= kNul;
        for (;;) {
            while (!(kClasses[static_cast<unsigned char>(*c)] & stops))
                ++c;
            if (*c != '\0' || c == m_end)
                return c;
            ++c;
        }
    }

    const char* skipTabs(const char* c) const
    {
#if defined(__SSE2__)
        if (m_end - c >= 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c));
            const auto others = static_cast<unsigned>(
                ~_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('\t'))) & 0xFFFF);
            if (others != 0)
                return c + std::countr_zero(others);
            c += 16;
        }
#endif
        while (*c == '\t')
            ++c;
        return c;
    }

    bool endsDirective(const char* c) const
    {
        return c == m_end || *c == '~' || *c == '\r';
    }

    // A directive that starts at `c`, up to the next "~" or the line's end; returns where it
    // ends. The usual shapes are taken directly, everything else by applyDirective.
    const char* directive(const char* c)
    {
        if (endsDirective(c))
            return c;
        const qsizetype left = m_end - c;
        if (left >= 6 && std::memcmp(c, "ACTIVE", 6) == 0 && endsDirective(c + 6)) {
            activate();
            return c + 6;
        }
        if (left >= 5 && std::memcmp(c, "PTR", 3) == 0) {
            const char sign = c[3];
            if ((sign == '+' || sign == '-') && c[4] == sign && endsDirective(c + 5)) {
                stepPointer(sign == '+' ? 1 : -1, QByteArrayView(c, 5));
                return c + 5;
            }
            const char* const value = c + (sign == '=' ? 4 : 5);
            if (sign == '=' || ((sign == '+' || sign == '-') && c[4] == '=')) {
                std::int32_t number = 0;
                const char* const after = wholeDigits(value, number);
                if (after != value && endsDirective(after)) {
                    if (sign == '=')
                        m_pointer = number;
                    else
                        stepPointer(sign == '+' ? number : -number, QByteArrayView(c, 4));
                    return after;
                }
            }
        } else if (left >= 8 && std::memcmp(c, "OFFSET=", 7) == 0) {
            std::int32_t number = 0;
            const char* const after = wholeDigits(c + 7, number);
            if (after != c + 7 && endsDirective(after)) {
                setOffset(number);
                return after;
            }
        }

        const char* const start = c;
        const char* equals = nullptr;
        bool secondEquals = false;
        for (c = scanTo(c, kTilde | kLineEnd | kEquals); *c == '=' && c != m_end;
             c = scanTo(c + 1, kTilde | kLineEnd | kEquals)) {
            secondEquals = equals != nullptr;
            equals = equals ? equals : c;
        }
        applyDirective(QByteArrayView(start, c), equals ? equals - start : -1, secondEquals);
        return c;
    }

    // Up to nine digits at `c` as a number; returns where they end, `c` itself when there are
    // none or more than nine (those take the general conversion).
    static const char* wholeDigits(const char* c, std::int32_t& number)
    {
        const char* d = c;
        for (; *d >= '0' && *d <= '9'; ++d) {
            if (d - c == 9)
                return c;
            number = number * 10 + (*d - '0');
        }
        return d;
    }

    void parseEntry(qsizetype depth, QByteArrayView field)
    {
        if (depth > 0 && m_entry == 0) {
            diagnose(QStringLiteral("no entry: depth %1 with no entry to attach to").arg(depth));
            return;
        }
        if (depth > m_depth + 1) {
            diagnose(QStringLiteral("no entry: depth %1 after depth %2").arg(depth).arg(m_depth));
            return;
        }
        if (m_set.isFull()) {
            m_result.truncated = true;
            diagnose(QStringLiteral("no entry: the set already holds %1 entries").arg(kMaxEntries));
            return;
        }

        const QByteArrayView text = withoutTrailingBlanks(field);
        int parent = 0;
        if (depth == m_depth + 1) {
            parent = m_entry;
        } else if (depth > 0) {
            int sibling = m_entry;
            for (qsizetype d = m_depth; d > depth; --d)
                sibling = m_set.parentOf(sibling);
            parent = m_set.parentOf(sibling);
        }
        const int created = m_set.appendEncoded(parent, text, m_line);
        if (created == 0)
            return;
        m_entry = created;
        m_depth = static_cast<int>(depth);
    }

    // `equals` is the position of the first "=" in the directive or -1.
    void applyDirective(QByteArrayView directive, qsizetype equals, bool secondEquals)
    {
        if (directive.isEmpty())
            return;
        const QByteArrayView word =
            withoutTrailingBlanks(equals < 0 ? directive : directive.first(equals));
        const Keyword keyword = keywordOf(word);
        switch (keyword) {
        case Keyword::Active:
            activate();
            return;
        case Keyword::Increment:
            stepPointer(1, word);
            return;
        case Keyword::Decrement:
            stepPointer(-1, word);
            return;
        case Keyword::Unknown:
            diagnose(QStringLiteral("unrecognised directive %1").arg(quoted(word)));
            return;
        default:
            break;
        }

        if (equals < 0) {
            diagnose(QStringLiteral("directive %1 needs a value").arg(quoted(word)));
            return;
        }
        if (secondEquals) {
            diagnose(QStringLiteral("directive %1 has more than one \"=\"").arg(quoted(word)));
            return;
        }
        const QByteArrayView value = directive.sliced(equals + 1);
        switch (keyword) {
        case Keyword::Set:
            if (const auto whole = leadingWholeNumber(value))
                m_pointer = static_cast<std::int32_t>(*whole);
            else if (withoutBlanks(value) == "OFFSET")
                m_pointer = m_offset;
            else
                setPointer(leadingNumber(value), word);
            return;
        case Keyword::Add:
            if (const auto whole = leadingWholeNumber(value))
                stepPointer(*whole, word);
            else
                setPointer(double(m_pointer) + leadingNumber(value), word);
            return;
        case Keyword::Subtract:
            if (const auto whole = leadingWholeNumber(value))
                stepPointer(-*whole, word);
            else
                setPointer(double(m_pointer) - leadingNumber(value), word);
            return;
        case Keyword::Offset:
            setOffset(roundHalfEven(leadingNumber(value)));
            return;
        default:
            return;
        }
    }

    void activate()
    {
        if (m_entry == 0) {
            diagnose(QStringLiteral("ACTIVE before any entry"));
        } else if (m_pointer < 0 || m_pointer >= kPointerSlots) {
            diagnose(QStringLiteral("ACTIVE with pointer %1 outside 0..%2")
                         .arg(m_pointer)
                         .arg(kPointerSlots - 1));
        } else {
            m_set.setPointerToNode(m_pointer, m_entry);
        }
    }

    void setPointer(double value, QByteArrayView word)
    {
        const double rounded = roundHalfEven(value);
        // Written so that NaN fails the test too.
        if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
              rounded <= std::numeric_limits<std::int32_t>::max())) {
            diagnose(QStringLiteral("%1 ignored: pointer would leave the 32-bit range")
                         .arg(quoted(word)));
            return;
        }
        m_pointer = static_cast<std::int32_t>(rounded);
    }

    // The same as setPointer(m_pointer + step) without the trip through a double.
    void stepPointer(std::int64_t step, QByteArrayView word)
    {
        const std::int64_t next = m_pointer + step;
        if (next < std::numeric_limits<std::int32_t>::min() ||
            next > std::numeric_limits<std::int32_t>::max()) {
            setPointer(double(next), word);
            return;
        }
        m_pointer = static_cast<std::int32_t>(next);
    }

    void setOffset(double rounded)
    {
        if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
              rounded <= std::numeric_limits<std::int16_t>::max())) {
            diagnose(QStringLiteral("OFFSET %1 outside -32768..32767 ignored").arg(rounded));
            return;
        }
        m_offset = static_cast<std::int16_t>(rounded);
    }

    void diagnose(const QString& message)
    {
        auto& diagnostics = m_result.diagnostics;
        if (diagnostics.size() < kMaxDiagnostics)
            diagnostics.push_back({m_line, message});
        else if (diagnostics.size() == kMaxDiagnostics)
            diagnostics.push_back({m_line, QStringLiteral("further diagnostics not listed")});
    }

    ControlSet& m_set;
    ControlFileResult& m_result;
    const char* m_end = nullptr;
    int m_line = 0;
    std::int32_t m_pointer = 0;
    std::int16_t m_offset = 0;
    int m_entry = 0; // the entry most recently created from this file, 0 for none
    int m_depth = 0;
};

} // namespace

ControlFileResult parseControlDescription(const QByteArray& bytes, ControlSet& set)
{
    ControlFileResult result;
    result.opened = true;
    // Entry texts stay in the file's bytes; the set holds on to them.
    const QByteArrayView text = set.keepSource(bytes);
    Parser parser(set, result);
    // An entry needs a character and a line end, except on the last line.
    set.reserveEntries(static_cast<int>(std::min<qsizetype>(kMaxEntries, (text.size() + 1) / 2)));
    parser.parse(text);
    set.loaded = true;
    set.rebuildNodeToPointer();
    return result;
}

ControlFileResult parseControlDescription(QByteArrayView bytes, ControlSet& set)
{
    return parseControlDescription(bytes.toByteArray(), set);
}

ControlFileResult LoadControlSet(ControlSet& set, const QString& path)
{
    ControlFileResult failed;
    const WholeFile file = readWholeFile(path, kMaxControlFileBytes);
    failed.existed = file.existed;
    if (!file.existed) {
        QFile missing(path); // for the system's own words
        failed.error = path + QStringLiteral(": ") +
                       (missing.open(QIODevice::ReadOnly) ? QStringLiteral("cannot be read")
                                                          : missing.errorString());
    } else if (file.problem)
        failed.error = file.problem->message();
    else if (file.truncated)
        failed.error = path + QStringLiteral(": too large to be a control description file");
    if (!failed.error.isEmpty())
        return failed;
    ControlFileResult parsed = parseControlDescription(file.bytes, set);
    parsed.existed = true;
    return parsed;
}

} // namespace tarn
