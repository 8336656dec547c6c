#pragma once

#include "editors/CellRect.h"

#include <functional>
#include <vector>

#include <QAbstractTableModel>
#include <QColor>

namespace tarn {

// The cells of a grid, counted from 0 (input or loop, slot): their texts, the colours the
// window gives them, and the texts of the fixed row and column as header sections.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using CellText = std::function<QString(int row, int column)>;

    GridModel(int rows, int columns, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QString text(int row, int column) const;
    // Each writes its cells and then reports them changed as one block.
    void setTexts(const CellRect& area, const CellText& text);
    void setColors(const CellRect& area, const QColor& background, const QColor& foreground);
    // Every cell back to the view's own colours.
    void clearColors();
    // Invalid where the cell shows the view's own colour.
    QColor background(int row, int column) const;
    QColor foreground(int row, int column) const;

    QString headerText(Qt::Orientation orientation, int section) const;
    void setHeaderText(Qt::Orientation orientation, int section, const QString& text);
    // What a screen reader calls a header section whose shown text is empty.
    void setHeaderName(Qt::Orientation orientation, int section, const QString& name);
    // Asked when a cell's tooltip is wanted, so that nothing is kept per cell.
    void setToolTips(const CellText& toolTip);

signals:
    // After setTexts: the cells it reached, how many of them now show another text, and
    // whether all of them were empty before (the grid's first texts).
    void textsSet(const CellRect& area, int changed, bool wasEmpty);

private:
    struct Cell
    {
        QString text;
        QColor background;
        QColor foreground;
    };
    struct Header
    {
        QString text;
        QString name;
    };

    bool isCell(int row, int column) const;
    // `area` within the cells; false when nothing of it is.
    bool clip(CellRect& area) const;
    Cell& cell(int row, int column);
    const Cell& cell(int row, int column) const;
    const Header* header(Qt::Orientation orientation, int section) const;

    int m_rows;
    int m_columns;
    std::vector<Cell> m_cells;
    std::vector<Header> m_columnHeaders;
    std::vector<Header> m_rowHeaders;
    CellText m_toolTip;
};

} // namespace tarn
