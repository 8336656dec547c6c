#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tarn {

// Writes a JSON document straight into bytes, laid out exactly as QJsonDocument's indented
// form (four blanks per level, `"key": value`, QJsonObject's sorted key order, the same string
// escapes), without building the document's tree first. The caller gives the keys of an
// object in sorted order. With a sink the bytes go out in chunks as they are written, so a
// large document never sits in memory whole.
class JsonWriter
{
public:
    using Sink = std::function<void(std::string_view bytes)>;
    explicit JsonWriter(Sink sink = {}) : m_sink(std::move(sink)) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void value(qint64 number);
    void value(const QString& text);
    void value(std::string_view latin1);
    // A string given as 8-bit Windows-1252, written exactly as value(decodeWindows1252(text)).
    void windows1252Value(QByteArrayView text);
    void null();

    // Shortcuts for a member: key, then value.
    template <typename T> void member(std::string_view name, const T& v)
    {
        key(name);
        value(v);
    }

    // Without a sink: the document. With one: hands over what is left and returns nothing.
    QByteArray finish();

private:
    struct Level
    {
        bool object;
        int count;
    };

    void beforeValue();
    void open(char bracket, bool object);
    void close(char bracket);
    void indent(std::size_t levels);
    void escaped(const QString& text);
    // One character that needs more than copying: an escape or its UTF-8 bytes; not a
    // surrogate.
    void escapedChar(char16_t u);
    void flushIfFull();

    // std::string's inline appends are several times cheaper than QByteArray's.
    std::string m_out;
    std::vector<Level> m_levels;
    Sink m_sink;
};

} // namespace tarn
