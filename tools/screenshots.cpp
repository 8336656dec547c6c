// Renders every tab of the editor on a copy of the example folder into the given folder, for
// the documentation. Run through scripts/screenshots.sh.
#include "app/Platform.h"
#include "ui/Form1.h"
#include "ui/GridView.h"

#include <cstdio>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

// Nothing is remembered and nothing is asked: the folder comes from the command line.
class NoSettings final : public tarn::SettingsStore
{
public:
    QString value(const QString&, const QString&, const QString&,
                  const QString& defaultValue) const override
    {
        return defaultValue;
    }
    void setValue(const QString&, const QString&, const QString&, const QString&) override {}
};

class NoChooser final : public tarn::FolderChooser
{
public:
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

class NoMessages final : public tarn::MessageBoxes
{
public:
    void showOk(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool askYesNo(const QString&) override { return false; }
    Answer askYesNoCancel(const QString&) override { return Answer::No; }
    bool askChoice(const QString&, const QString&, const QString&) override { return false; }
};

// Opens the headings down to `path` in the first tree and clicks its last entry.
void clickEntry(QTreeView* view, const QStringList& path)
{
    const QAbstractItemModel* model = view->model();
    QModelIndex found;
    for (const QString& text : path) {
        const QModelIndexList hits =
            model->match(model->index(0, 0, found), Qt::DisplayRole, text, 1, Qt::MatchExactly);
        if (hits.isEmpty())
            return;
        found = hits.first();
        view->expand(found);
    }
    view->scrollTo(found);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(found).center());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarn_screenshots EXAMPLE_FOLDER TARGET_FOLDER\n");
        return 2;
    }
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir target(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir work;
    if (!work.isValid() || !QDir().mkpath(target.path()))
        return 1;
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), QDir(work.path()).filePath(name));

    NoSettings settings;
    NoChooser chooser;
    NoMessages messages;
    tarn::Form1 form(tarn::Form1Services{settings, chooser, messages});
    if (!form.start(work.path()))
        return 1;
    form.crossPointGrid(0).setSelection({2, 1, 4, 1});
    clickEntry(form.findChild<QTreeView*>(QStringLiteral("ControlsTree_0")),
               {"Desk faders", "Desk A", "Fader 2"});

    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    const char* const files[] = {"aes3-mix.png", "ip-mix.png", "dc-loops.png", "meters.png",
                                 "compressor.png"};
    int status = 0;
    for (int tab = 0; tab < 5; ++tab) {
        tabs->setCurrentIndex(tab);
        const QString path = target.filePath(QLatin1String(files[tab]));
        if (!form.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            status = 1;
        }
    }
    return status;
}
