#pragma once

#include "texts/TabCaptions.h"

namespace tarn {

// Texts of the main window that the user sees, spelled as the unit's users know them. The tab
// and frame captions that reports share are in views/TabCaptions.h.

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

// %1 is the Hold shown, %2 what the next load keeps, both in ms.
inline constexpr char kHoldLossNote[] = "The next load will reduce Hold from %1 ms to %2 ms.";

inline constexpr char kSaveFailedIntro[] = "The configuration could not be saved completely. "
                                           "These files were not written:";
inline constexpr char kSaveWrittenIntro[] = "These files were written:";
inline constexpr char kSaveFailedOutro[] =
    "The files that were not written were left as they were on disk, and your changes are "
    "still in the editor, so you can try again.";
inline constexpr char kLoadProblemsIntro[] =
    "Some files of the configuration folder could not be read or created:";
inline constexpr char kLoadProblemsOutro[] =
    "The editor shows the built-in defaults for them. Save will never replace a file that "
    "could not be read now, even if it can be read later, and will report any file it cannot "
    "write.";

} // namespace tarn
