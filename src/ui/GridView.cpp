#include "ui/GridView.h"

#include "layout/Twips.h"
#include "ui/GridAnnouncer.h"
#include "ui/GridDelegate.h"

#include <algorithm>

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace tarn {

namespace {

constexpr int kDefaultColumnWidth = 64;

// Cells use the view's own grid; the fixed row and column are header sections with the lighter
// border between them.
const char* const kGridStyle = "QTableView { gridline-color: rgb(128, 128, 128); }"
                               "QHeaderView::section, QTableCornerButton::section {"
                               " background-color: palette(button); color: palette(button-text);"
                               " border: 0px; border-right: 1px solid rgb(192, 192, 192);"
                               " border-bottom: 1px solid rgb(192, 192, 192); padding-left: 2px; }";

bool isContextMenuKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

bool isMoveKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

GridView::GridView(int rows, int columns, QWidget* parent, const QString& objectName)
    : QTableView(parent), m_model(new GridModel(rows, columns, this))
{
    setObjectName(objectName);
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    new GridAnnouncer(*this);
    setStyleSheet(QString::fromLatin1(kGridStyle));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // A contiguous selection is one rectangle from where it started to Qt's current index.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setMinimumSectionSize(0);
        // The fixed cells report mouse-ups like the others.
        header->viewport()->installEventFilter(this);
    }
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    verticalHeader()->setFixedWidth(kDefaultColumnWidth);
    if (QAbstractButton* corner = cornerButton())
        corner->installEventFilter(this);
    applyFont();

    // The first cell is current from the start, without events.
    if (rows > 0 && columns > 0)
        QAbstractItemView::setCurrentIndex(m_model->index(0, 0));
}

int GridView::rows() const
{
    return m_model->rowCount();
}

int GridView::columns() const
{
    return m_model->columnCount();
}

QString GridView::text(int row, int column) const
{
    return m_model->text(row, column);
}

void GridView::setText(int row, int column, const QString& text)
{
    m_model->setTexts({row, column, row, column}, [&](int, int) { return text; });
}

void GridView::setTexts(const CellRect& area, const GridModel::CellText& text)
{
    m_model->setTexts(area, text);
}

QAbstractButton* GridView::cornerButton() const
{
    return findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
}

QString GridView::cornerText() const
{
    const QAbstractButton* corner = cornerButton();
    return corner ? corner->text() : QString();
}

void GridView::setCornerText(const QString& text)
{
    if (QAbstractButton* corner = cornerButton()) {
        // The button paints no text of its own; a screen reader reads it as the corner's name.
        corner->setText(text);
        corner->setAccessibleName(text);
        corner->update();
    }
}

void GridView::setColumnHeader(int column, const QString& text)
{
    m_model->setHeaderText(Qt::Horizontal, column, text);
}

void GridView::setRowHeader(int row, const QString& text)
{
    m_model->setHeaderText(Qt::Vertical, row, text);
}

QStringList GridView::labelTexts() const
{
    QStringList texts{cornerText()};
    for (int r = 0; r < rows(); ++r)
        texts.append(m_model->headerText(Qt::Vertical, r));
    return texts;
}

QStringList GridView::columnTexts(int column) const
{
    QStringList texts{m_model->headerText(Qt::Horizontal, column)};
    for (int r = 0; r < rows(); ++r)
        texts.append(m_model->text(r, column));
    return texts;
}

void GridView::setSelection(const CellRect& cells)
{
    const QModelIndex current = m_model->index(cells.row, cells.column);
    const QModelIndex other = m_model->index(cells.otherRow, cells.otherColumn);
    if (!current.isValid() || !other.isValid())
        return;
    // The view's own setter, so that Shift with an arrow or a click extends from this cell.
    QAbstractItemView::setCurrentIndex(current);
    selectionModel()->setCurrentIndex(other, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(m_model->index(cells.top(), cells.left()),
                                            m_model->index(cells.bottom(), cells.right())),
                             QItemSelectionModel::ClearAndSelect);
    settle();
}

void GridView::selectAll()
{
    // One rectangle over all cells, with the first cell current.
    setSelection({0, 0, rows() - 1, columns() - 1});
}

void GridView::settle()
{
    const QModelIndex other = currentIndex();
    const QItemSelection selected = selectionModel()->selection();
    if (!other.isValid() || selected.size() != 1)
        return;
    const QItemSelectionRange& range = selected.first();
    if (!range.contains(other))
        return;
    const CellRect next{other.row() == range.top() ? range.bottom() : range.top(),
                        other.column() == range.left() ? range.right() : range.left(), other.row(),
                        other.column()};
    if (next.row == m_selection.row && next.column == m_selection.column) {
        m_selection = next;
        return;
    }
    emit leaveCell();
    m_selection = next;
    emit enterCell();
}

QItemSelectionModel::SelectionFlags GridView::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const
{
    if (!event)
        return QItemSelectionModel::ClearAndSelect;
    // Shift extends from the current cell; any other press or key starts a new selection there.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress: {
        if (!index.isValid())
            return QItemSelectionModel::NoUpdate;
        const auto modifiers = static_cast<const QInputEvent*>(event)->modifiers();
        return (modifiers & Qt::ShiftModifier) ? QItemSelectionModel::SelectCurrent
                                               : QItemSelectionModel::ClearAndSelect;
    }
    case QEvent::MouseMove:
        return QTableView::selectionCommand(index, event);
    default:
        return QItemSelectionModel::NoUpdate;
    }
}

// Only the left button selects; a right click keeps the selection the pop-up menu acts on.
void GridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    settle();
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    QTableView::mouseMoveEvent(event);
    settle();
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        QTableView::mouseReleaseEvent(event);
    else
        event->accept();
    emit mouseUp(event->button());
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    // The first click has made the cell current; the second acts like it.
    QTableView::mousePressEvent(event);
    settle();
    if (index.isValid() && index == m_model->index(m_selection.row, m_selection.column))
        emit cellDoubleClicked();
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (isContextMenuKey(*event)) {
        event->accept();
        emit contextMenuKey();
        return;
    }
    // A plain move starts from the current cell, not from the corner Shift was moving.
    if (isMoveKey(*event) && !(event->modifiers() & Qt::ShiftModifier)) {
        const QModelIndex current = m_model->index(m_selection.row, m_selection.column);
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        m_selection.otherRow = m_selection.row;
        m_selection.otherColumn = m_selection.column;
    }
    QTableView::keyPressEvent(event);
    settle();
}

void GridView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    // The focus frame is on the current cell, which need not be Qt's current index.
    viewport()->update(visualRect(m_model->index(m_selection.row, m_selection.column)));
}

void GridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update(visualRect(m_model->index(m_selection.row, m_selection.column)));
}

void GridView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyFont();
}

// The fixed row, column and corner use the grid's font. The style sheet keeps the headers and
// their viewports from inheriting it, so it is handed on here.
void GridView::applyFont()
{
    for (QWidget* child : findChildren<QWidget*>())
        child->setFont(font());
    verticalHeader()->setDefaultSectionSize(fontMetrics().height());
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == cornerButton()) {
        paintCorner(*static_cast<QWidget*>(watched));
        return true;
    }
    const bool result = QTableView::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease && watched != viewport())
        emit mouseUp(static_cast<QMouseEvent*>(event)->button());
    return result;
}

void GridView::paintCorner(QWidget& corner) const
{
    QStyleOptionHeader option;
    option.initFrom(&corner);
    option.rect = corner.rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = cornerText();
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QPainter painter(&corner);
    corner.style()->drawControl(QStyle::CE_Header, &option, &painter, &corner);
}

CellRect GridView::fillArea() const
{
    if (m_fillMode == FillMode::CurrentCell)
        return {m_selection.row, m_selection.column, m_selection.row, m_selection.column};
    return m_selection;
}

void GridView::setSelectionText(const QString& text)
{
    m_model->setTexts(fillArea(), [&](int, int) { return text; });
}

void GridView::setSelectionColors(const QColor& background, const QColor& foreground)
{
    m_model->setColors(fillArea(), background, foreground);
}

QColor GridView::background(int row, int column) const
{
    const QColor color = m_model->background(row, column);
    return color.isValid() ? color : palette().color(QPalette::Base);
}

QColor GridView::foreground(int row, int column) const
{
    const QColor color = m_model->foreground(row, column);
    return color.isValid() ? color : palette().color(QPalette::Text);
}

void GridView::setLabelWidthTwips(int twips, double twipsPerPixel)
{
    verticalHeader()->setFixedWidth(std::max(twipsToPixels(twips, twipsPerPixel), 0));
}

void GridView::setColumnWidthTwips(int column, int twips, double twipsPerPixel)
{
    if (column >= 0 && column < columns())
        setColumnWidth(column, std::max(twipsToPixels(twips, twipsPerPixel), 0));
}

int GridView::labelWidthPixels() const
{
    return verticalHeader()->width();
}

int GridView::columnWidthPixels(int column) const
{
    return column >= 0 && column < columns() ? columnWidth(column) : 0;
}

} // namespace tarn
