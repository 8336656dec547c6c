#pragma once

#include <functional>

#include <QColor>
#include <QObject>
#include <QString>

class QTableWidget;
class QWidget;

namespace tarn {

// The flexible grid the editor needs, over QTableWidget: a fixed first row and column that
// stay in view and cannot be selected, (row, column) addressing with row 0 / column 0 for the
// fixed cells, the current cell and the selection's other corner, a rectangular selection,
// a fill mode for text and colours, column widths in twips, and the grid events.
class GridAdapter : public QObject
{
    Q_OBJECT

public:
    enum class FillMode { CurrentCell, WholeSelection };

    // Creates the table widget as a child of `parent`, named `objectName`. The adapter is a
    // child of the table and goes with it.
    GridAdapter(int rows, int columns, QWidget* parent, const QString& objectName);
    ~GridAdapter() override;

    QTableWidget* widget() const { return m_table; }
    int rows() const;
    int columns() const;

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);

    int row() const; // current cell
    int column() const;
    int otherRow() const; // the selection's other corner
    int otherColumn() const;
    // Makes (row, column) current with a one-cell selection; raises leave then enter.
    void setCurrentCell(int row, int column);
    // Selects the rectangle from the current cell to (otherRow, otherColumn).
    void setOtherCorner(int otherRow, int otherColumn);

    FillMode fillMode() const;
    void setFillMode(FillMode mode);
    // Sets text / colours of the current cell or, in whole-selection mode, every selected cell.
    void setSelectionText(const QString& text);
    void setSelectionColors(const QColor& background, const QColor& foreground);
    QColor background(int row, int column) const;
    QColor foreground(int row, int column) const;

    void setColumnWidthTwips(int column, int twips, double twipsPerPixel);
    int columnWidthPixels(int column) const;

signals:
    // A left double click on a data cell, which is current by then.
    void doubleClicked();
    // When the current cell or the selected rectangle changes: leave first, while row(),
    // column(), otherRow() and otherColumn() still report the old state, then enter with the new.
    void enterCell();
    void leaveCell();
    // Any button released over the cells. Only the left button selects; the others leave the
    // current cell and selection as they are.
    void mouseUp(Qt::MouseButton button);
    // The context-menu key or Shift+F10 over the grid.
    void contextMenuKey();

private:
    friend class GridTable;

    struct Cell
    {
        int row = 0;
        int column = 0;
        friend bool operator==(const Cell&, const Cell&) = default;
    };

    bool isDataCell(int row, int column) const;
    Cell liveCurrent() const;
    Cell liveOtherCorner(const Cell& current) const;
    // Raises leave and enter when the view's current cell or rectangle moved since the last call.
    void syncCurrentCell();
    void applyToSelection(const std::function<void(int row, int column)>& apply);
    void detachTable();

    QTableWidget* m_table = nullptr;
    FillMode m_fillMode = FillMode::CurrentCell;
    // The current cell and other corner as last reported by enter; leave still sees these.
    Cell m_current;
    Cell m_other;
    // Greater than zero while the view is changing its state; the change is settled afterwards.
    int m_busy = 0;
    QString m_cornerText;
    int m_fixedColumnWidth = 0;
};

} // namespace tarn
