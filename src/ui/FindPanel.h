#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QFrame>

class QAction;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace tarn {

class ControlSearch;
class ControlSet;
class ControlsTree;

// Ctrl+F over a control tree: a small panel laid over the top of the tree, so that no widget of
// the window moves for it. Each match becomes the tree's current entry the way a double-click
// reveals one; it is not assigned.
class FindPanel : public QFrame
{
    Q_OBJECT

public:
    // Closes with the page of `tabs` it stands on.
    FindPanel(QWidget* window, QTabWidget* tabs);
    ~FindPanel() override;

    // Opens over `tree`, searching `controls` (set number `set`, whose search is kept until
    // forgetSearches()).
    void openOver(ControlsTree* tree, int set, const ControlSet& controls);
    // Gives the focus back to the tree when asked; a page switch has moved it on already.
    void closeOver(bool giveFocusBack = true);
    ControlsTree* tree() const { return m_tree; }
    // Another folder's load: the panel closes and the searches over the old sets go.
    void forgetSearches();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void findTextChanged();
    void goToMatch(int step);

    QLineEdit* m_field;
    QLabel* m_count;
    QAction* m_escape;
    ControlsTree* m_tree = nullptr;
    int m_set = 0;
    std::array<std::unique_ptr<ControlSearch>, 4> m_search;
    std::vector<int> m_matches;
    int m_matchPosition = -1;
};

} // namespace tarn
