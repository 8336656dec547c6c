#pragma once

#include <climits>
#include <cstring>

#include <QByteArrayView>

namespace tarn {

// Splits 8-bit text into lines the way the unit's text files are read: a line ends at CR LF or
// at a lone CR, a lone LF stays in the line, and the last line needs no terminator.
class LineReader
{
public:
    explicit LineReader(QByteArrayView text) : m_text(text) {}

    // The next line without its terminator; false when the text is used up.
    bool next(QByteArrayView& line)
    {
        const qsizetype size = m_text.size();
        if (m_pos >= size)
            return false;
        const char* begin = m_text.data() + m_pos;
        const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', size_t(size - m_pos)));
        const qsizetype end = cr ? m_pos + (cr - begin) : size;
        line = m_text.sliced(m_pos, end - m_pos);
        m_pos = end + 1;
        if (cr && m_pos < size && m_text[m_pos] == '\n')
            ++m_pos;
        if (m_lineNumber < INT_MAX)
            ++m_lineNumber;
        return true;
    }

    // Number of the line `next` returned last, counted from 1.
    int lineNumber() const { return m_lineNumber; }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
    int m_lineNumber = 0;
};

} // namespace tarn
