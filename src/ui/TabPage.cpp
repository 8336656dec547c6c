#include "ui/TabPage.h"

#include "texts/DisplayTexts.h"
#include "ui/GridView.h"

#include <QEvent>
#include <QGroupBox>
#include <QTabWidget>

namespace tarn {

namespace {

const char* const kMixerNames[2] = {"AES3", "IP"};

} // namespace

TabPage::TabPage(QTabWidget* tabs, const QString& caption, double twipsPerPixel)
    : m_twipsPerPixel(twipsPerPixel), m_tabs(tabs)
{
    tabs->addTab(this, caption);
}

bool TabPage::event(QEvent* event)
{
    // The page's place inside the tab strip is known only once the strip lays itself out.
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
        event->type() == QEvent::Show)
        placeAll();
    return QWidget::event(event);
}

void TabPage::place(QWidget* widget, const TwipsRect& rect) const
{
    widget->setGeometry(toPixels(rect, m_twipsPerPixel));
}

void TabPage::placeOnTab(QWidget* widget, const TwipsRect& rect)
{
    m_placements.insert(widget, rect);
    const QPoint pageOffset = mapTo(m_tabs, QPoint(0, 0));
    widget->setGeometry(toPixels(rect, m_twipsPerPixel).translated(-pageOffset));
}

void TabPage::placeAll()
{
    const QPoint pageOffset = mapTo(m_tabs, QPoint(0, 0));
    for (auto p = m_placements.cbegin(); p != m_placements.cend(); ++p)
        p.key()->setGeometry(toPixels(p.value(), m_twipsPerPixel).translated(-pageOffset));
}

void TabPage::fitLabelsToTexts(GridView& grid) const
{
    grid.setLabelWidthTwips(columnWidthTwips(grid.labelTexts(), m_twipsPerPixel), m_twipsPerPixel);
}

void TabPage::highlightCurrentCell(GridView& grid)
{
    const QPalette& palette = grid.palette();
    grid.setSelectionColors(palette.color(QPalette::Highlight),
                            palette.color(QPalette::HighlightedText));
}

void TabPage::followCurrentCell(GridView& grid)
{
    connect(&grid, &GridView::enterCell, &grid, [&grid] { highlightCurrentCell(grid); });
    // Every cell goes back, not only the selection as it stands: it may have shrunk since the
    // highlight was painted (Ctrl+A, then Shift+Up).
    connect(&grid, &GridView::leaveCell, &grid, [&grid] { grid.cells().clearColors(); });
}

QGroupBox* TabPage::addFrame(QWidget* parent, const QString& name, const QString& caption)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    return frame;
}

QString TabPage::indexed(const char* family, int index)
{
    return QLatin1String(family) + QLatin1Char('_') + QString::number(index);
}

QString TabPage::ofMixer(int mixer, const char* what)
{
    return QLatin1String(kMixerNames[mixer]) + QLatin1Char(' ') + QLatin1String(what);
}

} // namespace tarn
