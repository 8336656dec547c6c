#pragma once

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

    // Creates the table widget as a child of `parent`, named `objectName`.
    GridAdapter(int rows, int columns, QWidget* parent, const QString& objectName);

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
    void doubleClicked();
    void enterCell();
    void leaveCell();
    void mouseUp(Qt::MouseButton button);
    // The context-menu key or Shift+F10 over the grid.
    void contextMenuKey();

private:
    QTableWidget* m_table = nullptr;
    // Implementation details are the implementer's.
};

} // namespace tarn
