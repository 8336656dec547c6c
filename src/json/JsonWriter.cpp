#include "json/JsonWriter.h"

#include "model/Windows1252.h"

#include <charconv>

namespace tarn {

namespace {

// Large enough to make each write to the sink worth its call, small enough to stay in cache.
constexpr std::size_t kChunkBytes = 64 * 1024;

char hexDigit(unsigned digit)
{
    return static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
}

// Copied as it stands: printable ASCII other than the quote and the backslash.
bool isPlainAscii(unsigned c)
{
    return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
}

} // namespace

void JsonWriter::flushIfFull()
{
    if (m_sink && m_out.size() >= kChunkBytes) {
        m_sink(m_out);
        m_out.clear();
    }
}

QByteArray JsonWriter::finish()
{
    if (!m_sink)
        return QByteArray(m_out.data(), qsizetype(m_out.size()));
    if (!m_out.empty())
        m_sink(m_out);
    m_out.clear();
    return {};
}

void JsonWriter::indent(std::size_t levels)
{
    m_out.append(4 * levels, ' ');
}

void JsonWriter::beforeValue()
{
    flushIfFull();
    if (m_levels.empty() || m_levels.back().object)
        return; // a document, or a member whose key wrote the separator
    Level& level = m_levels.back();
    if (level.count++ > 0)
        m_out += ",\n";
    indent(m_levels.size());
}

void JsonWriter::open(char bracket, bool object)
{
    beforeValue();
    m_out += bracket;
    m_out += '\n';
    m_levels.push_back({object, 0});
}

void JsonWriter::close(char bracket)
{
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (level.count > 0)
        m_out += '\n';
    indent(m_levels.size());
    m_out += bracket;
    if (m_levels.empty())
        m_out += '\n';
}

void JsonWriter::beginObject()
{
    open('{', true);
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::beginArray()
{
    open('[', false);
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::key(std::string_view name)
{
    flushIfFull();
    Level& level = m_levels.back();
    if (level.count++ > 0)
        m_out += ",\n";
    indent(m_levels.size());
    m_out += '"';
    m_out.append(name);
    m_out += "\": ";
}

void JsonWriter::value(qint64 number)
{
    beforeValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    m_out.append(digits, std::size_t(end - digits));
}

void JsonWriter::value(const QString& text)
{
    beforeValue();
    m_out += '"';
    escaped(text);
    m_out += '"';
}

void JsonWriter::value(std::string_view latin1)
{
    value(QString::fromLatin1(latin1.data(), qsizetype(latin1.size())));
}

void JsonWriter::null()
{
    beforeValue();
    m_out += "null";
}

void JsonWriter::escapedChar(char16_t u)
{
    if (u < 0x80) {
        m_out += '\\';
        switch (u) {
        case u'"':
            m_out += '"';
            break;
        case u'\\':
            m_out += '\\';
            break;
        case u'\b':
            m_out += 'b';
            break;
        case u'\f':
            m_out += 'f';
            break;
        case u'\n':
            m_out += 'n';
            break;
        case u'\r':
            m_out += 'r';
            break;
        case u'\t':
            m_out += 't';
            break;
        default:
            m_out += "u00";
            m_out += hexDigit(u >> 4);
            m_out += hexDigit(u & 0xF);
        }
    } else if (u < 0x800) {
        m_out += static_cast<char>(0xC0 | (u >> 6));
        m_out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        m_out += static_cast<char>(0xE0 | (u >> 12));
        m_out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        m_out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

void JsonWriter::windows1252Value(QByteArrayView text)
{
    beforeValue();
    m_out += '"';
    const char* c = text.data();
    const char* const end = c + text.size();
    while (c != end) {
        // Plain ASCII runs are copied whole.
        const char* run = c;
        while (c != end && isPlainAscii(static_cast<unsigned char>(*c)))
            ++c;
        m_out.append(run, std::size_t(c - run));
        if (c != end)
            escapedChar(fromWindows1252(*c++));
    }
    m_out += '"';
}

void JsonWriter::escaped(const QString& text)
{
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* const end = c + text.size();
    while (c != end) {
        // Plain ASCII runs are copied whole.
        const char16_t* run = c;
        while (c != end && isPlainAscii(*c))
            ++c;
        if (c != run) {
            const std::size_t start = m_out.size();
            m_out.resize(start + std::size_t(c - run));
            char* out = m_out.data() + start;
            for (; run != c; ++run)
                *out++ = static_cast<char>(*run);
        }
        if (c == end)
            break;
        const char16_t u = *c++;
        if (u < 0xD800 || u > 0xDFFF) {
            escapedChar(u);
        } else if (u < 0xDC00 && c != end && *c >= 0xDC00 && *c <= 0xDFFF) {
            const char32_t code = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (*c++ - 0xDC00);
            m_out += static_cast<char>(0xF0 | (code >> 18));
            m_out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            m_out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            m_out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            // A lone surrogate has no UTF-8 form; QJsonDocument writes it as an escape.
            m_out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                m_out += hexDigit((u >> shift) & 0xF);
        }
    }
}

} // namespace tarn
