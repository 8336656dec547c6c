#pragma once

#include <QObject>

class QTreeView;

namespace tarn {

class ControlSet;
class ControlTreeModel;

// The tree of one control set: a plain QTreeView over a ControlTreeModel, and what it tells. A
// click on an entry, or Enter on it for users without a mouse, chooses that entry; the window
// assigns it. Owned by its view.
class ControlsTree : public QObject
{
    Q_OBJECT

public:
    ControlsTree(int set, const QString& accessibleName, QWidget* parent);

    QTreeView* view() const { return m_view; }
    // Shows `set` collapsed (not owned; must outlive the tree or be replaced first).
    void showControlSet(const ControlSet* set);
    // Expands the ancestors of the entry and scrolls to it; as the current entry, it is made so
    // without a signal, so that the tree does not announce it as focused.
    void revealEntry(int entryIndex, bool makeCurrent = false);

signals:
    void entryChosen(int entryIndex);
    void focusEntered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeView* m_view;
    ControlTreeModel* m_model;
};

} // namespace tarn
