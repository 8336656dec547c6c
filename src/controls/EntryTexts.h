#pragma once

#include <QByteArrayView>
#include <QString>

namespace tarn {

// Decodes the entry texts of a description file into a few large shared blocks: each text is
// a QString over its part of a block, holding a reference to it, so a file of 32767 entries
// costs a handful of allocations instead of one per entry. Copies of a text keep its block
// alive and behave as any other QString.
class EntryTexts
{
public:
    QString add(QByteArrayView windows1252);

private:
    QString m_block;
    qsizetype m_used = 0;
};

} // namespace tarn
