#include "ui/Form1.h"

#include "app/LoadSequence.h"
#include "app/Platform.h"
#include "app/StartupFolder.h"
#include "editors/CrosspointEditor.h"
#include "editors/LoopEditor.h"
#include "editors/MeterEditor.h"
#include "layout/DesignGeometry.h"
#include "model/Index.h"
#include "texts/DisplayTexts.h"
#include "texts/WindowTexts.h"
#include "ui/CompressorTab.h"
#include "ui/ControlsTree.h"
#include "ui/CrossPointMenu.h"
#include "ui/EditCommand.h"
#include "ui/FindPanel.h"
#include "ui/Fonts.h"
#include "ui/FrameStyle.h"
#include "ui/MetersTab.h"
#include "ui/PageKeys.h"
#include "ui/WorkKeeper.h"

#include <cmath>
#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QUndoStack>

namespace tarn {

namespace {

// The client area the window opens with: the tab strip's design size and 120 on each side.
constexpr TwipsRect kDesignClientArea{0, 0, 18975, 11895};

// Paste and swap assign every cell of the output.
constexpr CellRect kWholeOutput{0, 0, kInputCount - 1, kSlotCount - 1};

} // namespace

Form1::Form1(const Form1Services& services, QWidget* parent)
    : QWidget(parent), m_services(services), m_geometry(designGeometry())
{
    setObjectName(QStringLiteral("Form1"));
    m_twipsPerPixel = tarn::twipsPerPixel(logicalDpiX());
    setWindowTitle(QLatin1String(kCaptionBase));
    setFont(tabStripFont());
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setFont(tabStripFont());
    m_tabs->setGeometry(toPixels(m_geometry.tabStrip, m_twipsPerPixel));
    for (int mixer = 0; mixer < kMixerCount; ++mixer)
        at(m_mixTab, mixer) =
            new MixTab(m_tabs, mixer, at(m_geometry.mixTabs, mixer), m_twipsPerPixel);
    m_loopsTab = new LoopsTab(m_tabs, m_geometry.loopsTab, m_twipsPerPixel);
    m_metersTab = new MetersTab(m_tabs, m_twipsPerPixel);
    m_compressorTab = new CompressorTab(m_tabs, m_twipsPerPixel);

    // Created after the tab strip, so that it stands above the strip's empty top-right corner.
    m_saveCommand = new QPushButton(QLatin1String(kSaveCaption), this);
    m_saveCommand->setObjectName(QStringLiteral("SaveCommand"));
    m_saveCommand->setGeometry(toPixels(kSaveCommandRect, m_twipsPerPixel));
    m_saveCommand->setToolTip(
        QStringLiteral("Write the configuration to the four files of the folder (Ctrl+S)"));
    m_popupMenu = new CrossPointMenu(this);
    new PageKeys(this, m_tabs);
    m_work = new WorkKeeper(this, m_services.messages, m_model, [this] { return isModified(); });
    const WindowTabs tabs{m_tabs, m_mixTab, m_loopsTab, m_metersTab, m_compressorTab};
    m_presenter = std::make_unique<TabsPresenter>(m_model, m_load, tabs);
    // Made after the frames, so that it outlives them when the window's children go.
    auto* frameStyle = new FrameStyle;
    frameStyle->setParent(this);
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->setStyle(frameStyle);
    m_windowFit = new WindowFit(this, tabs, m_geometry, m_model, m_twipsPerPixel);
    resize(toPixels(kDesignClientArea, m_twipsPerPixel).size());
}

Form1::~Form1()
{
    // The trees show the loaded sets, which go before the tree widgets do.
    for (int set = 0; set < kSetCount; ++set)
        m_presenter->tree(set).showControlSet(nullptr);
    // The stack empties itself as it goes, after this window's members.
    if (m_undoStack)
        m_undoStack->disconnect(this);
}

// Made with the first load: before it there is nothing to edit.
void Form1::connectTabs()
{
    for (int m = 0; m < kMixerCount; ++m) {
        MixTab* tab = at(m_mixTab, m);
        connect(tab, &MixTab::outputChosen, this, [this, m] { m_presenter->showMixOutput(m); });
        connect(tab, &MixTab::revealRequested, this,
                [this, m] { m_presenter->revealCrossPoint(m); });
        connect(tab, &MixTab::menuRequested, m_popupMenu,
                [this, m](const QPoint& at) { m_popupMenu->popUpOver(m, at); });
        connect(tab, &MixTab::copyRequested, this, [this, m] { copyMixOutput(m); });
        connect(tab, &MixTab::pasteRequested, this, [this, m] { replaceMixOutput(m, false); });
        connect(tab, &MixTab::swapRequested, this, [this, m] { replaceMixOutput(m, true); });
        connect(&tab->controlsTree(), &ControlsTree::entryChosen, this,
                [this, m](int entry) { assignFromTree(crosspointSetOf(m), entry); });
    }
    connect(m_loopsTab, &LoopsTab::controlChosen, this,
            [this](int mixer, int entry) { assignFromTree(loopSetOf(mixer), entry); });
    connect(m_loopsTab, &LoopsTab::revealRequested, this,
            [this](int mixer) { m_presenter->revealLoop(mixer); });
    connect(m_popupMenu, &CrossPointMenu::assignRequested, this, &Form1::assignToCrossPoints);
    connect(m_metersTab, &MetersTab::meterChosen, this, &Form1::chooseMeter);
    connect(m_compressorTab, &CompressorTab::parameterStepped, this, &Form1::stepCompressor);
    connect(m_saveCommand, &QPushButton::clicked, this, &Form1::save);

    m_undoStack = new QUndoStack(this);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    }
    connect(addShortcut(QKeySequence::keyBindings(QKeySequence::Undo)), &QAction::triggered,
            m_undoStack, &QUndoStack::undo);
    connect(addShortcut(redoKeys), &QAction::triggered, m_undoStack, &QUndoStack::redo);
    connect(addShortcut(QKeySequence::keyBindings(QKeySequence::Save)), &QAction::triggered, this,
            &Form1::save);
    connect(addShortcut(QKeySequence::keyBindings(QKeySequence::Find)), &QAction::triggered, this,
            &Form1::openFindPanel);
    connect(addShortcut(QKeySequence::keyBindings(QKeySequence::Open)), &QAction::triggered, this,
            &Form1::openOtherFolder);

    m_work->followEdits(m_undoStack, m_saveCommand);
    connect(m_work, &WorkKeeper::folderReplaced, this, &Form1::showFolderAgain);
}

// The whole window answers, whichever widget has the focus; no widget changes for it.
QAction* Form1::addShortcut(const QList<QKeySequence>& keys)
{
    auto* action = new QAction(this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

bool Form1::start(const QString& argumentFolder)
{
    m_model.captionBase = windowTitle();
    // Taken from the design size before the window is first shown.
    m_model.initialTabHeight = static_cast<std::int16_t>(std::lround(m_geometry.tabStrip.height));
    m_model.initialTabWidth = static_cast<std::int16_t>(std::lround(m_geometry.tabStrip.width));
    show();

    const FolderChoice choice = ResolveConfigFolder(m_services.settings, m_services.chooser,
                                                    m_services.messages, argumentFolder);
    m_declinedFolder = choice.declined;
    // No folder, no program: nothing was loaded, so nothing is asked or saved.
    if (choice.folder.isEmpty() || !loadFolder(choice.folder)) {
        setWindowTitle(m_model.captionBase);
        m_ending = true;
        close();
        return false;
    }
    return true;
}

bool Form1::loadFolder(const QString& folder)
{
    if (!m_work->claimFolder(folder, m_model.configFolder))
        return false;
    m_model.configFolder = folder;
    m_caption = m_model.captionBase + folder;
    setWindowTitle(m_caption);
    showLoadedFolder();
    // Edits a crashed editor left are offered back as one step over the whole model.
    if (std::optional<ConfigModel> recovered = m_work->recoverEdits()) {
        const ConfigModel before = m_model;
        m_model.takeConfiguration(*recovered);
        // Pushing writes the record again, now against the files as this load found them.
        m_undoStack->push(new EditCommand(
            [this](const EditStep& step, bool undo) { applyStep(step, undo, true); },
            recordEdit(before, m_model, {}), m_model));
        m_applyingStep = true;
        m_presenter->showWholeModel();
        m_applyingStep = false;
        updateModifiedMark();
    }
    return true;
}

// Ctrl+O: unsaved edits are settled first; a cancelled dialog keeps the folder shown.
void Form1::openOtherFolder()
{
    if (isModified() &&
        !m_work->settleUnsavedEdits(kSaveBeforeOpenQuestion, [this] { return saveFolder(); }))
        return;
    const FolderChoice choice =
        ResolveConfigFolder(m_services.settings, m_services.chooser, m_services.messages);
    if (!choice.folder.isEmpty())
        loadFolder(choice.folder);
}

// The core reads the folder and settles the model exactly as the start-up leaves it (meter
// bytes kept as read, compressor clamped and Hold rounded); the window only shows that, so the
// tabs are connected after the values are shown and before the grids are painted.
void Form1::showLoadedFolder()
{
    // Another folder's lists and spinners show the load, their signals leave the model alone.
    m_applyingStep = true;
    if (m_load) {
        if (m_findPanel)
            m_findPanel->forgetSearches();
        m_presenter->forgetLoad();
        m_loaded = false;
    }
    m_load = LoadSequence(m_model.configFolder);
    // The window's model is the one the editors change; the load's copy is not kept beside it.
    m_model.takeConfiguration(std::exchange(m_load->model, ConfigModel()));
    m_presenter->showLoad();
    m_applyingStep = false;
    m_work->warnInvalidAssignments(*m_load);
    if (!m_undoStack)
        connectTabs();
    // Saved first: emptying the stack asks whether there are edits to keep.
    m_savedModel = m_model;
    m_undoStack->clear();
    m_loaded = true;
    m_work->watchLoad(*m_load);
    // Position 1 first, so that position 0 is a change whatever the list showed.
    for (MixTab* tab : m_mixTab) {
        tab->selectOutput(1);
        tab->selectOutput(0);
    }
    m_work->reportLoadProblems(*m_load);
}

// Shows the folder as it is on disk now, the unsaved edits given up.
void Form1::showFolderAgain()
{
    showLoadedFolder();
    m_work->forgetUnsavedEdits();
    updateModifiedMark();
}

void Form1::assignFromTree(int set, int entryIndex)
{
    const ControlSet& controls = at(m_load->sets, set);
    if (entryIndex < 1 || entryIndex > controls.entryCount())
        return;
    const int pointer = controls.NodeToPointer(entryIndex);
    const QString text = controls.text(entryIndex);
    if (set == crosspointSetOf(0) || set == crosspointSetOf(1))
        assignToCrossPoints(set - crosspointSetOf(0), pointer, text);
    else
        assignToLoops(set - loopSetOf(0), pointer, text);
}

void Form1::assignToCrossPoints(int mixer, int pointer, const QString& text)
{
    const CellRect selection = crossPointGrid(mixer).selection();
    const int output = mixTab(mixer).selectedOutput();
    const ConfigModel before = m_model;
    if (!AssignCrossPoint(m_model, mixer, output, selection, pointer))
        return;
    mixTab(mixer).showAssigned(assignedCellText(text));
    recordStep(before, {mixer, mixer, output, selection, 0});
}

void Form1::assignToLoops(int mixer, int pointer, const QString& text)
{
    const CellRect loops = loopsGrid(mixer).selection();
    const ConfigModel before = m_model;
    if (!AssignLoop(m_model, mixer, loops.row, loops.otherRow, pointer))
        return;
    m_loopsTab->showAssigned(mixer, assignedCellText(text));
    recordStep(before, {EditPlace::Loops, mixer, 0, loops, 0});
}

void Form1::copyMixOutput(int mixer)
{
    const int output = mixTab(mixer).selectedOutput();
    if (output < 0)
        return;
    m_buffer.copyFrom(m_model, mixer, output);
    mixTab(mixer).setBufferFilled(m_buffer.isFilled(mixer));
}

void Form1::replaceMixOutput(int mixer, bool swap)
{
    const int output = mixTab(mixer).selectedOutput();
    if (output < 0 || !m_buffer.isFilled(mixer))
        return;
    const ConfigModel before = m_model;
    if (swap)
        m_buffer.swapWith(m_model, mixer, output);
    else
        m_buffer.pasteInto(m_model, mixer, output);
    m_presenter->showMixOutput(mixer);
    recordStep(before, {mixer, mixer, output, kWholeOutput, 0});
}

void Form1::chooseMeter(int meter, int position)
{
    if (m_applyingStep)
        return;
    const ConfigModel before = m_model;
    applyMeterPosition(m_model, meter, position);
    recordStep(before, {EditPlace::Meters, 0, 0, {}, meter});
}

// The label follows its spinner by itself; the change only reaches the model (and the note,
// which also follows an undo's or a load's change of Hold).
void Form1::stepCompressor(CompressorParam param, int position)
{
    if (!m_applyingStep) {
        const ConfigModel before = m_model;
        applyCompressorPosition(m_model, param, position);
        // Steps of one spinner in a row are one undo step.
        const int item = static_cast<int>(param);
        recordStep(before, {EditPlace::Compressor, 0, 0, {}, item}, 1 + item);
    }
    if (param == CompressorParam::Hold)
        m_compressorTab->showHoldNote(holdLossNote(m_model));
}

// Ctrl+F over a mix tab or DC LOOPS, over that tab's tree (the loop tree that last had the
// focus).
void Form1::openFindPanel()
{
    const int tab = m_tabs->currentIndex();
    if (tab > kLoopsTab)
        return;
    const int set =
        tab < kMixerCount ? crosspointSetOf(tab) : loopSetOf(m_loopsTab->lastTreeMixer());
    if (!m_findPanel)
        m_findPanel = new FindPanel(this, m_tabs);
    m_findPanel->openOver(&m_presenter->tree(set), set, at(m_load->sets, set));
}

void Form1::recordStep(const ConfigModel& before, const EditPlace& place, int mergeId)
{
    m_undoStack->push(
        new EditCommand([this](const EditStep& step, bool undo) { applyStep(step, undo, false); },
                        recordEdit(before, m_model, place), m_model, mergeId));
    updateModifiedMark();
}

// The lists and spinners set here run their signals; those only show the step.
void Form1::applyStep(const EditStep& step, bool undo, bool wholeModel)
{
    m_applyingStep = true;
    if (undo)
        undoEdit(m_model, step);
    else
        redoEdit(m_model, step);
    if (wholeModel)
        m_presenter->showWholeModel();
    else
        m_presenter->showStep(step.place);
    m_applyingStep = false;
    updateModifiedMark();
}

void Form1::save()
{
    // Saved as shown, so the loss at the next load is said now, not found then.
    if (saveFolder() && !holdLossNote(m_model).isEmpty())
        m_services.messages.showOk(holdLossNote(m_model));
}

// The model keeps the edits whether or not the save was complete, so the user can try again.
bool Form1::saveFolder()
{
    if (!m_work->save(m_load->unreadFiles))
        return false;
    m_savedModel = m_model;
    updateModifiedMark();
    return true;
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_ending || !m_loaded) {
        event->accept();
        return;
    }
    event->setAccepted(
        m_work->settleUnsavedEdits(kSaveBeforeExitQuestion, [this] { return saveFolder(); }));
}

} // namespace tarn
