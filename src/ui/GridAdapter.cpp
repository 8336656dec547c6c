#include "ui/GridAdapter.h"

#include "ui/Twips.h"

#include <algorithm>

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionHeader>
#include <QTableWidget>

namespace tarn {

namespace {

constexpr int kDefaultColumnWidth = 64;
constexpr int kRowPadding = 0;

// Cells use the view's own grid; the fixed row and column are header sections with the lighter
// border between them.
const char* const kGridStyle = "QTableWidget { gridline-color: rgb(128, 128, 128); }"
                               "QHeaderView::section, QTableCornerButton::section {"
                               " background-color: palette(button); color: palette(button-text);"
                               " border: 0px; border-right: 1px solid rgb(192, 192, 192);"
                               " border-bottom: 1px solid rgb(192, 192, 192); padding-left: 2px; }";

bool isContextMenuKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

} // namespace

// The table behind the adapter. The fixed row and column are the view's own header sections,
// so they stay in view while scrolling and can never be selected or become current; the
// corner section carries the text of cell (0, 0). After every event the view has handled,
// the adapter settles the current cell, so that leave and enter see a complete state.
class GridTable : public QTableWidget
{
public:
    GridTable(int rows, int columns, QWidget* parent, GridAdapter* adapter)
        : QTableWidget(rows, columns, parent), m_adapter(adapter)
    {
    }

    ~GridTable() override
    {
        if (m_adapter)
            m_adapter->detachTable();
    }

    void forgetAdapter() { m_adapter = nullptr; }

    // Typing does not jump to a cell by its text; the grid is not a list.
    void keyboardSearch(const QString&) override {}

    void selectAll() override
    {
        // One rectangle over all data cells, with the first cell current.
        if (!m_adapter)
            return;
        m_adapter->setCurrentCell(1, 1);
        m_adapter->setOtherCorner(rowCount(), columnCount());
    }

    // The fixed row, column and corner use the grid's font. The style sheet keeps the headers
    // and their viewports from inheriting it, so it is handed on here.
    void applyFont()
    {
        for (QWidget* child : findChildren<QWidget*>())
            child->setFont(font());
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
    }

    QAbstractButton* cornerButton() const
    {
        return findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    }

    void watchFixedCells()
    {
        horizontalHeader()->viewport()->installEventFilter(this);
        verticalHeader()->viewport()->installEventFilter(this);
        if (QAbstractButton* corner = cornerButton())
            corner->installEventFilter(this);
    }

protected:
    bool event(QEvent* event) override
    {
        if (!m_adapter || event->type() == QEvent::DeferredDelete)
            return QTableWidget::event(event);
        if (event->type() == QEvent::KeyPress &&
            isContextMenuKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            emit m_adapter->contextMenuKey();
            return true;
        }
        if (event->type() == QEvent::FontChange)
            applyFont();
        return settled([&] { return QTableWidget::event(event); });
    }

    bool viewportEvent(QEvent* event) override
    {
        if (!m_adapter)
            return QTableWidget::viewportEvent(event);
        const QPointer<GridTable> alive(this);
        const bool handled = settled([&] { return QTableWidget::viewportEvent(event); });
        if (!alive || !m_adapter)
            return handled;
        if (event->type() == QEvent::MouseButtonRelease) {
            emit m_adapter->mouseUp(static_cast<QMouseEvent*>(event)->button());
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && indexAt(mouse->position().toPoint()).isValid())
                emit m_adapter->doubleClicked();
        }
        return handled;
    }

    // Only the left button selects; a right click keeps the selection the pop-up menu acts on.
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            QTableWidget::mousePressEvent(event);
        else
            event->accept();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            QTableWidget::mouseDoubleClickEvent(event);
        else
            event->accept();
    }

    // The fixed cells report mouse-ups like the others; the corner paints the text of (0, 0).
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_adapter && event->type() == QEvent::Paint && watched == cornerButton()) {
            paintCorner(*static_cast<QWidget*>(watched));
            return true;
        }
        const bool result = QTableWidget::eventFilter(watched, event);
        if (m_adapter && event->type() == QEvent::MouseButtonRelease && watched != viewport())
            emit m_adapter->mouseUp(static_cast<QMouseEvent*>(event)->button());
        return result;
    }

private:
    template <typename Handle> bool settled(Handle handle)
    {
        const QPointer<GridTable> alive(this);
        ++m_adapter->m_busy;
        const bool result = handle();
        if (!alive || !m_adapter)
            return result;
        --m_adapter->m_busy;
        m_adapter->syncCurrentCell();
        return result;
    }

    void paintCorner(QWidget& corner)
    {
        QStyleOptionHeader option;
        option.initFrom(&corner);
        option.rect = corner.rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = m_adapter->m_cornerText;
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        QPainter painter(&corner);
        corner.style()->drawControl(QStyle::CE_Header, &option, &painter, &corner);
    }

    GridAdapter* m_adapter;
};

GridAdapter::GridAdapter(int rows, int columns, QWidget* parent, const QString& objectName)
{
    const int dataRows = std::max(rows - 1, 0);
    const int dataColumns = std::max(columns - 1, 0);
    auto* table = new GridTable(dataRows, dataColumns, parent, this);
    m_table = table;
    m_table->setObjectName(objectName);
    // The adapter lives as long as its table.
    setParent(m_table);

    m_table->setStyleSheet(QString::fromLatin1(kGridStyle));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    // In a table a contiguous selection is the rectangle from the anchor to the current cell.
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->setCornerButtonEnabled(false);

    for (QHeaderView* header : {m_table->horizontalHeader(), m_table->verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setMinimumSectionSize(0);
    }
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    m_fixedColumnWidth = kDefaultColumnWidth;
    m_table->verticalHeader()->setFixedWidth(m_fixedColumnWidth);
    table->applyFont();

    // Empty header items, or the view would number its rows and columns.
    for (int c = 0; c < dataColumns; ++c)
        m_table->setHorizontalHeaderItem(c, new QTableWidgetItem());
    for (int r = 0; r < dataRows; ++r)
        m_table->setVerticalHeaderItem(r, new QTableWidgetItem());
    for (int r = 0; r < dataRows; ++r) {
        for (int c = 0; c < dataColumns; ++c) {
            auto* item = new QTableWidgetItem();
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            m_table->setItem(r, c, item);
        }
    }

    table->watchFixedCells();

    // The first data cell is current from the start, without events.
    if (dataRows > 0 && dataColumns > 0) {
        ++m_busy;
        const QModelIndex first = m_table->model()->index(0, 0);
        m_table->setCurrentIndex(first);
        m_table->selectionModel()->select(first, QItemSelectionModel::ClearAndSelect);
        --m_busy;
        m_current = m_other = {1, 1};
    }

    QItemSelectionModel* selection = m_table->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this, [this] { syncCurrentCell(); });
    connect(selection, &QItemSelectionModel::selectionChanged, this, [this] { syncCurrentCell(); });
}

GridAdapter::~GridAdapter()
{
    if (m_table)
        static_cast<GridTable*>(m_table)->forgetAdapter();
}

void GridAdapter::detachTable()
{
    if (!m_table)
        return;
    if (m_table->selectionModel())
        disconnect(m_table->selectionModel(), nullptr, this, nullptr);
    m_table = nullptr;
}

int GridAdapter::rows() const
{
    return m_table ? m_table->rowCount() + 1 : 0;
}

int GridAdapter::columns() const
{
    return m_table ? m_table->columnCount() + 1 : 0;
}

bool GridAdapter::isDataCell(int row, int column) const
{
    return m_table && row >= 1 && row < rows() && column >= 1 && column < columns();
}

QString GridAdapter::text(int row, int column) const
{
    if (!m_table || row < 0 || row >= rows() || column < 0 || column >= columns())
        return {};
    if (row == 0 && column == 0)
        return m_cornerText;
    const QTableWidgetItem* item = row == 0      ? m_table->horizontalHeaderItem(column - 1)
                                   : column == 0 ? m_table->verticalHeaderItem(row - 1)
                                                 : m_table->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

void GridAdapter::setText(int row, int column, const QString& text)
{
    if (!m_table || row < 0 || row >= rows() || column < 0 || column >= columns())
        return;
    if (row == 0 && column == 0) {
        m_cornerText = text;
        if (QAbstractButton* corner = static_cast<GridTable*>(m_table)->cornerButton())
            corner->update();
        return;
    }
    QTableWidgetItem* item = row == 0      ? m_table->horizontalHeaderItem(column - 1)
                             : column == 0 ? m_table->verticalHeaderItem(row - 1)
                                           : m_table->item(row - 1, column - 1);
    if (item)
        item->setText(text);
}

int GridAdapter::row() const
{
    return m_current.row;
}

int GridAdapter::column() const
{
    return m_current.column;
}

int GridAdapter::otherRow() const
{
    return m_other.row;
}

int GridAdapter::otherColumn() const
{
    return m_other.column;
}

void GridAdapter::setCurrentCell(int row, int column)
{
    if (!isDataCell(row, column))
        return;
    ++m_busy;
    const QModelIndex index = m_table->model()->index(row - 1, column - 1);
    // Through the view, so that a later Shift+arrow extends from this cell.
    m_table->setCurrentIndex(index);
    m_table->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    --m_busy;
    syncCurrentCell();
}

void GridAdapter::setOtherCorner(int otherRow, int otherColumn)
{
    // The view's current cell: inside a view event the reported one may not be settled yet.
    const Cell current = m_table ? liveCurrent() : Cell{};
    if (!isDataCell(otherRow, otherColumn) || !isDataCell(current.row, current.column))
        return;
    ++m_busy;
    const QAbstractItemModel* model = m_table->model();
    const QItemSelection rectangle(model->index(std::min(current.row, otherRow) - 1,
                                                std::min(current.column, otherColumn) - 1),
                                   model->index(std::max(current.row, otherRow) - 1,
                                                std::max(current.column, otherColumn) - 1));
    m_table->selectionModel()->select(rectangle, QItemSelectionModel::ClearAndSelect);
    --m_busy;
    syncCurrentCell();
}

GridAdapter::Cell GridAdapter::liveCurrent() const
{
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    if (!current.isValid())
        return {};
    return {current.row() + 1, current.column() + 1};
}

GridAdapter::Cell GridAdapter::liveOtherCorner(const Cell& current) const
{
    const QItemSelection selection = m_table->selectionModel()->selection();
    if (selection.isEmpty())
        return current;
    int top = rows();
    int bottom = 0;
    int left = columns();
    int right = 0;
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top() + 1);
        bottom = std::max(bottom, range.bottom() + 1);
        left = std::min(left, range.left() + 1);
        right = std::max(right, range.right() + 1);
    }
    if (current.row < top || current.row > bottom || current.column < left ||
        current.column > right)
        return current;
    // The current cell is a corner of the rectangle; the other corner is the far one.
    return {current.row - top <= bottom - current.row ? bottom : top,
            current.column - left <= right - current.column ? right : left};
}

void GridAdapter::syncCurrentCell()
{
    if (!m_table || m_busy > 0)
        return;
    const Cell current = liveCurrent();
    if (!isDataCell(current.row, current.column))
        return;
    const Cell other = liveOtherCorner(current);

    // Anything but one rectangle from the current cell (a modifier click, say) is made one.
    const int area =
        (std::abs(other.row - current.row) + 1) * (std::abs(other.column - current.column) + 1);
    int selected = 0;
    for (const QItemSelectionRange& range : m_table->selectionModel()->selection())
        selected += range.width() * range.height();
    if (selected != area) {
        ++m_busy;
        const QAbstractItemModel* model = m_table->model();
        m_table->selectionModel()->select(
            QItemSelection(model->index(std::min(current.row, other.row) - 1,
                                        std::min(current.column, other.column) - 1),
                           model->index(std::max(current.row, other.row) - 1,
                                        std::max(current.column, other.column) - 1)),
            QItemSelectionModel::ClearAndSelect);
        --m_busy;
    }

    if (current == m_current && other == m_other)
        return;
    // Leave still sees the old cell and rectangle, so that it restores exactly what enter
    // painted; enter then sees the new ones.
    const QPointer<GridAdapter> alive(this);
    ++m_busy;
    emit leaveCell();
    if (!alive)
        return;
    m_current = current;
    m_other = other;
    emit enterCell();
    if (!alive)
        return;
    --m_busy;
    // A handler may have moved the cell again.
    syncCurrentCell();
}

GridAdapter::FillMode GridAdapter::fillMode() const
{
    return m_fillMode;
}

void GridAdapter::setFillMode(FillMode mode)
{
    m_fillMode = mode;
}

void GridAdapter::applyToSelection(const std::function<void(int row, int column)>& apply)
{
    if (!isDataCell(m_current.row, m_current.column))
        return;
    if (m_fillMode == FillMode::CurrentCell) {
        apply(m_current.row, m_current.column);
        return;
    }
    for (int r = std::min(m_current.row, m_other.row); r <= std::max(m_current.row, m_other.row);
         ++r) {
        for (int c = std::min(m_current.column, m_other.column);
             c <= std::max(m_current.column, m_other.column); ++c)
            apply(r, c);
    }
}

void GridAdapter::setSelectionText(const QString& text)
{
    applyToSelection([&](int row, int column) { setText(row, column, text); });
}

void GridAdapter::setSelectionColors(const QColor& background, const QColor& foreground)
{
    applyToSelection([&](int row, int column) {
        QTableWidgetItem* item = m_table->item(row - 1, column - 1);
        item->setBackground(background);
        item->setForeground(foreground);
    });
}

QColor GridAdapter::background(int row, int column) const
{
    if (!m_table)
        return {};
    if (!isDataCell(row, column))
        return m_table->palette().color(QPalette::Button);
    const QBrush brush = m_table->item(row - 1, column - 1)->background();
    return brush.style() == Qt::NoBrush ? m_table->palette().color(QPalette::Base) : brush.color();
}

QColor GridAdapter::foreground(int row, int column) const
{
    if (!m_table)
        return {};
    if (!isDataCell(row, column))
        return m_table->palette().color(QPalette::ButtonText);
    const QBrush brush = m_table->item(row - 1, column - 1)->foreground();
    return brush.style() == Qt::NoBrush ? m_table->palette().color(QPalette::Text) : brush.color();
}

void GridAdapter::setColumnWidthTwips(int column, int twips, double twipsPerPixel)
{
    if (!m_table || column < 0 || column >= columns())
        return;
    const int pixels = std::max(twipsToPixels(twips, twipsPerPixel), 0);
    if (column == 0) {
        // The fixed column is the vertical header.
        m_fixedColumnWidth = pixels;
        m_table->verticalHeader()->setFixedWidth(pixels);
    } else {
        m_table->setColumnWidth(column - 1, pixels);
    }
}

int GridAdapter::columnWidthPixels(int column) const
{
    if (!m_table || column < 0 || column >= columns())
        return 0;
    return column == 0 ? m_fixedColumnWidth : m_table->columnWidth(column - 1);
}

} // namespace tarn
