#pragma once

#include <QString>

namespace tarn {

class SettingsStore;
class FolderChooser;

inline constexpr char kSettingsApplication[] = "Kestrand Tarnconfig";
inline constexpr char kSettingsSection[] = "settings";
inline constexpr char kSettingsKey[] = "path";
inline constexpr char kFolderPrompt[] = "Choose the folder containing the config files:";
inline constexpr char kCaptionBase[] = "Quorlan Tarn Config     File path:  ";

// The folder the chooser starts in: the remembered folder (default "0"), normalised, or empty
// when it does not exist (the chooser then opens without a preselection).
QString chooserStartFolder(const SettingsStore& settings);

// ResolveConfigFolder without the caption: the remembered folder is offered, the answer is
// stored unless cancelled. `argumentFolder`, when not empty, stands for the chooser's answer.
QString ResolveConfigFolder(SettingsStore& settings, FolderChooser& chooser,
                            const QString& argumentFolder = {});

} // namespace tarn
