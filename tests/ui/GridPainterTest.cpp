#include "ui/Fonts.h"
#include "ui/GridAdapter.h"

#include <functional>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QPaintEvent>
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
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
            focus.backgroundColor = option.palette.color(
                group,
                (option.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
            option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter,
                                                  option.widget);
        }
    }
};

// A crosspoint-sized grid beside a plain table view made to match it cell for cell.
class GridPainterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window->resize(1400, 800);
        grid->widget()->setFont(sixPixelFixedFont());
        grid->widget()->setGeometry(0, 0, 660, 500);
        for (int r = 0; r < 65; ++r) {
            for (int c = 0; c < 5; ++c) {
                const QString text =
                    r == 0 || c == 0   ? QStringLiteral("fixed")
                    : (r + c) % 7 == 0 ? QStringLiteral(" ----INVALID----")
                                       : QStringLiteral(" Fader %1 gy\u00c5\u20ac").arg(r * 10 + c);
                grid->setText(r, c, text);
            }
        }
        for (int c = 1; c < 5; ++c)
            grid->setColumnWidthTwips(c, (20 + 3 * c) * 6 * 15, 15);
        m_window->show();
    }

    // The reference, built from the grid's table as it stands now.
    std::unique_ptr<QTableWidget> reference() const
    {
        const QTableWidget& table = *grid->widget();
        auto plain =
            std::make_unique<QTableWidget>(table.rowCount(), table.columnCount(), m_window.get());
        plain->setItemDelegate(new ReferenceDelegate(plain.get()));
        plain->setStyleSheet(table.styleSheet());
        plain->setFont(table.font());
        plain->setPalette(table.palette());
        plain->setEnabled(table.isEnabled());
        plain->setLayoutDirection(table.layoutDirection());
        plain->setGeometry(table.geometry().translated(700, 0));
        plain->verticalHeader()->setFixedWidth(table.verticalHeader()->width());
        plain->horizontalHeader()->setFixedHeight(table.horizontalHeader()->height());
        plain->verticalHeader()->setMinimumSectionSize(0);
        plain->verticalHeader()->setDefaultSectionSize(
            table.verticalHeader()->defaultSectionSize());
        for (int c = 0; c < table.columnCount(); ++c) {
            plain->setColumnWidth(c, table.columnWidth(c));
            plain->setColumnHidden(c, table.isColumnHidden(c));
        }
        for (int r = 0; r < table.rowCount(); ++r) {
            plain->setRowHidden(r, table.isRowHidden(r));
            for (int c = 0; c < table.columnCount(); ++c)
                plain->setItem(r, c, table.item(r, c)->clone());
        }
        plain->selectionModel()->setCurrentIndex(
            plain->model()->index(table.currentRow(), table.currentColumn()),
            QItemSelectionModel::NoUpdate);
        plain->selectionModel()->select(table.selectionModel()->selection(),
                                        QItemSelectionModel::ClearAndSelect);
        plain->show();
        plain->horizontalScrollBar()->setValue(table.horizontalScrollBar()->value());
        plain->verticalScrollBar()->setValue(table.verticalScrollBar()->value());
        return plain;
    }

    // With `focused`, each table is painted while it has the focus.
    void expectPaintedAsReference(bool focused = false) const
    {
        const auto plain = reference();
        if (focused)
            plain->setFocus();
        const QImage expected = plain->viewport()->grab().toImage();
        if (focused)
            grid->widget()->setFocus();
        ASSERT_EQ(grid->widget()->hasFocus(), focused);
        const QImage actual = grid->widget()->viewport()->grab().toImage();
        ASSERT_EQ(actual.size(), expected.size());
        EXPECT_TRUE(actual == expected);
    }

    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    GridAdapter* grid = new GridAdapter(65, 5, m_window.get(), QStringLiteral("CrossPointGrid_0"));
};

struct Scene
{
    const char* name;
    std::function<void(GridAdapter&)> arrange;
};

class GridPainting : public GridPainterTest, public ::testing::WithParamInterface<Scene>
{
};

TEST_P(GridPainting, PaintsWhatATableViewWithAPlainDelegatePaints)
{
    GetParam().arrange(*grid);
    expectPaintedAsReference();
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, GridPainting,
    ::testing::Values(
        Scene{"AsCreated",
              [](GridAdapter&) {
              }},
        Scene{"SelectedAndColoured",
              [](GridAdapter& g) {
                  g.setCurrentCell(3, 2);
                  g.setOtherCorner(9, 4);
                  g.setAreaColors({12, 1, 14, 3}, QColor(200, 40, 40), QColor(250, 250, 90));
              }},
        Scene{"Scrolled",
              [](GridAdapter& g) {
                  g.widget()->verticalScrollBar()->setValue(20);
                  g.widget()->horizontalScrollBar()->setValue(
                      g.widget()->horizontalScrollBar()->maximum());
              }},
        Scene{"RightToLeft",
              [](GridAdapter& g) {
                  g.widget()->setLayoutDirection(Qt::RightToLeft);
                  g.setCurrentCell(5, 1);
              }},
        Scene{"Disabled",
              [](GridAdapter& g) {
                  g.widget()->setEnabled(false);
              }}),
    [](const auto& info) { return std::string(info.param.name); });

// The current cell of the grid that has the focus shows the style's focus frame.
TEST_F(GridPainterTest, FramesTheCurrentCellWhileTheGridHasTheFocus)
{
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    grid->setCurrentCell(4, 2);
    grid->setOtherCorner(6, 3);
    grid->widget()->clearFocus();
    const QImage unfocused = grid->widget()->viewport()->grab().toImage();
    expectPaintedAsReference(true);
    EXPECT_FALSE(grid->widget()->viewport()->grab().toImage() == unfocused);
}

// Collects the region of every paint event a widget receives.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// A block of cells written one by one is repainted as one rectangle, the grid lines inside it
// included, not as a region of separate cells.
TEST_F(GridPainterTest, RepaintsAWrittenBlockAsOneRectangle)
{
    QTableWidget& table = *grid->widget();
    QCoreApplication::processEvents();
    const PaintRecorder recorder(table.viewport());
    grid->setTexts({2, 1, 6, 3}, [](int row, int column) {
        return QStringLiteral(" %1/%2").arg(row).arg(column);
    });
    QCoreApplication::processEvents();
    const QRect block =
        table.visualRect(table.model()->index(2, 1)) | table.visualRect(table.model()->index(6, 3));
    EXPECT_TRUE(recorder.painted == QRegion(block));
}

} // namespace
} // namespace tarn
