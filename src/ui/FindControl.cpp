#include "app/LoadSequence.h"
#include "controls/ControlSearch.h"
#include "controls/ControlTreeModel.h"
#include "ui/Form1.h"

#include <QAccessible>
#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

namespace tarn {

namespace {

// Room above a tree's rows, where the panel stands so that it covers no entry: the tree's own
// header, hidden otherwise, at the panel's height and under it.
void setRoomAbove(QTreeView* tree, int height)
{
    tree->header()->setMinimumHeight(height);
    tree->setHeaderHidden(height == 0);
    // The header and the rows take their places now, before the panel is placed over them.
    tree->doItemsLayout();
}

} // namespace

// Ctrl+F over a mix tab or DC LOOPS: a small panel laid over the top of that tab's tree (the
// loop tree that last had the focus), so that no widget of the window moves for it.
void Form1::openFindField()
{
    const int tab = m_tabs->currentIndex();
    int set = 0;
    if (tab == crosspointSetOf(0) || tab == crosspointSetOf(1))
        set = tab;
    else if (tab == EditPlace::Loops)
        set = m_lastLoopTree;
    else
        return;

    if (!m_findPanel) {
        auto* panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("FindControlPanel"));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setAutoFillBackground(true);
        auto* layout = new QHBoxLayout(panel);
        layout->setContentsMargins(4, 2, 4, 2);
        m_findField = new QLineEdit(panel);
        m_findField->setObjectName(QStringLiteral("FindControlField"));
        m_findField->setPlaceholderText(QStringLiteral("Find a control, or #pointer"));
        m_findField->setToolTip(
            QStringLiteral("Enter or F3: next match; Shift+Enter or Shift+F3: previous; "
                           "Escape: back to the tree"));
        m_findField->setAccessibleName(QStringLiteral("Find control"));
        m_findCount = new QLabel(panel);
        m_findCount->setObjectName(QStringLiteral("FindControlCount"));
        auto* close = new QToolButton(panel);
        close->setObjectName(QStringLiteral("FindControlClose"));
        close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
        close->setAutoRaise(true);
        close->setToolTip(QStringLiteral("Close the find panel (Escape)"));
        close->setAccessibleName(QStringLiteral("Close find panel"));
        layout->addWidget(m_findField, 1);
        layout->addWidget(m_findCount);
        layout->addWidget(close);
        m_findPanel = panel;
        m_findField->installEventFilter(this);
        connect(m_findField, &QLineEdit::textChanged, this, &Form1::findTextChanged);
        connect(close, &QToolButton::clicked, this, &Form1::closeFindField);
        // Escape from any widget, not only from the field. The panel closes with its tab, so
        // while it is open the window shows no other tab; closed, it leaves Escape alone.
        m_findEscape = new QAction(panel);
        m_findEscape->setShortcut(Qt::Key_Escape);
        m_findEscape->setShortcutContext(Qt::WindowShortcut);
        m_findEscape->setEnabled(false);
        addAction(m_findEscape);
        connect(m_findEscape, &QAction::triggered, this, &Form1::closeFindField);
        connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
            if (m_findPanel->isVisible())
                closeFindField();
        });
    }

    if (m_findPanel->isVisible() && m_findSet != set)
        setRoomAbove(m_controlsTree[static_cast<std::size_t>(m_findSet)], 0);
    m_findSet = set;
    auto& search = m_search[static_cast<std::size_t>(set)];
    if (!search)
        search = std::make_unique<ControlSearch>(m_load->sets[static_cast<std::size_t>(set)]);

    QTreeView* tree = m_controlsTree[static_cast<std::size_t>(set)];
    const int height = m_findPanel->sizeHint().height();
    // The rows move below the panel, so that a match is never under it.
    setRoomAbove(tree, height);
    const QRect room = tree->header()->geometry();
    m_findPanel->setGeometry(QRect(tree->mapTo(this, room.topLeft()), room.size()));
    m_findPanel->show();
    m_findPanel->raise();
    m_findEscape->setEnabled(true);
    m_findField->setFocus();
    m_findField->selectAll();
    findTextChanged();
}

void Form1::closeFindField()
{
    QTreeView* tree = m_controlsTree[static_cast<std::size_t>(m_findSet)];
    // The focus goes straight to the tree, not through the next widget of the hidden panel.
    tree->setFocus();
    m_findPanel->hide();
    m_findEscape->setEnabled(false);
    setRoomAbove(tree, 0);
}

void Form1::findTextChanged()
{
    m_matches = m_search[static_cast<std::size_t>(m_findSet)]->find(m_findField->text());
    m_matchPosition = -1;
    goToMatch(1);
}

// Moves `step` matches on, wrapping at the ends, and makes that match the tree's current entry
// the way a double-click reveals one; it is not assigned.
void Form1::goToMatch(int step)
{
    const int count = static_cast<int>(m_matches.size());
    if (count > 0)
        m_matchPosition = ((m_matchPosition + step) % count + count) % count;
    m_findCount->setText(
        QStringLiteral("%1 of %2").arg(count > 0 ? m_matchPosition + 1 : 0).arg(count));
    // A screen reader hears the count change as the field's description.
    if (m_findField->accessibleDescription() != m_findCount->text()) {
        m_findField->setAccessibleDescription(m_findCount->text());
        QAccessibleEvent changed(m_findField, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
    if (count == 0)
        return;

    const auto s = static_cast<std::size_t>(m_findSet);
    const QModelIndex entry =
        m_controlTreeModel[s]->indexOfEntry(m_matches[static_cast<std::size_t>(m_matchPosition)]);
    QTreeView* tree = m_controlsTree[s];
    for (QModelIndex ancestor = entry.parent(); ancestor.isValid(); ancestor = ancestor.parent())
        tree->expand(ancestor);
    tree->scrollTo(entry);
    {
        // The keys still go to the field: the tree must not announce its entry as focused.
        const QSignalBlocker quiet(tree->selectionModel());
        tree->selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    }
    tree->viewport()->update();
}

bool Form1::handleFindKey(QObject* watched, const QEvent* event)
{
    if (!m_findField || watched != m_findField || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool back = key->modifiers().testFlag(Qt::ShiftModifier);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F3:
        goToMatch(back ? -1 : 1);
        return true;
    case Qt::Key_Escape:
        closeFindField();
        return true;
    default:
        return false;
    }
}

void Form1::noteLoopTreeFocus(QObject* watched, const QEvent* event)
{
    if (event->type() != QEvent::FocusIn)
        return;
    for (const int set : {loopSetOf(0), loopSetOf(1)}) {
        if (watched == m_controlsTree[static_cast<std::size_t>(set)])
            m_lastLoopTree = set;
    }
}

} // namespace tarn
