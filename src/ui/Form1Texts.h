#pragma once

namespace tarn {

// Texts of the main window that the user sees, spelled as the unit's users know them.

inline constexpr char kTabCaptions[5][11] = {"AES3 MIX", "IP MIX", "DC LOOPS", "METERS",
                                             "COMPRESSOR"};
inline constexpr char kSaveCaption[] = "Save";

inline constexpr char kMixInputFrameCaption[] = "Mix Inputs";
inline constexpr char kMixOutputFrameCaption[] = "Mixer Output";
inline constexpr char kControlsFrameCaption[] = "Controls";
inline constexpr char kCopyMixOutCaption[] = "Copy to buffer";
inline constexpr char kSwapMixOutCaption[] = "Swap with buffer";
inline constexpr char kPasteMixOutCaption[] = "Paste from buffer";

inline constexpr char kDcLoopsFrameCaptions[2][11] = {"AES3 LOOPS", "IP LOOPS"};
inline constexpr char kLoopsGridFrameCaption[] = "Output Loops";

inline constexpr char kMeterContainerCaption[] = "AES3 Meter assignment";
// Design captions; the load replaces them with "Meter 01" .. "Meter 16".
inline constexpr char kMeterFrameDesignCaption[] = "Meter ";

inline constexpr char kCompressorFrameCaptions[5][17] = {"Attack", "Hold (ms)", "Decay",
                                                         "Gain (dB)", "Threshold (dBFS)"};

inline constexpr char kPopupMenuTitle[] = "CrossPointGrid";
inline constexpr char kMuteItem[] = "MUTE";
inline constexpr char kUnityItem[] = "0dB";
// What the pop-up items store and the text they pass on (the cell adds its own blank).
inline constexpr int kMuteItemPointer = 0;
inline constexpr char kMuteItemText[] = "MUTE";
inline constexpr int kUnityItemPointer = 73;
inline constexpr char kUnityItemText[] = "  0dB";

inline constexpr char kInvalidAssignmentsWarning[] =
    "Warning! There are invalid control assignments";
inline constexpr char kSaveBeforeExitQuestion[] = "Save before exit?";

inline constexpr char kSaveFailedIntro[] = "The configuration could not be saved completely. "
                                           "These files were not written:";
inline constexpr char kSaveFailedOutro[] =
    "The files on disk were left as they were and your changes are still in the editor, "
    "so you can try again.";
inline constexpr char kLoadProblemsIntro[] =
    "Some files of the configuration folder could not be read or created:";
inline constexpr char kLoadProblemsOutro[] =
    "The editor shows the built-in defaults for them, and saving into this folder will fail.";

} // namespace tarn
