#include "ui/FindPanel.h"

#include "controls/ControlSearch.h"
#include "model/Index.h"
#include "ui/ControlsTree.h"

#include <QAccessible>
#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

FindPanel::FindPanel(QWidget* window, QTabWidget* tabs) : QFrame(window)
{
    setObjectName(QStringLiteral("FindControlPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("FindControlField"));
    m_field->setPlaceholderText(QStringLiteral("Find a control, or #pointer"));
    m_field->setToolTip(QStringLiteral("Enter or F3: next match; Shift+Enter or Shift+F3: "
                                       "previous; Escape: back to the tree"));
    m_field->setAccessibleName(QStringLiteral("Find control"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("FindControlCount"));
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("FindControlClose"));
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip(QStringLiteral("Close the find panel (Escape)"));
    close->setAccessibleName(QStringLiteral("Close find panel"));
    layout->addWidget(m_field, 1);
    layout->addWidget(m_count);
    layout->addWidget(close);
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, this, &FindPanel::findTextChanged);
    connect(close, &QToolButton::clicked, this, [this] { closeOver(); });
    // Escape from any widget, not only from the field. The panel closes with its tab, so while
    // it is open the window shows no other tab; closed, it leaves Escape alone.
    m_escape = new QAction(this);
    m_escape->setShortcut(Qt::Key_Escape);
    m_escape->setShortcutContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    window->addAction(m_escape);
    connect(m_escape, &QAction::triggered, this, [this] { closeOver(); });
    connect(tabs, &QTabWidget::currentChanged, this, [this] {
        if (isVisible())
            closeOver();
    });
}

FindPanel::~FindPanel() = default;

void FindPanel::openOver(ControlsTree* tree, int set, const ControlSet& controls)
{
    if (isVisible() && m_tree != tree)
        setRoomAbove(m_tree->view(), 0);
    m_tree = tree;
    m_set = set;
    auto& search = at(m_search, set);
    if (!search)
        search = std::make_unique<ControlSearch>(controls);

    const int height = sizeHint().height();
    // The rows move below the panel, so that a match is never under it.
    setRoomAbove(tree->view(), height);
    const QRect room = tree->view()->header()->geometry();
    setGeometry(QRect(tree->view()->mapTo(parentWidget(), room.topLeft()), room.size()));
    show();
    raise();
    m_escape->setEnabled(true);
    m_field->setFocus();
    m_field->selectAll();
    findTextChanged();
}

void FindPanel::closeOver(bool giveFocusBack)
{
    // The focus goes straight to the tree, not through the next widget of the hidden panel.
    if (giveFocusBack)
        m_tree->view()->setFocus();
    hide();
    m_escape->setEnabled(false);
    setRoomAbove(m_tree->view(), 0);
}

void FindPanel::forgetSearches()
{
    if (isVisible())
        closeOver();
    for (auto& search : m_search)
        search.reset();
}

void FindPanel::findTextChanged()
{
    m_matches = at(m_search, m_set)->find(m_field->text());
    m_matchPosition = -1;
    goToMatch(1);
}

// Moves `step` matches on, wrapping at the ends.
void FindPanel::goToMatch(int step)
{
    const int count = static_cast<int>(m_matches.size());
    if (count > 0)
        m_matchPosition = ((m_matchPosition + step) % count + count) % count;
    m_count->setText(
        QStringLiteral("%1 of %2").arg(count > 0 ? m_matchPosition + 1 : 0).arg(count));
    // A screen reader hears the count change as the field's description.
    if (m_field->accessibleDescription() != m_count->text()) {
        m_field->setAccessibleDescription(m_count->text());
        QAccessibleEvent changed(m_field, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
    if (count == 0)
        return;
    // The keys still go to the field: the tree must not announce its entry as focused.
    m_tree->revealEntry(at(m_matches, m_matchPosition), true);
}

bool FindPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool back = key->modifiers().testFlag(Qt::ShiftModifier);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F3:
        goToMatch(back ? -1 : 1);
        return true;
    case Qt::Key_Escape:
        closeOver();
        return true;
    default:
        return false;
    }
}

} // namespace tarn
