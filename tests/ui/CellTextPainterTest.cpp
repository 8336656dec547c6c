#include "ui/CellTextPainter.h"

#include "ui/Fonts.h"

#include <functional>
#include <string>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace tarn {
namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
constexpr int kMargin = 3;

// Whether the painter paints `text` in `cell` as Qt's own text drawing does, clipped to it.
bool paintsAsDrawText(CellTextPainter& cellText, const QRect& cell, const QString& text,
                      Qt::LayoutDirection direction = Qt::LeftToRight)
{
    const QRect inner = cell.adjusted(kMargin, 0, -kMargin, 0);
    const QColor color(20, 40, 160);
    const auto painted = [&](const std::function<void(QPainter&)>& paint) {
        QImage image(cell.size() + QSize(8, 12), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(sixPixelFixedFont());
        painter.setLayoutDirection(direction);
        paint(painter);
        return image;
    };
    return painted([&](QPainter& painter) {
               painter.setPen(color);
               painter.setClipRect(cell);
               painter.drawText(inner, kTextFlags, text);
           }) ==
           painted([&](QPainter& painter) { cellText.draw(painter, cell, inner, text, color); });
}

struct TextCase
{
    const char* name;
    const char16_t* text;
};

using CellTextPainting = ::testing::TestWithParam<TextCase>;

// Cell heights around the grid's, where glyphs below the baseline or above the capitals meet
// the clip.
TEST_P(CellTextPainting, PaintsExactlyWhatDrawTextPaints)
{
    CellTextPainter cellText;
    const QString text = QString::fromUtf16(GetParam().text);
    for (const int height : {7, 10, 11, 12, 15}) {
        for (const int width : {40, 160})
            EXPECT_TRUE(paintsAsDrawText(cellText, {4, 6, width, height}, text)) << height;
    }
    EXPECT_TRUE(paintsAsDrawText(cellText, {4, 6, 160, 11}, text, Qt::RightToLeft));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CellTextPainting,
    ::testing::Values(TextCase{"Windows1252", u" Fader \"left\" \\ \u00e9\u20ac A=B"},
                      TextCase{"Descenders", u" gjpqy_|,;"},
                      TextCase{"Accents", u" \u00c5\u00c9\u00c7\u00d6\u00dc\u00ff\u00e0\u00f1"},
                      TextCase{"ControlCharacters", u" a\tb\nc\u0001d\u007f"},
                      TextCase{"SoftHyphen", u" Fader\u00adname"},
                      TextCase{"Hebrew", u" \u05d0\u05d1 abc"},
                      TextCase{"Ideographs", u" \u4e2d\u6587"}, TextCase{"Blanks", u"   "},
                      TextCase{"Empty", u""},
                      TextCase{"WiderThanTheCell", u" WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every character the painter draws from its own glyph table, next to every other, in the
// same spot as the text layout puts it: no kerning or ligature of the font is lost.
TEST(CellTextPainter, PaintsEveryPairOfItsCharactersAsDrawTextDoes)
{
    QString characters;
    for (char16_t c = 0x20; c < 0x100; ++c) {
        if (c != 0x7F && c != 0xAD && !(c >= 0x80 && c < 0xA0))
            characters.append(QChar(c));
    }
    characters += QString::fromUtf16(u"\u20ac\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030"
                                     u"\u0160\u2039\u0152\u017d\u2018\u2019\u201c\u201d\u2022"
                                     u"\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u017e\u0178");
    QString pairs;
    for (const QChar first : characters) {
        for (const QChar second : characters)
            pairs += QString(first) + second;
    }
    // Lines that overlap by one character, so that no pair falls between two of them.
    constexpr int kLine = 120;
    CellTextPainter cellText;
    int different = 0;
    for (qsizetype at = 0; at + 1 < pairs.size(); at += kLine - 1) {
        const QString line = pairs.mid(at, kLine);
        if (!paintsAsDrawText(cellText, {4, 6, kLine * 6 + 16, 14}, line) && ++different <= 5)
            ADD_FAILURE() << "differs: \"" << line.toStdString() << '"';
    }
    EXPECT_EQ(different, 0);
}

} // namespace
} // namespace tarn
