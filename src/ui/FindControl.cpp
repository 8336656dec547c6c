#include "app/LoadSequence.h"
#include "controls/ControlSearch.h"
#include "ui/ControlTreeModel.h"
#include "ui/Form1.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeView>

namespace tarn {

namespace {

constexpr int kFindPanelWidth = 240;
constexpr int kFindPanelMargin = 2;

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
        m_findCount = new QLabel(panel);
        m_findCount->setObjectName(QStringLiteral("FindControlCount"));
        layout->addWidget(m_findField, 1);
        layout->addWidget(m_findCount);
        m_findPanel = panel;
        m_findField->installEventFilter(this);
        connect(m_findField, &QLineEdit::textChanged, this, &Form1::findTextChanged);
        connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
            if (m_findPanel->isVisible())
                closeFindField();
        });
    }

    m_findSet = set;
    auto& search = m_search[static_cast<std::size_t>(set)];
    if (!search)
        search = std::make_unique<ControlSearch>(m_load->sets[static_cast<std::size_t>(set)]);

    const QTreeView* tree = m_controlsTree[static_cast<std::size_t>(set)];
    const QPoint corner = tree->mapTo(this, QPoint(0, 0));
    const int width = std::min(kFindPanelWidth, tree->width());
    const int height = m_findPanel->sizeHint().height();
    m_findPanel->setGeometry(corner.x() + tree->width() - width - kFindPanelMargin,
                             corner.y() + kFindPanelMargin, width, height);
    m_findPanel->show();
    m_findPanel->raise();
    m_findField->setFocus();
    m_findField->selectAll();
    findTextChanged();
}

void Form1::closeFindField()
{
    m_findPanel->hide();
    m_controlsTree[static_cast<std::size_t>(m_findSet)]->setFocus();
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
    if (count == 0) {
        m_findCount->setText(QStringLiteral("0 of 0"));
        return;
    }
    m_matchPosition = ((m_matchPosition + step) % count + count) % count;
    m_findCount->setText(QStringLiteral("%1 of %2").arg(m_matchPosition + 1).arg(count));

    const auto s = static_cast<std::size_t>(m_findSet);
    const QModelIndex entry =
        m_controlTreeModel[s]->indexOfEntry(m_matches[static_cast<std::size_t>(m_matchPosition)]);
    QTreeView* tree = m_controlsTree[s];
    for (QModelIndex ancestor = entry.parent(); ancestor.isValid(); ancestor = ancestor.parent())
        tree->expand(ancestor);
    tree->scrollTo(entry);
    tree->selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
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
