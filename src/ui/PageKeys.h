#pragma once

#include <array>

#include <QObject>
#include <QPointer>

class QTabWidget;
class QWidget;

namespace tarn {

// Ctrl+Tab and Ctrl+Shift+Tab from any widget of the window turn the pages of the tab strip,
// and return to the widget that had the focus when a page was left.
class PageKeys : public QObject
{
    Q_OBJECT

public:
    PageKeys(QWidget* window, QTabWidget* tabs);

private:
    void switchPage(int step);

    QWidget* m_window;
    QTabWidget* m_tabs;
    std::array<QPointer<QWidget>, 5> m_pageFocus{};
};

} // namespace tarn
