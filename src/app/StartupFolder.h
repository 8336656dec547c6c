#pragma once

#include <QString>

namespace tarn {

class SettingsStore;
class FolderChooser;
class MessageBoxes;

inline constexpr char kSettingsApplication[] = "Kestrand Tarnconfig";
inline constexpr char kSettingsSection[] = "settings";
inline constexpr char kSettingsKey[] = "path";
inline constexpr char kFolderPrompt[] = "Choose the folder containing the config files:";
inline constexpr char kCaptionBase[] = "Quorlan Tarn Config     File path:  ";
// %1 is the folder.
inline constexpr char kNoConfigurationQuestion[] =
    "%1 holds no configuration files. Create them here?";

// The folder the chooser starts in: the remembered folder (default "0"), normalised, or empty
// when it does not exist (the chooser then opens without a preselection).
QString chooserStartFolder(const SettingsStore& settings);

// True when `folder` holds at least one file of a configuration folder: a control
// description file, a name list or a binary file.
bool holdsConfigurationFiles(const QString& folder);

// The folder chosen, or empty: cancelled in the chooser, or `declined`.
struct FolderChoice
{
    QString folder;
    // The folder named on the command line holds no configuration files and the user did not
    // want them created there.
    bool declined = false;
};

// ResolveConfigFolder without the caption: the remembered folder is offered, the answer is
// stored unless cancelled. `argumentFolder`, when not empty, stands for the chooser's answer.
// A folder without any configuration file is taken only when the user agrees to have the files
// created; otherwise the chooser asks again (or, for `argumentFolder`, the choice is declined).
FolderChoice ResolveConfigFolder(SettingsStore& settings, FolderChooser& chooser,
                                 MessageBoxes& messages, const QString& argumentFolder = {});

} // namespace tarn
