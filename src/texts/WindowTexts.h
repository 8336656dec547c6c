#pragma once

#include "model/FileRead.h"
#include "texts/TabCaptions.h"

#include <optional>
#include <vector>

#include <QDateTime>
#include <QString>

namespace tarn {

class ConfigModel;
class ControlSet;

// Texts of the editor's window that the user sees, spelled as the unit's users know them. The
// tab and frame captions that reports share are in TabCaptions.h.

inline constexpr char kSaveCaption[] = "Save";

inline constexpr char kMixInputFrameCaption[] = "Mix Inputs";
inline constexpr char kMixOutputFrameCaption[] = "Mixer Output";
inline constexpr char kControlsFrameCaption[] = "Controls";
inline constexpr char kCopyMixOutCaption[] = "Copy to buffer";
inline constexpr char kSwapMixOutCaption[] = "Swap with buffer";
inline constexpr char kPasteMixOutCaption[] = "Paste from buffer";

inline constexpr char kLoopsGridFrameCaption[] = "Output Loops";

inline constexpr char kMeterContainerCaption[] = "AES3 Meter assignment";
// Design captions; the load replaces them with "Meter 01" .. "Meter 16".
inline constexpr char kMeterFrameDesignCaption[] = "Meter ";

inline constexpr char kPopupMenuTitle[] = "CrossPointGrid";
inline constexpr char kMuteItem[] = "MUTE";
inline constexpr char kUnityItem[] = "0dB";

inline constexpr char kInvalidAssignmentsWarning[] =
    "Warning! There are invalid control assignments";
inline constexpr char kSaveBeforeExitQuestion[] = "Save before exit?";
inline constexpr char kSaveBeforeOpenQuestion[] = "Save before opening another folder?";

inline constexpr char kReloadQuestion[] =
    "Reloading the folder discards your unsaved changes. Reload anyway?";
inline constexpr char kRestoreQuestion[] =
    "Restoring version %1 discards your unsaved changes. Restore anyway?";
inline constexpr char kRestoreNotKept[] =
    "Version %1 is no longer kept whole; nothing was restored.";
inline constexpr char kHistoryNotKept[] = "The files were saved, but the versions they replaced "
                                          "could not be kept: ";

// The messages the window composes from what happened, one line each of the files named.
QString otherEditorQuestion(const QString& folder, std::optional<qint64> process);
QString loadProblemsMessage(const std::vector<FileProblem>& problems);
QString saveFailureMessage(const std::vector<FileProblem>& notWritten,
                           const std::vector<QString>& written);
QString restoreFailureMessage(const std::vector<FileProblem>& notWritten);
QString overwriteQuestion(const std::vector<QString>& changedPaths);
// "The next load will reduce Hold from X ms to 100 ms.", or empty while the next load keeps
// the Hold `model` holds.
QString holdLossNote(const ConfigModel& model);
// A cell's tooltip: the path of the control `pointer` names in `set`, or that it names none.
QString pointerToolTip(const ControlSet& set, int pointer);
// "Changed by another program since they were loaded: " and the files.
QString changedFilesNote(const std::vector<QString>& paths);
// What a screen reader is told after cells were set: "4 cells set to Fader 2", "1 cell set to
// MUTE", "12 cells changed"; empty when nothing is worth telling.
QString cellsSetNote(int cells, int changed, const QString& commonText);
QString recoveryQuestion(const QString& folder, const QDateTime& time, bool diskChangedSince);

} // namespace tarn
