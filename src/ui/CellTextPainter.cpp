#include "ui/CellTextPainter.h"

#include "model/Windows1252.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QString>
#include <QVarLengthArray>

namespace tarn {

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

// The printable characters of the unit's 8-bit texts. The soft hyphen is left to the layout,
// which hides it.
bool isPlainCharacter(char16_t c)
{
    if (c < 0x100)
        return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c != 0xAD);
    return toWindows1252(c).has_value(); // the letters and signs of bytes 0x80..0x9F
}

// Where the layout puts a line's top: on the 1/64 pixel grid its positions use.
qreal onLayoutGrid(qreal value)
{
    return qRound(value * 64) / 64.0;
}

} // namespace

void CellTextPainter::draw(QPainter& painter, const QRect& cell, const QRect& inner,
                           const QString& text, const QColor& color)
{
    if (text.isEmpty())
        return;
    setPenColor(painter, color);
    // Scaled painting (a high-density screen) hints glyphs differently; it keeps the layout.
    if (painter.layoutDirection() == Qt::LeftToRight &&
        painter.deviceTransform().type() <= QTransform::TxTranslate &&
        drawGlyphs(painter, inner, text))
        return;
    painter.save();
    painter.setClipRect(cell);
    painter.drawText(inner, kTextFlags, text);
    painter.restore();
}

void CellTextPainter::setPenColor(QPainter& painter, const QColor& color)
{
    const QPen& pen = painter.pen();
    if (pen.style() != Qt::SolidLine || pen.color() != color ||
        pen.brush().style() != Qt::SolidPattern)
        painter.setPen(color);
}

void CellTextPainter::useFont(const QFont& font)
{
    if (m_hasFont && font == m_font)
        return;
    m_font = font;
    m_hasFont = true;
    m_rawFont = QRawFont::fromFont(font);
    const QFontMetricsF metrics(font);
    m_ascent = metrics.ascent();
    m_lineHeight = metrics.ascent() + metrics.descent();
    m_latin1.fill({});
    m_others.clear();
}

const CellTextPainter::Glyph* CellTextPainter::glyph(char16_t character)
{
    Glyph& glyph = character < m_latin1.size() ? m_latin1[character] : m_others[character];
    if (glyph.state == Glyph::State::Unknown) {
        glyph.state = Glyph::State::LaidOut;
        quint32 index = 0;
        int count = 1;
        const QChar c(character);
        QPointF advance;
        if (isPlainCharacter(character) && m_rawFont.isValid() &&
            m_rawFont.glyphIndexesForChars(&c, 1, &index, &count) && count == 1 && index != 0 &&
            m_rawFont.advancesForGlyphIndexes(&index, &advance, 1)) {
            glyph.state = Glyph::State::Drawn;
            glyph.index = index;
            glyph.advance = advance.x();
            glyph.ink = m_rawFont.boundingRect(index);
        }
    }
    return glyph.state == Glyph::State::Drawn ? &glyph : nullptr;
}

bool CellTextPainter::drawGlyphs(QPainter& painter, const QRect& inner, const QString& text)
{
    useFont(painter.font());
    QVarLengthArray<quint32, 64> indexes;
    QVarLengthArray<QPointF, 64> positions;
    QRectF ink;
    qreal x = 0;
    for (const QChar c : text) {
        const Glyph* g = glyph(c.unicode());
        if (!g)
            return false;
        indexes.append(g->index);
        positions.append(QPointF(x, 0));
        if (!g->ink.isEmpty())
            ink |= g->ink.translated(x, 0);
        x += g->advance;
    }

    if (ink.isEmpty())
        return true; // blanks only

    // The baseline as the single-line layout of drawText places it.
    const qreal top = onLayoutGrid(inner.y() + (inner.height() - m_lineHeight) / 2);
    const QPointF origin(inner.x(), top + m_ascent);

    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setRawData(indexes.constData(), positions.constData(), static_cast<int>(indexes.size()));
    // The pixels the glyphs may cover: glyphs sit on a whole-pixel baseline, either neighbour of
    // this one, and a subpixel position may widen a glyph by a pixel. Only a text that may
    // reach past the inner rectangle needs the clip.
    const qreal baseline = origin.y();
    const QRect inkPixels(
        QPoint(qFloor(origin.x() + ink.left()) - 1, qFloor(baseline) + qFloor(ink.top())),
        QPoint(qCeil(origin.x() + ink.right()), qCeil(baseline) + qCeil(ink.bottom()) - 1));
    if (inner.contains(inkPixels)) {
        painter.drawGlyphRun(origin, run);
    } else {
        painter.save();
        painter.setClipRect(inner, Qt::IntersectClip);
        painter.drawGlyphRun(origin, run);
        painter.restore();
    }
    return true;
}

} // namespace tarn
