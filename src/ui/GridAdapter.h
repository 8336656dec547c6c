#pragma once

#include <functional>

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

class QTableWidget;
class QWidget;

namespace tarn {

// The flexible grid the editor needs, over QTableWidget: a fixed first row and column that
// stay in view and cannot be selected, (row, column) addressing with row 0 / column 0 for the
// fixed cells, the current cell and the selection's other corner, a rectangular selection,
// a fill mode for text and colours, column widths in twips, and the grid events.
//
// The table has the grid's own rows and columns and numbering, so item(r, c), currentRow() and
// setCurrentCell(r, c) of the QTableWidget speak the grid's (row, column). Row 0 and column 0
// hold the fixed texts but are hidden; the table's header sections show the same texts, which
// keeps them in view while the data scrolls and out of reach of the selection.
class GridAdapter : public QObject
{
    Q_OBJECT

public:
    enum class FillMode { CurrentCell, WholeSelection };

    // A rectangle of data cells, corners included; empty when top is 0.
    struct CellArea
    {
        int top = 0;
        int left = 0;
        int bottom = 0;
        int right = 0;
        bool isEmpty() const { return top == 0; }
    };

    // Creates the table widget as a child of `parent`; table and adapter are both named
    // `objectName`. The adapter is a child of the table and goes with it.
    GridAdapter(int rows, int columns, QWidget* parent, const QString& objectName);
    ~GridAdapter() override;

    QTableWidget* widget() const { return m_table; }
    int rows() const;
    int columns() const;

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    // Sets every cell of `area` to `text(row, column)`.
    void setTexts(const CellArea& area, const std::function<QString(int row, int column)>& text);

    int row() const; // current cell
    int column() const;
    int otherRow() const; // the selection's other corner
    int otherColumn() const;
    // Makes (row, column) current with a one-cell selection; raises leave then enter when the
    // current cell moves.
    void setCurrentCell(int row, int column);
    // Selects the rectangle from the current cell to (otherRow, otherColumn); the current cell
    // stays, so no leave or enter.
    void setOtherCorner(int otherRow, int otherColumn);

    FillMode fillMode() const;
    void setFillMode(FillMode mode);
    // Sets text / colours of the current cell or, in whole-selection mode, every selected cell.
    void setSelectionText(const QString& text);
    void setSelectionColors(const QColor& background, const QColor& foreground);
    // The cells the two above reach now: the current cell, or the selection in whole-selection
    // mode.
    CellArea fillArea() const;
    void setAreaColors(const CellArea& area, const QColor& background, const QColor& foreground);
    QColor background(int row, int column) const;
    QColor foreground(int row, int column) const;

    void setColumnWidthTwips(int column, int twips, double twipsPerPixel);
    int columnWidthPixels(int column) const;

    // For the table behind the grid. While a ViewChange lives the view changes its own state
    // unwatched; when it ends that state is settled (leave and enter when the current cell
    // moved). detachTable() is the table's last word before it goes.
    class ViewChange
    {
    public:
        explicit ViewChange(GridAdapter& adapter);
        ~ViewChange();
        ViewChange(const ViewChange&) = delete;
        ViewChange& operator=(const ViewChange&) = delete;

    private:
        QPointer<GridAdapter> m_adapter;
    };
    void detachTable();

signals:
    // A left double click on a data cell, which is current by then.
    void doubleClicked();
    // When the current cell moves: leave first, while row(), column(), otherRow() and
    // otherColumn() still report the old cell and the selection as it stood, then enter with the
    // new ones. Extending the selection from the same current cell raises neither: a drag or a
    // Shift+click or Shift+arrow keeps the current cell and moves the other corner.
    void enterCell();
    void leaveCell();
    // Any button released over the cells. Only the left button selects; the others leave the
    // current cell and selection as they are.
    void mouseUp(Qt::MouseButton button);
    // The context-menu key or Shift+F10 over the grid.
    void contextMenuKey();

private:
    // Marks the adapter busy for its lifetime; survives the adapter being destroyed meanwhile.
    class Busy
    {
    public:
        explicit Busy(GridAdapter& adapter) : m_adapter(&adapter) { ++adapter.m_busy; }
        ~Busy()
        {
            if (m_adapter)
                --m_adapter->m_busy;
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        QPointer<GridAdapter> m_adapter;
    };

    struct Cell
    {
        int row = 0;
        int column = 0;
        friend bool operator==(const Cell&, const Cell&) = default;
    };

    bool isDataCell(int row, int column) const;
    Cell liveCurrent() const;
    Cell liveOtherCorner(const Cell& current) const;
    // Selects exactly the rectangle from `current` to `other`, with `current` the view's current.
    void showSelection(const Cell& current, const Cell& other);
    // Shows a changed fixed cell in the header section that stands for it.
    void mirrorFixedCell(int row, int column);
    // Settles the view's state: one rectangle of data cells around a data cell that is current.
    // Raises leave and enter when the current cell moved since the last call; a moved other
    // corner is only taken note of.
    void syncCurrentCell();
    // Applies `apply` to every cell of `area`, then has the area repainted as one rectangle.
    void applyToArea(const CellArea& area, const std::function<void(int row, int column)>& apply);

    QTableWidget* m_table = nullptr;
    FillMode m_fillMode = FillMode::CurrentCell;
    // The current cell and other corner as last reported by enter; leave still sees these.
    Cell m_current;
    Cell m_other;
    // Greater than zero while the view is changing its state; the change is settled afterwards.
    int m_busy = 0;
    // Column 0 is hidden; the vertical header that shows it takes its width.
    int m_fixedColumnWidth = 0;
};

} // namespace tarn
