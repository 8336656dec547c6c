#include "ui/PageKeys.h"

#include "model/Index.h"
#include "ui/ControlsTree.h"
#include "ui/FindPanel.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QTabWidget>
#include <QTreeView>

namespace tarn {

namespace {

// The first widget of `page` that Tab would reach.
QWidget* firstFocusOn(QWidget* page)
{
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            !w->focusProxy() && w->isVisibleTo(page) && w->isEnabled())
            return w;
    }
    return nullptr;
}

// The find field moves between pages, so a remembered widget may have left its page.
bool canTakeFocus(const QWidget* widget, const QWidget* page)
{
    return widget && page->isAncestorOf(widget) && widget->isVisibleTo(page) && widget->isEnabled();
}

} // namespace

PageKeys::PageKeys(QWidget* window, QTabWidget* tabs)
    : QObject(window), m_window(window), m_tabs(tabs)
{
    const auto addKey = [this](const QKeySequence& key, int step) {
        auto* action = new QAction(m_window);
        action->setShortcut(key);
        // Taken before any widget sees the key: a list would otherwise search for a tab
        // character, and the tab strip would hand the focus on through "Save".
        action->setShortcutContext(Qt::WindowShortcut);
        m_window->addAction(action);
        connect(action, &QAction::triggered, this, [this, step] { switchPage(step); });
    };
    addKey(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1);
    addKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
}

void PageKeys::switchPage(int step)
{
    const int count = m_tabs->count();
    const int from = m_tabs->currentIndex();
    const int to = (from + step + count) % count;
    QWidget* focus = QApplication::focusWidget();
    // The find field stands over a tree of the page and closes with it: back here is that tree.
    auto* find = m_window->findChild<FindPanel*>(QString(), Qt::FindDirectChildrenOnly);
    const bool finding = focus && find && find->isAncestorOf(focus);
    if (finding)
        focus = find->tree()->view();
    if (focus && m_tabs->widget(from)->isAncestorOf(focus))
        at(m_pageFocus, from) = focus;
    QWidget* page = m_tabs->widget(to);
    QWidget* target = at(m_pageFocus, to);
    if (!canTakeFocus(target, page))
        target = firstFocusOn(page);
    // The focus moves before the pages do: hiding a page that holds it would hand it on along
    // the focus chain ("Save") first, and clearing it is announced too, so a screen reader
    // would hear a widget it never reaches.
    if (target)
        target->setFocus(Qt::TabFocusReason);
    // Closed without the focus in it, the field gives none back to the tree it leaves.
    if (target && finding)
        find->closeOver(false);
    m_tabs->setCurrentIndex(to);
}

} // namespace tarn
