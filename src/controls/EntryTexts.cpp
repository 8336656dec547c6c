#include "controls/EntryTexts.h"

#include "model/Windows1252.h"

#include <algorithm>
#include <utility>

namespace tarn {

namespace {

constexpr qsizetype kBlockChars = 64 * 1024;

} // namespace

QString EntryTexts::add(QByteArrayView windows1252)
{
    const qsizetype size = windows1252.size();
    if (size == 0)
        return decodeWindows1252(windows1252);
    // Each text is followed by its own terminating null, as every QString's data is.
    if (m_block.isNull() || m_block.size() - m_used < size + 1) {
        m_block = QString(std::max(kBlockChars, size + 1), Qt::Uninitialized);
        m_used = 0;
    }
    // Written through the shared pointer: the block's earlier parts belong to texts already
    // handed out, the rest to nobody yet, so no copy-on-write is wanted.
    QString::DataPointer& block = m_block.data_ptr();
    char16_t* text = block.data() + m_used;
    decodeWindows1252Into(windows1252, text);
    text[size] = u'\0';
    m_used += size + 1;
    block.d_ptr()->ref();
    return QString(QString::DataPointer(block.d_ptr(), text, size));
}

} // namespace tarn
