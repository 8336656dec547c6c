#include "ui/Fonts.h"
#include "ui/GridView.h"

#include <functional>
#include <memory>
#include <string>

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace tarn {
namespace {

// What a table view paints with a delegate that draws each cell as its background and its
// text through QPainter::drawText: the look the grid keeps.
class ReferenceDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QPalette::ColorGroup group =
            !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                    : QPalette::Inactive;
        QColor foreground;
        if (option.state & QStyle::State_Selected) {
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
            foreground = option.palette.color(group, QPalette::HighlightedText);
        } else {
            const auto background = qvariant_cast<QBrush>(index.data(Qt::BackgroundRole));
            if (background.style() != Qt::NoBrush)
                painter->fillRect(option.rect, background);
            const QVariant text = index.data(Qt::ForegroundRole);
            foreground = text.isValid() ? qvariant_cast<QBrush>(text).color()
                                        : option.palette.color(group, QPalette::Text);
        }
        const int margin = option.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin,
                                                               nullptr, option.widget) +
                           1;
        painter->save();
        painter->setPen(foreground);
        painter->setClipRect(option.rect);
        painter->drawText(option.rect.adjusted(margin, 0, -margin, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data().toString());
        painter->restore();
    }
};

// A crosspoint-sized grid beside a plain table view made to match it cell for cell.
class GridDelegateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window->resize(1400, 800);
        grid->setFont(sixPixelFixedFont());
        grid->setGeometry(0, 0, 660, 500);
        grid->setTexts({0, 0, 63, 3}, [](int r, int c) {
            return (r + c) % 7 == 5 ? QStringLiteral(" ----INVALID----")
                                    : QStringLiteral(" Fader %1 gy\u00c5\u20ac").arg(r * 10 + c);
        });
        for (int c = 0; c < 4; ++c)
            grid->setColumnWidthTwips(c, (23 + 3 * c) * 6 * 15, 15);
        m_window->show();
    }

    // The reference, built from the grid as it stands now.
    std::unique_ptr<QTableWidget> reference() const
    {
        auto plain = std::make_unique<QTableWidget>(grid->rows(), grid->columns(), m_window.get());
        plain->setItemDelegate(new ReferenceDelegate(plain.get()));
        plain->setStyleSheet(grid->styleSheet());
        plain->setFont(grid->font());
        plain->setPalette(grid->palette());
        plain->setEnabled(grid->isEnabled());
        plain->setLayoutDirection(grid->layoutDirection());
        plain->setGeometry(grid->geometry().translated(700, 0));
        plain->verticalHeader()->setFixedWidth(grid->verticalHeader()->width());
        plain->horizontalHeader()->setFixedHeight(grid->horizontalHeader()->height());
        plain->verticalHeader()->setMinimumSectionSize(0);
        plain->verticalHeader()->setDefaultSectionSize(
            grid->verticalHeader()->defaultSectionSize());
        for (int c = 0; c < grid->columns(); ++c)
            plain->setColumnWidth(c, grid->columnWidth(c));
        for (int r = 0; r < grid->rows(); ++r) {
            for (int c = 0; c < grid->columns(); ++c) {
                const QModelIndex cell = grid->model()->index(r, c);
                auto* item = new QTableWidgetItem(cell.data().toString());
                for (const int role : {Qt::BackgroundRole, Qt::ForegroundRole})
                    item->setData(role, cell.data(role));
                plain->setItem(r, c, item);
            }
        }
        plain->selectionModel()->setCurrentIndex(
            plain->model()->index(grid->selection().row, grid->selection().column),
            QItemSelectionModel::NoUpdate);
        const QItemSelectionRange range = grid->selectionModel()->selection().first();
        plain->selectionModel()->select(
            QItemSelection(plain->model()->index(range.top(), range.left()),
                           plain->model()->index(range.bottom(), range.right())),
            QItemSelectionModel::ClearAndSelect);
        plain->show();
        plain->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->value());
        plain->verticalScrollBar()->setValue(grid->verticalScrollBar()->value());
        return plain;
    }

    // Neither table has the focus: no cell shows a focus frame.
    void expectPaintedAsReference() const
    {
        const QImage expected = reference()->viewport()->grab().toImage();
        ASSERT_FALSE(grid->hasFocus());
        const QImage actual = grid->viewport()->grab().toImage();
        ASSERT_EQ(actual.size(), expected.size());
        EXPECT_TRUE(actual == expected);
    }

    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    GridView* grid = new GridView(64, 4, m_window.get(), QStringLiteral("CrossPointGrid_0"));
};

struct Scene
{
    const char* name;
    std::function<void(GridView&)> arrange;
};

class GridPainting : public GridDelegateTest, public ::testing::WithParamInterface<Scene>
{
};

TEST_P(GridPainting, PaintsWhatATableViewWithAPlainDelegatePaints)
{
    GetParam().arrange(*grid);
    expectPaintedAsReference();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scenes, GridPainting, ::testing::Values(
    Scene{"SelectedAndColoured", [](GridView& g) {
        g.setSelection({2, 1, 8, 3});
        g.cells().setColors({11, 0, 13, 2}, QColor(200, 40, 40), QColor(250, 250, 90)); }},
    Scene{"Scrolled", [](GridView& g) {
        g.verticalScrollBar()->setValue(20);
        g.horizontalScrollBar()->setValue(g.horizontalScrollBar()->maximum()); }},
    Scene{"RightToLeft", [](GridView& g) {
        g.setLayoutDirection(Qt::RightToLeft);
        g.setSelection({4, 0, 4, 0}); }},
    Scene{"Disabled", [](GridView& g) { g.setEnabled(false); }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace tarn
