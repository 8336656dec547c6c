#include "json/JsonWriter.h"

#include "model/Windows1252.h"

#include <string>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct TextRow
{
    const char* name;
    QString text;
};

using JsonWriterText = ::testing::TestWithParam<TextRow>;

// The writer's bytes must be the ones QJsonDocument writes for the same document.
TEST_P(JsonWriterText, WritesAStringAsQJsonDocumentDoes)
{
    const QString& text = GetParam().text;
    JsonWriter json;
    json.beginObject();
    json.member("a", text);
    json.key("b");
    json.beginArray();
    json.value(text);
    json.endArray();
    json.endObject();
    const QByteArray expected =
        QJsonDocument(QJsonObject{{"a", text}, {"b", QJsonArray{text}}}).toJson();
    EXPECT_EQ(json.finish().toStdString(), expected.toStdString());
}

QString allBelow(char16_t end)
{
    QString text;
    for (char16_t c = 0; c < end; ++c)
        text += QChar(c);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonWriterText,
    ::testing::Values(TextRow{"Empty", QString()}, TextRow{"EveryAsciiCharacter", allBelow(0x80)},
                      TextRow{"QuoteAndBackslash", QStringLiteral("say \"hi\" \\ there")},
                      TextRow{"Windows1252Letters",
                              QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC 5")},
                      TextRow{"SurrogatePair", QString::fromUtf8("\xF0\x9F\x8E\x9A fader")},
                      TextRow{"LoneHighSurrogate", QString(QChar(0xD83C)) + u'x'},
                      TextRow{"LoneLowSurrogateAtEnd", u'x' + QString(QChar(0xDF9A))},
                      TextRow{"C1Controls", QString(QChar(0x81)) + QChar(0x9D)}),
    [](const auto& info) { return std::string(info.param.name); });

// Entry texts go out straight from the file's bytes; every byte must come out as its
// decoded character would.
TEST(JsonWriter, WritesWindows1252BytesAsTheirDecodedText)
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    for (const QByteArray& text : {bytes, QByteArray("plain"), QByteArray()}) {
        JsonWriter json;
        json.beginArray();
        json.windows1252Value(text);
        json.endArray();
        const QByteArray expected = QJsonDocument(QJsonArray{decodeWindows1252(text)}).toJson();
        EXPECT_EQ(json.finish().toStdString(), expected.toStdString());
    }
}

// Empty and nested containers, numbers, null, and chunks handed to a sink as they fill.
TEST(JsonWriter, WritesNestedContainersAsQJsonDocumentDoes)
{
    const auto write = [](JsonWriter& json) {
        json.beginObject();
        json.key("empty");
        json.beginArray();
        json.endArray();
        json.key("none");
        json.beginObject();
        json.endObject();
        json.key("rows");
        json.beginArray();
        for (int r = 0; r < 3000; ++r) {
            json.beginArray();
            json.value(-r);
            json.null();
            json.beginObject();
            json.member("x", qint64(r) * 1'000'000'007);
            json.endObject();
            json.endArray();
        }
        json.endArray();
        json.endObject();
    };
    QJsonArray rows;
    for (int r = 0; r < 3000; ++r)
        rows.append(
            QJsonArray{-r, QJsonValue::Null, QJsonObject{{"x", qint64(r) * 1'000'000'007}}});
    const QByteArray expected =
        QJsonDocument(QJsonObject{{"empty", QJsonArray()}, {"none", QJsonObject()}, {"rows", rows}})
            .toJson();

    JsonWriter whole;
    write(whole);
    EXPECT_EQ(whole.finish().toStdString(), expected.toStdString());

    std::string streamed;
    int chunks = 0;
    JsonWriter sink([&](std::string_view bytes) {
        streamed += bytes;
        ++chunks;
    });
    write(sink);
    EXPECT_TRUE(sink.finish().isEmpty());
    EXPECT_EQ(streamed, expected.toStdString());
    EXPECT_GT(chunks, 1);
}

} // namespace
} // namespace tarn
