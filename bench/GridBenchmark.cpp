#include "BenchFolders.h"
#include "RatioRow.h"
#include "app/Platform.h"
#include "ui/Form1.h"
#include "ui/GridView.h"

#include <memory>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QTreeView>

#include <benchmark/benchmark.h>

namespace tarn::bench {
namespace {

class NoSettings final : public SettingsStore
{
public:
    QString value(const QString&, const QString&, const QString&,
                  const QString& defaultValue) const override
    {
        return defaultValue;
    }
    void setValue(const QString&, const QString&, const QString&, const QString&) override {}
};

class Answers final : public FolderChooser, public MessageBoxes
{
public:
    QString chooseFolder(const QString&, const QString&) override { return folder; }
    void showOk(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
    Answer askYesNoCancel(const QString&) override { return Answer::No; }
    bool askChoice(const QString&, const QString&, const QString&) override { return false; }
    QString folder;
};

// The editor started on the maximal folder, kept for all grid benchmarks.
struct Editor
{
    Editor()
    {
        answers.folder = maximalFolder();
        form = std::make_unique<Form1>(Form1Services{settings, answers, answers});
        if (!form->start())
            qFatal("the editor did not start");
    }
    GridView* grid() const { return &form->crossPointGrid(0); }

    NoSettings settings;
    Answers answers;
    std::unique_ptr<Form1> form;
};

std::unique_ptr<Editor>& editorInstance()
{
    static std::unique_ptr<Editor> instance;
    return instance;
}

Editor& editor()
{
    auto& instance = editorInstance();
    if (!instance) {
        instance = std::make_unique<Editor>();
        // Offscreen windows paint only once their expose event has been handled.
        QCoreApplication::processEvents();
    }
    return *instance;
}

// A plain QTableWidget of the grid's size, font, column widths, headers and texts: what Qt's
// own item view costs for one repaint.
std::unique_ptr<QTableWidget> plainCopyOf(const GridView& grid)
{
    auto table = std::make_unique<QTableWidget>(grid.rows(), grid.columns());
    table->setFont(grid.font());
    table->resize(grid.size());
    table->setVerticalHeaderLabels(grid.labelTexts().mid(1));
    for (int c = 0; c < grid.columns(); ++c) {
        table->setColumnWidth(c, grid.columnWidth(c));
        table->setHorizontalHeaderItem(c, new QTableWidgetItem(grid.columnTexts(c).first()));
    }
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.columns(); ++c)
            table->setItem(r, c, new QTableWidgetItem(grid.text(r, c)));
    }
    table->show();
    QCoreApplication::processEvents();
    return table;
}

void BM_ChooseMixOutput(benchmark::State& state)
{
    Editor& e = editor();
    auto* combo = e.form->findChild<QComboBox*>(QStringLiteral("MixOutputCombo_0"));
    const auto plain = plainCopyOf(*e.grid());
    int output = 0;
    measureAgainstFloor(
        state,
        [&] {
            output = (output + 1) % combo->count();
            combo->setCurrentIndex(output);
            e.grid()->repaint();
        },
        [&] { plain->viewport()->repaint(); });
}
BENCHMARK(BM_ChooseMixOutput)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_TreeClickAssigns64x4(benchmark::State& state)
{
    Editor& e = editor();
    GridView& grid = e.form->crossPointGrid(0);
    auto* tree = e.form->findChild<QTreeView*>(QStringLiteral("ControlsTree_0"));
    const QAbstractItemModel* model = tree->model();
    // Entries 2 and 3 of the first group, clicked in turn so that every click changes the cells.
    const QModelIndex group = model->index(0, 0);
    const QModelIndex entries[] = {model->index(0, 0, group),
                                   model->index(0, 0, model->index(0, 0, group))};
    grid.setSelection({0, 0, grid.rows() - 1, grid.columns() - 1});
    const auto plain = plainCopyOf(*e.grid());
    int click = 0;
    measureAgainstFloor(
        state,
        [&] {
            emit tree->clicked(entries[click++ % 2]);
            e.grid()->repaint();
        },
        [&] { plain->viewport()->repaint(); });
}
BENCHMARK(BM_TreeClickAssigns64x4)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

void closeEditor()
{
    editorInstance().reset();
}

} // namespace tarn::bench
