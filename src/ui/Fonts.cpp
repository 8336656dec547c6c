#include "ui/Fonts.h"

#include <cstdlib>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace tarn {

namespace {

constexpr int kCharacterAdvance = 6;

// Mixed glyphs, so that a proportional font that happens to give 'M' 6 pixels fails.
const QString& probeText()
{
    static const QString text = QStringLiteral("M0 |il-.W_~INVALID:dB");
    return text;
}

bool advancesExactly(const QFont& font)
{
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('M')) == kCharacterAdvance &&
           metrics.horizontalAdvance(probeText()) == kCharacterAdvance * probeText().size();
}

// The choice is kept as plain values: a static QFont would outlive the application's font cache.
struct FontChoice
{
    QString family;
    int pixels = 0;
    bool bold = false;
};

QFont fontOf(const FontChoice& choice)
{
    QFont font(choice.family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(choice.bold);
    font.setPixelSize(choice.pixels);
    return font;
}

FontChoice findSixPixelFont()
{
    QStringList families = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                            QStringLiteral("Monospace")};
    families << QFontDatabase::systemFont(QFontDatabase::FixedFont).family();

    FontChoice closest;
    int closestDistance = -1;
    for (const QString& family : families) {
        for (const bool bold : {true, false}) {
            for (int pixels = 5; pixels <= 14; ++pixels) {
                const FontChoice choice{family, pixels, bold};
                const QFont font = fontOf(choice);
                if (advancesExactly(font))
                    return choice;
                const int distance = std::abs(
                    QFontMetrics(font).horizontalAdvance(QLatin1Char('M')) - kCharacterAdvance);
                if (closestDistance < 0 || distance < closestDistance) {
                    closest = choice;
                    closestDistance = distance;
                }
            }
        }
    }
    return closest;
}

QFont sansSerif(double points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

QFont sixPixelFixedFont()
{
    static const FontChoice choice = findSixPixelFont();
    return fontOf(choice);
}

QFont tabStripFont()
{
    return sansSerif(8.25, false);
}

QFont spinnerLabelFont()
{
    return sansSerif(12, true);
}

} // namespace tarn
