#include "controls/ControlParser.h"

#include "controls/LineReader.h"
#include "model/FileRead.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include <QFile>

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

qsizetype indexOf(QByteArrayView text, char c, qsizetype from = 0)
{
    if (from >= text.size())
        return -1;
    const char* begin = text.data();
    const auto* found =
        static_cast<const char*>(std::memchr(begin + from, c, std::size_t(text.size() - from)));
    return found ? found - begin : -1;
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

    void parseLine(QByteArrayView line, int lineNumber)
    {
        m_line = lineNumber;
        const char* const end = line.data() + line.size();
        // One pass over the entry part: the tabs in front are its depth (empty fields), the
        // entry text runs to the next tab or "~", and later fields are ignored.
        const char* c = line.data();
        while (c != end && *c == '\t')
            ++c;
        const char* const text = c;
        while (c != end && *c != '\t' && *c != '~')
            ++c;
        if (c != text)
            parseEntry(text - line.data(), QByteArrayView(text, c));
        if (c != end && *c == '\t') {
            const qsizetype tilde = indexOf(QByteArrayView(c, end), '~');
            c = tilde < 0 ? end : c + tilde;
        }
        while (c != end) {
            const char* const start = ++c;
            const char* equals = nullptr;
            bool secondEquals = false;
            for (; c != end && *c != '~'; ++c) {
                if (*c == '=') {
                    secondEquals = equals != nullptr;
                    equals = equals ? equals : c;
                }
            }
            applyDirective(QByteArrayView(start, c), equals ? equals - start : -1, secondEquals);
        }
    }

private:
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
    LineReader lines(text);
    QByteArrayView line;
    while (lines.next(line))
        parser.parseLine(line, lines.lineNumber());
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
