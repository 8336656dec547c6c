#pragma once

#include "app/EditHistory.h"
#include "editors/CompressorEditor.h"
#include "editors/MixOutputBuffer.h"
#include "layout/WindowLayout.h"
#include "model/ConfigModel.h"
#include "model/Index.h"
#include "ui/LoopsTab.h"
#include "ui/MixTab.h"
#include "ui/WindowFit.h"

#include <array>
#include <memory>

#include <QRect>
#include <QWidget>

class QAction;
class QPushButton;
class QTabWidget;
class QUndoStack;

namespace tarn {

class CompressorTab;
class CrossPointMenu;
class FindPanel;
class FolderChooser;
class MessageBoxes;
class MetersTab;
class SettingsStore;
class TabsPresenter;
class WorkKeeper;
struct FolderLoad;

// The platform services the window asks for; owned by whoever creates the window.
struct Form1Services
{
    SettingsStore& settings;
    FolderChooser& chooser;
    MessageBoxes& messages;
};

// The editor's one window. It owns the model with the load that filled it, the save and the
// edit history, and connects the tabs: each tab tells what the user asked for, the window
// changes the model through the core and gives the tabs the texts the core returns.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(const Form1Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // The window load: shows the window, asks for the folder (`argumentFolder`, when given,
    // is taken as the answer) and loads it. False when no folder was chosen: the window is
    // closed and the program should end at once.
    bool start(const QString& argumentFolder = {});

    // True after start() returned false because the folder named on the command line holds
    // no configuration files and the user would not have them created.
    bool declinedFolder() const { return m_declinedFolder; }
    // Loads `folder` into this window through the load sequence, as the start does: the undo
    // history starts empty, the caption names the folder. Ctrl+O comes through here too.
    // False, with nothing changed, when the folder is open in another editor and the user would
    // rather not open it here too.
    bool loadFolder(const QString& folder);

    const ConfigModel& model() const { return m_model; }

    GridView& crossPointGrid(int mixer) const { return mixTab(mixer).grid(); }
    GridView& loopsGrid(int mixer) const { return m_loopsTab->grid(mixer); }
    double twipsPerPixel() const { return m_twipsPerPixel; }

    // Whether the configuration differs from what was last loaded or saved.
    bool isModified() const { return m_loaded && !(m_model == m_savedModel); }
    // Shrinks the window, where its frame would not fit `available`, to the largest size whose
    // frame does (the screen's available area, in the real program); again when the frame
    // becomes known or changes.
    void fitToScreen(const QRect& available) { m_windowFit->fitInto(available); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MixTab& mixTab(int mixer) const { return *at(m_mixTab, mixer); }
    void connectTabs();
    QAction* addShortcut(const QList<QKeySequence>& keys);

    // The load and what it shows.
    void showLoadedFolder();
    void showFolderAgain();
    void openOtherFolder();

    // What the user asked for on the tabs.
    void assignFromTree(int set, int entryIndex);
    void assignToCrossPoints(int mixer, int pointer, const QString& text);
    void assignToLoops(int mixer, int pointer, const QString& text);
    void copyMixOutput(int mixer);
    void replaceMixOutput(int mixer, bool swap);
    void chooseMeter(int meter, int position);
    void stepCompressor(CompressorParam param, int position);
    void openFindPanel();

    // The edit history.
    void recordStep(const ConfigModel& before, const EditPlace& place, int mergeId = -1);
    void applyStep(const EditStep& step, bool undo, bool wholeModel);
    // The caption is the described one while nothing changed, and ends in "*" otherwise.
    void updateModifiedMark()
    {
        setWindowTitle(isModified() ? m_caption + QLatin1Char('*') : m_caption);
    }

    // Saving and the exit question.
    void save();
    bool saveFolder();

    Form1Services m_services;
    double m_twipsPerPixel = 15;
    WindowGeometry m_geometry;
    ConfigModel m_model;
    // What the load read. Its model is taken into m_model at once and left empty; the control
    // sets stay here for the trees and the cell texts.
    std::unique_ptr<FolderLoad> m_load;
    MixOutputBuffer m_buffer;
    bool m_loaded = false;
    bool m_ending = false; // closing without the exit question
    bool m_declinedFolder = false;

    // The undo history; while a step is applied the tabs' signals leave the model alone.
    QUndoStack* m_undoStack = nullptr;
    bool m_applyingStep = false;
    ConfigModel m_savedModel;
    QString m_caption; // the caption without the modified mark

    QTabWidget* m_tabs = nullptr;
    std::array<MixTab*, kMixerCount> m_mixTab{};
    LoopsTab* m_loopsTab = nullptr;
    MetersTab* m_metersTab = nullptr;
    CompressorTab* m_compressorTab = nullptr;
    QPushButton* m_saveCommand = nullptr;
    CrossPointMenu* m_popupMenu = nullptr;
    FindPanel* m_findPanel = nullptr; // made on first use
    WorkKeeper* m_work = nullptr;
    WindowFit* m_windowFit = nullptr;
    std::unique_ptr<TabsPresenter> m_presenter;
};

} // namespace tarn
