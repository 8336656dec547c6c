#include "cli/PrintablePath.h"

namespace tarn::cli {

QString printablePath(const QString& path)
{
    QString text;
    text.reserve(path.size());
    for (const QChar c : path) {
        const char16_t code = c.unicode();
        if (code == u'\n')
            text += QStringLiteral("\\n");
        else if (code == u'\t')
            text += QStringLiteral("\\t");
        else if (code == u'\r')
            text += QStringLiteral("\\r");
        else if (code < 0x20 || code == 0x7f || (code >= 0x80 && code < 0xa0))
            text += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text;
}

} // namespace tarn::cli
