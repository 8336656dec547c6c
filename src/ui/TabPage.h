#pragma once

#include "layout/Twips.h"

#include <QHash>
#include <QWidget>

class QGroupBox;
class QTabWidget;

namespace tarn {

class GridView;

// A page of the window's tab strip, the base of each tab. The layout rules count a tab's
// widgets from the strip's corner, tab row included, while Qt puts the page below the tab row:
// the page keeps each widget's twips and places it again whenever the page moves or resizes.
class TabPage : public QWidget
{
    Q_OBJECT

public:
    // Adds the page to `tabs` at once, so that its widgets are placed inside the strip.
    TabPage(QTabWidget* tabs, const QString& caption, double twipsPerPixel);

protected:
    bool event(QEvent* event) override;

    // Places `widget` inside its parent.
    void place(QWidget* widget, const TwipsRect& rect) const;
    // Places a widget standing directly on this page, `rect` counted from the strip's corner.
    void placeOnTab(QWidget* widget, const TwipsRect& rect);
    // The column-width rule over the texts a grid's fixed column shows now.
    void fitLabelsToTexts(GridView& grid) const;
    // Shows the current cell (or the selection a grid fills) in the highlight colours, and
    // gives the cells left behind the grid's window colours back.
    static void highlightCurrentCell(GridView& grid);
    static void followCurrentCell(GridView& grid);

    static QGroupBox* addFrame(QWidget* parent, const QString& name, const QString& caption);
    static QString indexed(const char* family, int index);
    // A name a screen reader speaks where the captions repeat across mixers.
    static QString ofMixer(int mixer, const char* what);

    double m_twipsPerPixel;

private:
    void placeAll();

    QTabWidget* m_tabs;
    QHash<QWidget*, TwipsRect> m_placements;
};

} // namespace tarn
