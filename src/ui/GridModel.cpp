#include "ui/GridModel.h"

#include "model/Index.h"

#include <algorithm>
#include <utility>

#include <QBrush>

namespace tarn {

namespace {

// A screen reader would read the cells' leading blank and the labels' "|" aloud.
QString spokenCellText(const QString& shown)
{
    return shown.trimmed();
}

QString spokenLabel(const QString& shown)
{
    QString spoken = shown.trimmed();
    const int separator = spoken.indexOf(QLatin1String(" |"));
    if (separator >= 0)
        spoken.remove(separator, 2);
    return spoken;
}

} // namespace

GridModel::GridModel(int rows, int columns, QObject* parent)
    : QAbstractTableModel(parent), m_rows(std::max(rows, 0)), m_columns(std::max(columns, 0)),
      m_cells(static_cast<std::size_t>(m_rows * m_columns)),
      m_columnHeaders(static_cast<std::size_t>(m_columns)),
      m_rowHeaders(static_cast<std::size_t>(m_rows))
{
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

bool GridModel::isCell(int row, int column) const
{
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

GridModel::Cell& GridModel::cell(int row, int column)
{
    return at(m_cells, row * m_columns + column);
}

const GridModel::Cell& GridModel::cell(int row, int column) const
{
    return at(m_cells, row * m_columns + column);
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !isCell(index.row(), index.column()))
        return {};
    const Cell& c = cell(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return c.text;
    case Qt::BackgroundRole:
        return c.background.isValid() ? QVariant(QBrush(c.background)) : QVariant();
    case Qt::ForegroundRole:
        return c.foreground.isValid() ? QVariant(QBrush(c.foreground)) : QVariant();
    case Qt::AccessibleTextRole:
        return spokenCellText(c.text);
    // Keyboard users get the tooltip this way.
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return m_toolTip ? QVariant(m_toolTip(index.row(), index.column())) : QVariant();
    default:
        return {};
    }
}

const GridModel::Header* GridModel::header(Qt::Orientation orientation, int section) const
{
    const std::vector<Header>& headers =
        orientation == Qt::Horizontal ? m_columnHeaders : m_rowHeaders;
    if (section < 0 || section >= static_cast<int>(headers.size()))
        return nullptr;
    return &at(headers, section);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const Header* h = header(orientation, section);
    if (!h)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return h->text;
    case Qt::AccessibleTextRole:
        return h->name.isEmpty() ? spokenLabel(h->text) : h->name;
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QString GridModel::text(int row, int column) const
{
    return isCell(row, column) ? cell(row, column).text : QString();
}

bool GridModel::clip(CellRect& area) const
{
    area = {std::max(area.top(), 0), std::max(area.left(), 0), std::min(area.bottom(), m_rows - 1),
            std::min(area.right(), m_columns - 1)};
    return area.row <= area.otherRow && area.column <= area.otherColumn;
}

void GridModel::setTexts(const CellRect& area, const CellText& text)
{
    CellRect cells = area;
    if (!clip(cells))
        return;
    int changed = 0;
    bool wasEmpty = true;
    for (int r = cells.row; r <= cells.otherRow; ++r) {
        for (int c = cells.column; c <= cells.otherColumn; ++c) {
            QString next = text(r, c);
            if (next != cell(r, c).text)
                ++changed;
            wasEmpty = wasEmpty && cell(r, c).text.isEmpty();
            cell(r, c).text = std::move(next);
        }
    }
    emit dataChanged(index(cells.row, cells.column), index(cells.otherRow, cells.otherColumn),
                     {Qt::DisplayRole});
    emit textsSet(cells, changed, wasEmpty);
}

void GridModel::setColors(const CellRect& area, const QColor& background, const QColor& foreground)
{
    CellRect cells = area;
    if (!clip(cells))
        return;
    for (int r = cells.row; r <= cells.otherRow; ++r) {
        for (int c = cells.column; c <= cells.otherColumn; ++c) {
            cell(r, c).background = background;
            cell(r, c).foreground = foreground;
        }
    }
    emit dataChanged(index(cells.row, cells.column), index(cells.otherRow, cells.otherColumn),
                     {Qt::BackgroundRole, Qt::ForegroundRole});
}

void GridModel::clearColors()
{
    // Only the block that held colours is reported, usually the one cell last highlighted.
    CellRect coloured{m_rows, m_columns, -1, -1};
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            Cell& each = cell(r, c);
            if (!each.background.isValid() && !each.foreground.isValid())
                continue;
            each.background = each.foreground = QColor();
            coloured = {std::min(coloured.row, r), std::min(coloured.column, c),
                        std::max(coloured.otherRow, r), std::max(coloured.otherColumn, c)};
        }
    }
    if (coloured.otherRow >= 0)
        emit dataChanged(index(coloured.row, coloured.column),
                         index(coloured.otherRow, coloured.otherColumn),
                         {Qt::BackgroundRole, Qt::ForegroundRole});
}

QColor GridModel::background(int row, int column) const
{
    return isCell(row, column) ? cell(row, column).background : QColor();
}

QColor GridModel::foreground(int row, int column) const
{
    return isCell(row, column) ? cell(row, column).foreground : QColor();
}

QString GridModel::headerText(Qt::Orientation orientation, int section) const
{
    const Header* h = header(orientation, section);
    return h ? h->text : QString();
}

void GridModel::setHeaderText(Qt::Orientation orientation, int section, const QString& text)
{
    if (!header(orientation, section))
        return;
    at((orientation == Qt::Horizontal ? m_columnHeaders : m_rowHeaders), section).text = text;
    emit headerDataChanged(orientation, section, section);
}

void GridModel::setHeaderName(Qt::Orientation orientation, int section, const QString& name)
{
    if (!header(orientation, section))
        return;
    at((orientation == Qt::Horizontal ? m_columnHeaders : m_rowHeaders), section).name = name;
    emit headerDataChanged(orientation, section, section);
}

void GridModel::setToolTips(const CellText& toolTip)
{
    m_toolTip = toolTip;
}

} // namespace tarn
