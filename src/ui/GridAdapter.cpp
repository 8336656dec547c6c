#include "ui/GridAdapter.h"

#include "ui/GridPainter.h"
#include "ui/Twips.h"

#include <algorithm>
#include <optional>

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <QTimer>

namespace tarn {

namespace {

constexpr int kDefaultColumnWidth = 64;
constexpr int kAutoScrollMilliseconds = 50;

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

bool isFixedCell(int row, int column)
{
    return row == 0 || column == 0;
}

} // namespace

// The table behind the adapter. Row 0 and column 0 are hidden and shown by the header
// sections, so they stay in view while scrolling; the corner section paints the text of cell
// (0, 0). The mouse and the navigation keys are handled here rather than by the view, so that
// extending a selection moves its other corner while the current cell stays. After every
// event the view has handled, the adapter settles the current cell, so that leave and enter
// see a complete state.
class GridTable : public QTableWidget
{
public:
    GridTable(int rows, int columns, QWidget* parent, GridAdapter* adapter)
        : QTableWidget(rows, columns, parent), m_adapter(adapter)
    {
        m_autoScroll.setInterval(kAutoScrollMilliseconds);
        QObject::connect(&m_autoScroll, &QTimer::timeout, this, [this] { dragTo(m_dragPoint); });
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
        m_adapter->setOtherCorner(rowCount() - 1, columnCount() - 1);
    }

    // The fixed row, column and corner use the grid's font. The style sheet keeps the headers
    // and their viewports from inheriting it, so it is handed on here.
    void applyFont()
    {
        for (QWidget* child : findChildren<QWidget*>())
            child->setFont(font());
        verticalHeader()->setDefaultSectionSize(fontMetrics().height());
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
    void paintEvent(QPaintEvent* event) override
    {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        m_painter.paint(*this, event->region(), option);
    }

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
    // A press makes its cell current, Shift+press extends to it; a drag then moves the other
    // corner.
    void mousePressEvent(QMouseEvent* event) override
    {
        event->accept();
        if (!m_adapter || event->button() != Qt::LeftButton)
            return;
        if (focusPolicy() & Qt::ClickFocus)
            setFocus(Qt::MouseFocusReason);
        const QModelIndex index = indexAt(event->position().toPoint());
        // Beside the cells nothing changes.
        if (!index.isValid())
            return;
        if (event->modifiers() & Qt::ShiftModifier)
            m_adapter->setOtherCorner(index.row(), index.column());
        else
            m_adapter->setCurrentCell(index.row(), index.column());
        m_dragging = true;
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!m_adapter || !m_dragging) {
            // Hover only; the view must not start a selection of its own.
            if (event->buttons() == Qt::NoButton)
                QTableWidget::mouseMoveEvent(event);
            return;
        }
        if (!(event->buttons() & Qt::LeftButton)) {
            stopDragging();
            return;
        }
        m_dragPoint = event->position().toPoint();
        dragTo(m_dragPoint);
        // Held beyond an edge, the selection keeps growing that way.
        if (viewport()->rect().contains(m_dragPoint))
            m_autoScroll.stop();
        else if (!m_autoScroll.isActive())
            m_autoScroll.start();
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        event->accept();
        if (event->button() == Qt::LeftButton)
            stopDragging();
    }

    // The first click of a double click has made its cell current; the second acts like it.
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }

    void keyPressEvent(QKeyEvent* event) override
    {
        const std::optional<QModelIndex> target = m_adapter ? navigate(*event) : std::nullopt;
        if (!target) {
            QTableWidget::keyPressEvent(event);
            return;
        }
        event->accept();
        if (event->modifiers() & Qt::ShiftModifier)
            m_adapter->setOtherCorner(target->row(), target->column());
        else
            m_adapter->setCurrentCell(target->row(), target->column());
        scrollTo(*target);
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        stopDragging();
        QTableWidget::focusOutEvent(event);
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
        const GridAdapter::ViewChange change(*m_adapter);
        return handle();
    }

    // The cell a navigation key leads to: from the current cell, or with Shift from the
    // selection's other corner. Nothing for any other key.
    std::optional<QModelIndex> navigate(const QKeyEvent& event) const
    {
        const bool extend = event.modifiers() & Qt::ShiftModifier;
        const bool whole = event.modifiers() & Qt::ControlModifier;
        int row = extend ? m_adapter->otherRow() : m_adapter->row();
        int column = extend ? m_adapter->otherColumn() : m_adapter->column();
        const int lastRow = rowCount() - 1;
        const int lastColumn = columnCount() - 1;
        switch (event.key()) {
        case Qt::Key_Up:
            --row;
            break;
        case Qt::Key_Down:
            ++row;
            break;
        case Qt::Key_Left:
            --column;
            break;
        case Qt::Key_Right:
            ++column;
            break;
        case Qt::Key_Home:
            column = 1;
            if (whole)
                row = 1;
            break;
        case Qt::Key_End:
            column = lastColumn;
            if (whole)
                row = lastRow;
            break;
        case Qt::Key_PageUp:
            row -= pageRows();
            break;
        case Qt::Key_PageDown:
            row += pageRows();
            break;
        default:
            return std::nullopt;
        }
        if (lastRow < 1 || lastColumn < 1)
            return std::nullopt;
        return model()->index(std::clamp(row, 1, lastRow), std::clamp(column, 1, lastColumn));
    }

    int pageRows() const { return std::max(1, viewport()->height() / std::max(1, rowHeight(1))); }

    // The data row under y; past an edge of the view, the row beyond the last one in view, so
    // that a drag held there scrolls.
    int rowToward(int y) const
    {
        const int last = rowCount() - 1;
        const int height = viewport()->height();
        if (y < 0)
            return std::max(1, rowAt(0) - 1);
        if (y >= height) {
            const int bottom = rowAt(height - 1);
            return bottom < 0 ? last : std::min(last, bottom + 1);
        }
        const int row = rowAt(y);
        return row < 0 ? last : row; // below the last row of a grid taller than its rows
    }

    int columnToward(int x) const
    {
        const int last = columnCount() - 1;
        const int width = viewport()->width();
        if (x < 0)
            return std::max(1, columnAt(0) - 1);
        if (x >= width) {
            const int right = columnAt(width - 1);
            return right < 0 ? last : std::min(last, right + 1);
        }
        const int column = columnAt(x);
        return column < 0 ? last : column;
    }

    void dragTo(QPoint point)
    {
        if (!m_adapter || !m_dragging || rowCount() < 2 || columnCount() < 2)
            return;
        const QModelIndex index = model()->index(rowToward(point.y()), columnToward(point.x()));
        m_adapter->setOtherCorner(index.row(), index.column());
        scrollTo(index);
    }

    void stopDragging()
    {
        m_dragging = false;
        m_autoScroll.stop();
    }

    void paintCorner(QWidget& corner)
    {
        QStyleOptionHeader option;
        option.initFrom(&corner);
        option.rect = corner.rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = m_adapter->text(0, 0);
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        QPainter painter(&corner);
        corner.style()->drawControl(QStyle::CE_Header, &option, &painter, &corner);
    }

    GridAdapter* m_adapter;
    GridPainter m_painter;
    bool m_dragging = false;
    QPoint m_dragPoint;
    QTimer m_autoScroll;
};

GridAdapter::GridAdapter(int rows, int columns, QWidget* parent, const QString& objectName)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    auto* table = new GridTable(rows, columns, parent, this);
    m_table = table;
    m_table->setObjectName(objectName);
    setObjectName(objectName);
    // The adapter lives as long as its table.
    setParent(m_table);

    m_table->setStyleSheet(QString::fromLatin1(kGridStyle));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    // In a table a contiguous selection is the rectangle from the anchor to the current cell.
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setAutoScroll(false);
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
    for (int c = 0; c < columns; ++c)
        m_table->setHorizontalHeaderItem(c, new QTableWidgetItem());
    for (int r = 0; r < rows; ++r)
        m_table->setVerticalHeaderItem(r, new QTableWidgetItem());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem();
            // Disabled, so that the view itself never makes a fixed cell current.
            item->setFlags(isFixedCell(r, c) ? Qt::NoItemFlags
                                             : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            m_table->setItem(r, c, item);
        }
    }
    if (rows > 0)
        m_table->setRowHidden(0, true);
    if (columns > 0)
        m_table->setColumnHidden(0, true);

    table->watchFixedCells();

    // The first data cell is current from the start, without events.
    if (rows > 1 && columns > 1) {
        {
            const Busy busy(*this);
            showSelection({1, 1}, {1, 1});
        }
        m_current = m_other = {1, 1};
    }

    QItemSelectionModel* selection = m_table->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this, [this] { syncCurrentCell(); });
    connect(selection, &QItemSelectionModel::selectionChanged, this, [this] { syncCurrentCell(); });
    // A fixed text reaches its header section however the item was changed.
    connect(m_table, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { mirrorFixedCell(item->row(), item->column()); });
}

GridAdapter::ViewChange::ViewChange(GridAdapter& adapter) : m_adapter(&adapter)
{
    ++adapter.m_busy;
}

GridAdapter::ViewChange::~ViewChange()
{
    if (!m_adapter)
        return;
    --m_adapter->m_busy;
    m_adapter->syncCurrentCell();
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
    disconnect(m_table, nullptr, this, nullptr);
    m_table = nullptr;
}

int GridAdapter::rows() const
{
    return m_table ? m_table->rowCount() : 0;
}

int GridAdapter::columns() const
{
    return m_table ? m_table->columnCount() : 0;
}

bool GridAdapter::isDataCell(int row, int column) const
{
    return m_table && row >= 1 && row < rows() && column >= 1 && column < columns();
}

QString GridAdapter::text(int row, int column) const
{
    const QTableWidgetItem* item = m_table ? m_table->item(row, column) : nullptr;
    return item ? item->text() : QString();
}

void GridAdapter::setText(int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = m_table ? m_table->item(row, column) : nullptr)
        item->setText(text);
}

void GridAdapter::mirrorFixedCell(int row, int column)
{
    if (!m_table || !isFixedCell(row, column))
        return;
    const QString text = this->text(row, column);
    if (row == 0) {
        if (QTableWidgetItem* section = m_table->horizontalHeaderItem(column))
            section->setText(text);
    }
    if (column == 0) {
        if (QTableWidgetItem* section = m_table->verticalHeaderItem(row))
            section->setText(text);
    }
    if (row == 0 && column == 0) {
        if (QAbstractButton* corner = static_cast<GridTable*>(m_table)->cornerButton())
            corner->update();
    }
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
    {
        const Busy busy(*this);
        showSelection({row, column}, {row, column});
    }
    syncCurrentCell();
}

void GridAdapter::setOtherCorner(int otherRow, int otherColumn)
{
    // The view's current cell: inside a view event the reported one may not be settled yet.
    const Cell current = m_table ? liveCurrent() : Cell{};
    if (!isDataCell(otherRow, otherColumn) || !isDataCell(current.row, current.column))
        return;
    {
        const Busy busy(*this);
        showSelection(current, {otherRow, otherColumn});
    }
    syncCurrentCell();
}

void GridAdapter::showSelection(const Cell& current, const Cell& other)
{
    QItemSelectionModel* selection = m_table->selectionModel();
    const QAbstractItemModel* model = m_table->model();
    selection->setCurrentIndex(model->index(current.row, current.column),
                               QItemSelectionModel::NoUpdate);
    selection->select(
        QItemSelection(
            model->index(std::min(current.row, other.row), std::min(current.column, other.column)),
            model->index(std::max(current.row, other.row), std::max(current.column, other.column))),
        QItemSelectionModel::ClearAndSelect);
}

GridAdapter::Cell GridAdapter::liveCurrent() const
{
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    if (!current.isValid())
        return {};
    return {current.row(), current.column()};
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
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        left = std::min(left, range.left());
        right = std::max(right, range.right());
    }
    // Fixed cells are never part of the rectangle.
    top = std::max(top, 1);
    left = std::max(left, 1);
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
    if (!isDataCell(current.row, current.column)) {
        // Whatever put a fixed cell (or none) there, the last current cell comes back.
        if (isDataCell(m_current.row, m_current.column)) {
            const Busy busy(*this);
            showSelection(m_current, m_other);
        }
        return;
    }
    const Cell other = liveOtherCorner(current);

    // Anything but one rectangle from the current cell (a modifier click, say) is made one.
    const int area =
        (std::abs(other.row - current.row) + 1) * (std::abs(other.column - current.column) + 1);
    int selected = 0;
    for (const QItemSelectionRange& range : m_table->selectionModel()->selection())
        selected += range.width() * range.height();
    if (selected != area) {
        const Busy busy(*this);
        showSelection(current, other);
    }

    if (current == m_current) {
        // Only the other corner moved: the current cell was not left.
        m_other = other;
        return;
    }
    // Leave still sees the old cell and the selection as it stood, in the adapter and in the
    // table, so that it restores exactly what enter painted; enter then sees the new ones.
    const QPointer<GridAdapter> alive(this);
    {
        const Busy busy(*this);
        showSelection(m_current, m_other);
        emit leaveCell();
        if (!alive)
            return;
        showSelection(current, other);
        m_current = current;
        m_other = other;
        emit enterCell();
        if (!alive)
            return;
    }
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

GridAdapter::CellArea GridAdapter::fillArea() const
{
    if (!isDataCell(m_current.row, m_current.column))
        return {};
    if (m_fillMode == FillMode::CurrentCell)
        return {m_current.row, m_current.column, m_current.row, m_current.column};
    return {std::min(m_current.row, m_other.row), std::min(m_current.column, m_other.column),
            std::max(m_current.row, m_other.row), std::max(m_current.column, m_other.column)};
}

void GridAdapter::applyToArea(const CellArea& area,
                              const std::function<void(int row, int column)>& apply)
{
    if (area.isEmpty() || !m_table)
        return;
    // Each cell asks for its own repaint. As hundreds of separate rectangles they would make
    // every fill and glyph of that repaint clip against all of them; inside one rectangle asked
    // for first, each is merged at once.
    const QAbstractItemModel* model = m_table->model();
    m_table->viewport()->update(m_table->visualRect(model->index(area.top, area.left)) |
                                m_table->visualRect(model->index(area.bottom, area.right)));
    for (int r = area.top; r <= area.bottom; ++r)
        for (int c = area.left; c <= area.right; ++c)
            apply(r, c);
}

void GridAdapter::setTexts(const CellArea& area,
                           const std::function<QString(int row, int column)>& text)
{
    applyToArea(area, [&](int row, int column) { setText(row, column, text(row, column)); });
}

void GridAdapter::setSelectionText(const QString& text)
{
    applyToArea(fillArea(), [&](int row, int column) { setText(row, column, text); });
}

void GridAdapter::setSelectionColors(const QColor& background, const QColor& foreground)
{
    setAreaColors(fillArea(), background, foreground);
}

void GridAdapter::setAreaColors(const CellArea& area, const QColor& background,
                                const QColor& foreground)
{
    applyToArea(area, [&](int row, int column) {
        QTableWidgetItem* item = m_table->item(row, column);
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
    const QBrush brush = m_table->item(row, column)->background();
    return brush.style() == Qt::NoBrush ? m_table->palette().color(QPalette::Base) : brush.color();
}

QColor GridAdapter::foreground(int row, int column) const
{
    if (!m_table)
        return {};
    if (!isDataCell(row, column))
        return m_table->palette().color(QPalette::ButtonText);
    const QBrush brush = m_table->item(row, column)->foreground();
    return brush.style() == Qt::NoBrush ? m_table->palette().color(QPalette::Text) : brush.color();
}

void GridAdapter::setColumnWidthTwips(int column, int twips, double twipsPerPixel)
{
    if (!m_table || column < 0 || column >= columns())
        return;
    const int pixels = std::max(twipsToPixels(twips, twipsPerPixel), 0);
    if (column == 0) {
        // The fixed column is shown by the vertical header.
        m_fixedColumnWidth = pixels;
        m_table->verticalHeader()->setFixedWidth(pixels);
    } else {
        m_table->setColumnWidth(column, pixels);
    }
}

int GridAdapter::columnWidthPixels(int column) const
{
    if (!m_table || column < 0 || column >= columns())
        return 0;
    return column == 0 ? m_fixedColumnWidth : m_table->columnWidth(column);
}

} // namespace tarn
