#pragma once

#include "editors/CellRect.h"
#include "ui/GridModel.h"

#include <QTableView>

class QAbstractButton;

namespace tarn {

// A grid with a fixed first row and column, shown as header sections, over data cells counted
// from 0. Its current cell is where the selection started; Shift with an arrow, a click or a
// drag moves the selection's other corner and leaves the current cell where it is. Qt's own
// current index is that other corner, so the view's selection, scrolling and auto-scroll work
// unchanged. Texts, colours and selection are read and set through the methods below.
class GridView : public QTableView
{
    Q_OBJECT

public:
    enum class FillMode { CurrentCell, WholeSelection };

    GridView(int rows, int columns, QWidget* parent, const QString& objectName);

    GridModel& cells() const { return *m_model; }
    int rows() const;
    int columns() const;

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    void setTexts(const CellRect& area, const GridModel::CellText& text);

    QString cornerText() const;
    void setCornerText(const QString& text);
    void setColumnHeader(int column, const QString& text);
    void setRowHeader(int row, const QString& text);
    // The texts of the fixed column (corner first), and of a data column (header first).
    QStringList labelTexts() const;
    QStringList columnTexts(int column) const;

    // The current cell (row, column) and the selection's other corner.
    CellRect selection() const { return m_selection; }
    // Selects `cells` with its (row, column) current; leave then enter when the current cell
    // moves.
    void setSelection(const CellRect& cells);

    FillMode fillMode() const { return m_fillMode; }
    void setFillMode(FillMode mode) { m_fillMode = mode; }
    // The cells a text or colour reaches: the current cell, or the selection in whole-selection
    // mode.
    CellRect fillArea() const;
    void setSelectionText(const QString& text);
    void setSelectionColors(const QColor& background, const QColor& foreground);
    // The colours each cell shows when not selected.
    QColor background(int row, int column) const;
    QColor foreground(int row, int column) const;

    void setLabelWidthTwips(int twips, double twipsPerPixel);
    void setColumnWidthTwips(int column, int twips, double twipsPerPixel);
    int labelWidthPixels() const;
    int columnWidthPixels(int column) const;

    void keyboardSearch(const QString&) override {}
    void selectAll() override;

signals:
    // A left double click on a data cell, which is current by then.
    void cellDoubleClicked();
    // When the current cell moves: leave while selection() still reports the old cell and the
    // selection as it stood, then enter with the new ones. Extending the selection raises
    // neither.
    void leaveCell();
    void enterCell();
    // Any button released over the cells or the fixed row and column. Only the left button
    // selects.
    void mouseUp(Qt::MouseButton button);
    // The context-menu key or Shift+F10.
    void contextMenuKey();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* cornerButton() const;
    void paintCorner(QWidget& corner) const;
    void applyFont();
    // Takes note of the view's selection after it changed it: the current cell is the corner
    // of the selection opposite Qt's current index.
    void settle();

    GridModel* m_model;
    CellRect m_selection;
    FillMode m_fillMode = FillMode::CurrentCell;
};

} // namespace tarn
