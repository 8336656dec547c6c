#pragma once

#include <array>
#include <cstdint>

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QRectF>

class QPainter;
class QRect;
class QString;

namespace tarn {

// Draws a cell's one line of text as QPainter::drawText(inner, AlignLeft | AlignVCenter |
// TextSingleLine) clipped to the cell does, pixel for pixel, without laying the text out every
// time. The unit's texts are 8-bit characters that a fixed-pitch font maps one to one onto
// glyphs, so their glyphs, advances and ink are looked up once per font and each text is drawn
// as a glyph run at the positions the layout would give it; it is clipped only where its ink
// reaches past the inner rectangle. Any other text (control characters, other scripts, a
// character the font lacks, right-to-left or scaled painting) goes through drawText.
class CellTextPainter
{
public:
    // `cell` is the cell's rectangle, `inner` the part the text is aligned in.
    void draw(QPainter& painter, const QRect& cell, const QRect& inner, const QString& text,
              const QColor& color);

private:
    struct Glyph
    {
        enum class State : std::uint8_t { Unknown, Drawn, LaidOut };
        State state = State::Unknown;
        quint32 index = 0;
        qreal advance = 0;
        QRectF ink; // from the pen position on the baseline
    };

    void useFont(const QFont& font);
    // Nothing when the character needs the text layout.
    const Glyph* glyph(char16_t character);
    bool drawGlyphs(QPainter& painter, const QRect& inner, const QString& text);
    void setPenColor(QPainter& painter, const QColor& color);

    QFont m_font;
    bool m_hasFont = false;
    QRawFont m_rawFont;
    qreal m_ascent = 0;
    qreal m_lineHeight = 0;
    std::array<Glyph, 256> m_latin1{};
    QHash<char16_t, Glyph> m_others;
};

} // namespace tarn
