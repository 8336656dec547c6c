#include "json/JsonText.h"

#include <QJsonArray>
#include <QSet>

namespace tarn {

namespace {

// Line and column (both from 1, the column in characters) of a byte offset into UTF-8 text.
QString position(const QByteArray& text, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, text.size());
    qsizetype lineStart = 0;
    int line = 1;
    for (qsizetype k = 0; k < offset; ++k) {
        if (text.at(k) == '\n') {
            ++line;
            lineStart = k + 1;
        }
    }
    const qsizetype column =
        QString::fromUtf8(text.constData() + lineStart, offset - lineStart).size() + 1;
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

// The string token starting at the quote `begin`, decoded; `end` is left after its quote.
QString stringToken(const QByteArray& text, qsizetype begin, qsizetype& end)
{
    bool escaped = false;
    qsizetype k = begin + 1;
    while (k < text.size() && text.at(k) != '"') {
        if (text.at(k) == '\\') {
            escaped = true;
            ++k;
        }
        ++k;
    }
    end = k + 1;
    if (!escaped)
        return QString::fromUtf8(text.constData() + begin + 1, k - begin - 1);
    // Rare in keys: let Qt decode the escapes, so "a" and "\u0061" are the same key.
    const QByteArray wrapped = '[' + text.mid(begin, end - begin) + ']';
    return QJsonDocument::fromJson(wrapped).array().at(0).toString();
}

// The place of an object's member; an empty key is shown as "" so that it is never nameless.
QString memberPlace(const QString& place, const QString& key)
{
    const QString shown = key.isEmpty() ? QStringLiteral("\"\"") : key;
    return place.isEmpty() ? shown : place + u'.' + shown;
}

struct Frame
{
    bool isObject = false;
    bool expectKey = true;
    int index = -1;
    QString place;
    QString key;
    QSet<QString> keys;
};

// Walks text that QJsonDocument has accepted, naming each place as the import does.
std::vector<JsonProblem> findDuplicateKeys(const QByteArray& text)
{
    std::vector<JsonProblem> problems;
    std::vector<Frame> stack;
    // Where the value that starts now sits.
    const auto valuePlace = [&stack]() -> QString {
        if (stack.empty())
            return {};
        Frame& top = stack.back();
        if (!top.isObject)
            return top.place + u'[' + QString::number(++top.index) + u']';
        return memberPlace(top.place, top.key);
    };
    for (qsizetype k = 0; k < text.size();) {
        const char c = text.at(k);
        if (c == '{' || c == '[') {
            Frame frame;
            frame.isObject = c == '{';
            frame.place = valuePlace();
            stack.push_back(std::move(frame));
            ++k;
        } else if (c == '}' || c == ']') {
            stack.pop_back();
            ++k;
        } else if (c == ',') {
            if (!stack.empty())
                stack.back().expectKey = true;
            ++k;
        } else if (c == '"' && !stack.empty() && stack.back().isObject && stack.back().expectKey) {
            Frame& top = stack.back();
            top.key = stringToken(text, k, k);
            top.expectKey = false;
            if (top.keys.contains(top.key)) {
                problems.push_back({memberPlace(top.place, top.key),
                                    QStringLiteral("the key is given more than once")});
            }
            top.keys.insert(top.key);
        } else if (c == '"') {
            valuePlace();
            stringToken(text, k, k);
        } else if (c == ':' || c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            ++k;
        } else {
            // A number, true, false or null.
            valuePlace();
            while (k < text.size() && !QByteArrayView(",]} \t\n\r").contains(text.at(k)))
                ++k;
        }
    }
    return problems;
}

} // namespace

JsonText parseJsonText(const QByteArray& text)
{
    JsonText result;
    QJsonParseError error;
    result.document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        result.syntaxError =
            position(text, error.offset) + QStringLiteral(": ") + error.errorString();
        result.document = {};
        return result;
    }
    result.duplicateKeys = findDuplicateKeys(text);
    return result;
}

} // namespace tarn
