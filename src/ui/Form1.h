#pragma once

#include "app/EditHistory.h"
#include "app/FolderLock.h"
#include "app/KnownFiles.h"
#include "app/UnsavedEditsKeeper.h"
#include "controls/ControlSet.h"
#include "editors/CompressorEditor.h"
#include "editors/MixOutputBuffer.h"
#include "layout/WindowLayout.h"
#include "model/ConfigModel.h"
#include "ui/GridView.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QModelIndex;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeView;
class QUndoStack;

namespace tarn {

class ControlSearch;
class ControlTreeModel;
class EditCommand;
class FolderChangedNotice;
class FolderChooser;
class MessageBoxes;
class SettingsStore;
struct FolderLoad;
struct SaveReport;

// The platform services the window asks for; owned by whoever creates the window.
struct Form1Services
{
    SettingsStore& settings;
    FolderChooser& chooser;
    MessageBoxes& messages;
};

// The editor's one window. It owns the model, the control sets and names of the loaded folder,
// the mix output buffers and every widget. Composition, layout, load and save live in
// Form1*.cpp; the handlers are split by tab (MixTab, MixBuffer, ControlsTrees, CellHighlight,
// LoopsTab, MetersTab, CompressorTab).
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

    GridView& crossPointGrid(int mixer) const;
    GridView& loopsGrid(int mixer) const;
    double twipsPerPixel() const { return m_twipsPerPixel; }

    // Fits the five column widths of CrossPointGrid(mixer) to its texts.
    void Grid_Resize(int mixer);

    // Whether the configuration differs from what was last loaded or saved.
    bool isModified() const;
    // Shrinks the window, where its frame would not fit `available`, to the largest size whose
    // frame does (the screen's available area, in the real program); again when the frame
    // becomes known or changes.
    void fitToScreen(const QRect& available);

protected:
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class EditCommand;
    friend class WholeModelCommand;

    // Composition (Form1Composition.cpp).
    void buildWindow();
    void buildMixTab(int mixer);
    void buildLoopsTab();
    void buildMetersTab();
    void buildCompressorTab();
    void buildPopupMenu();
    void setTabOrders();
    QGroupBox* addFrame(QWidget* parent, const QString& name, const QString& caption);

    // Geometry in twips (Form1Layout.cpp).
    void place(QWidget* widget, const TwipsRect& rect);
    // `rect` counts from SSTab1's corner, tab row included: geometry() is less the page offset.
    void placeOnTab(QWidget* widget, int tab, const TwipsRect& rect);
    void placeTabChildren(int tab);
    void followPageGeometry(QObject* watched, const QEvent* event);
    void applyArrangedGeometry(int tab);
    void fitActiveTab();
    void SSTab1_Click(int tab);

    // Ctrl+Tab and Ctrl+Shift+Tab from any widget (PageKeys.cpp).
    void connectPageKeys();
    void switchPage(int step);

    // Load presentation (Form1Load.cpp).
    void showLoadedFolder();
    void showControlTrees();
    void BuildViews();
    void fitLoopsGridColumns(int mixer);
    void showLoadedValues();
    void warnInvalidAssignments();
    void reportLoadProblems();
    void connectEditingHandlers();
    void selectFirstMixOutputs();

    // AES3 MIX / IP MIX tabs (MixTab.cpp).
    void MixOutputCombo_Click(int mixer);
    int selectedMixOutput(int mixer) const;
    // The column-width rule over the texts a grid's fixed column shows now.
    void fitLabelsToTexts(GridView& grid);
    void assignToCrossPointSelection(int mixer, int pointer, const QString& text);
    void CrossPointGrid_DblClick(int mixer);
    void CrossPointGrid_MouseUp(int mixer, Qt::MouseButton button);
    void CrossPointGrid_ContextMenuKey(int mixer);
    void mnuMUTE_Click();
    void mnuLu_Click();
    void highlightCurrentCell(GridView& grid);
    void unhighlightCurrentCell(GridView& grid);

    // The mix output buffer buttons (MixBuffer.cpp).
    void CopyMixOut_Click(int mixer);
    void PasteMixOut_Click(int mixer);
    void SwapMixOut_Click(int mixer);

    // The four control trees (ControlsTrees.cpp).
    void ControlsTree_NodeClick(int set, const QModelIndex& entry);
    bool handleTreeKey(QObject* watched, const QEvent* event);
    void revealControl(int set, int pointer);

    // DC LOOPS tab (LoopsTab.cpp).
    void assignToLoopSelection(int mixer, int pointer, const QString& text);
    void LoopsGrid_DblClick(int mixer);

    // METERS and COMPRESSOR tabs (MetersTab.cpp, CompressorTab.cpp).
    void meterCombo_Click(int meter);
    void compressorUpDown_Change(CompressorParam param, int position);

    // The note beside Hold while the next load would reduce it (CompressorTab.cpp).
    void buildHoldNote();
    void showHoldNote();
    QString holdLossNote() const;
    QLabel* m_holdNote = nullptr;

    // Undo, redo and the window's shortcuts (EditUndo.cpp).
    void connectShortcuts();
    void recordStep(const ConfigModel& before, const EditPlace& place, int mergeId = -1);
    void applyEditStep(const EditStep& step, bool undo);
    void showLoopCells(int mixer);
    void updateModifiedMark();

    // The find field over a control tree (FindControl.cpp).
    void openFindField();
    void closeFindField();
    void findTextChanged();
    void goToMatch(int step);
    bool handleFindKey(QObject* watched, const QEvent* event);
    void noteLoopTreeFocus(QObject* watched, const QEvent* event);

    // Tooltips of cells, tree entries and buttons (Tooltips.cpp).
    void setButtonToolTips();
    void setCellToolTips();

    // Saving and the exit question (Form1Save.cpp).
    void SaveCommand_Click();
    bool saveFolder();
    // Asks `question` (Yes / No / Cancel) and saves on Yes; false when the user stays.
    bool settleUnsavedChanges(const char* question);

    // Another folder in the running window (Form1Folder.cpp).
    void connectFolderShortcut();
    void openOtherFolder();
    void forgetLoadedFolder();
    bool m_declinedFolder = false;
    bool m_handlersConnected = false;

    // Work kept from being lost (Form1WorkKeeping.cpp): another editor on the folder, changes
    // by other programs, kept versions and the record of unsaved edits.
    bool confirmSecondEditor(const QString& folder);
    void keepWorkOfLoad();
    bool confirmOverwrite();
    void noteSave(const SaveReport& report);
    void keepUnsavedEdits();
    void forgetUnsavedEdits();
    void offerRecovery();
    void reloadFolder();
    void openHistory();
    void applyWholeStep(const EditStep& step, bool undo);
    void showWholeModel();

    Form1Services m_services;
    double m_twipsPerPixel = 15;
    ConfigModel m_model;
    // What the load read. Its model is taken into m_model at once and left empty; the control
    // sets stay here for the trees and the cell texts.
    std::unique_ptr<FolderLoad> m_load;
    MixOutputBuffer m_buffer;
    std::int16_t m_popupGridIndex = 0;
    bool m_loaded = false;
    bool m_ending = false; // closing without the exit question

    // The undo history; while a step is applied the view handlers leave the model alone.
    QUndoStack* m_undoStack = nullptr;
    bool m_applyingStep = false;
    ConfigModel m_savedModel;
    QString m_caption; // the caption without the modified mark

    // The find field, made on first use.
    QWidget* m_findPanel = nullptr;
    QLineEdit* m_findField = nullptr;
    QLabel* m_findCount = nullptr;
    QAction* m_findEscape = nullptr;
    int m_findSet = 0;
    int m_lastLoopTree = 2;
    std::array<std::unique_ptr<ControlSearch>, 4> m_search;
    std::vector<int> m_matches;
    int m_matchPosition = -1;

    void refitToFrame();
    QRect m_fitArea;
    QMargins m_fitFrame;
    bool m_fitted = false;

    WindowGeometry m_geometry;
    // Twips of every widget placed directly on a tab page, relative to the tab strip.
    struct TabPlacement
    {
        QWidget* widget;
        int tab;
        TwipsRect rect;
    };
    std::vector<TabPlacement> m_tabPlacements;

    QTabWidget* m_tabs = nullptr;
    // Where the focus was when Ctrl+Tab left each page, to return there.
    std::array<QPointer<QWidget>, 5> m_pageFocus{};
    QPushButton* m_saveCommand = nullptr;
    std::array<QGroupBox*, kMixerCount> m_mixInputFrame{};
    std::array<QGroupBox*, kMixerCount> m_mixOutputFrame{};
    std::array<QGroupBox*, kMixerCount> m_mixControlsFrame{};
    std::array<GridView*, kMixerCount> m_crossPointGrid{};
    std::array<QComboBox*, kMixerCount> m_mixOutputCombo{};
    std::array<QPushButton*, kMixerCount> m_copyMixOut{};
    std::array<QPushButton*, kMixerCount> m_swapMixOut{};
    std::array<QPushButton*, kMixerCount> m_pasteMixOut{};
    std::array<QGroupBox*, kMixerCount> m_dcLoopsFrame{};
    std::array<QGroupBox*, kMixerCount> m_loopsGridFrame{};
    std::array<QGroupBox*, kMixerCount> m_loopControlsFrame{};
    std::array<GridView*, kMixerCount> m_loopsGrid{};
    std::array<QTreeView*, kSetCount> m_controlsTree{};
    std::array<ControlTreeModel*, kSetCount> m_controlTreeModel{};
    std::array<QGroupBox*, kMeterCount> m_meterFrame{};
    std::array<QComboBox*, kMeterCount> m_meterCombo{};
    std::array<QSpinBox*, kCompressorParams.size()> m_upDown{};
    QMenu* m_popupMenu = nullptr;
    QAction* m_mnuMute = nullptr;
    QAction* m_mnuLu = nullptr;

    KnownFiles m_known;
    std::unique_ptr<EditorPresence> m_presence;
    bool m_otherEditor = false;
    UnsavedEditsKeeper m_editsKeeper;
    FolderChangedNotice* m_folderNotice = nullptr;
};

} // namespace tarn
