#include "app/StartupFolder.h"

#include "app/Platform.h"
#include "model/FolderFiles.h"

#include <iterator>

namespace tarn {

namespace {

const QString& application()
{
    static const QString name = QString::fromLatin1(kSettingsApplication);
    return name;
}

} // namespace

QString chooserStartFolder(const SettingsStore& settings)
{
    const QString remembered =
        settings.value(application(), QString::fromLatin1(kSettingsSection),
                       QString::fromLatin1(kSettingsKey), QStringLiteral("0"));
    const QString start = NormalizeFolderPath(remembered);
    return PathExists(start) ? start : QString();
}

bool holdsConfigurationFiles(const QString& folder)
{
    for (int set = 0; set < static_cast<int>(std::size(kControlFiles)); ++set) {
        if (PathExists(controlFilePath(folder, set)))
            return true;
    }
    for (const char* name :
         {kAes3InputsFile, kIpInputsFile, kAes3OutputsFile, kIpOutputsFile, kAes3LoopsFile,
          kIpLoopsFile, kAes3MixFile, kIpMixFile, kMeterFile, kCompressorFile}) {
        if (PathExists(folderFilePath(folder, name)))
            return true;
    }
    return false;
}

FolderChoice ResolveConfigFolder(SettingsStore& settings, FolderChooser& chooser,
                                 MessageBoxes& messages, const QString& argumentFolder)
{
    FolderChoice choice;
    for (;;) {
        choice.folder = argumentFolder.isEmpty()
                            ? chooser.chooseFolder(QString::fromLatin1(kFolderPrompt),
                                                   chooserStartFolder(settings))
                            : argumentFolder;
        // A folder that is not a configuration folder would get four empty files, so the
        // user says first whether that is meant.
        if (choice.folder.isEmpty() || holdsConfigurationFiles(choice.folder) ||
            messages.askYesNo(QString::fromLatin1(kNoConfigurationQuestion).arg(choice.folder)))
            break;
        if (!argumentFolder.isEmpty())
            return {QString(), true};
    }
    if (!choice.folder.isEmpty())
        settings.setValue(application(), QString::fromLatin1(kSettingsSection),
                          QString::fromLatin1(kSettingsKey), choice.folder);
    return choice;
}

} // namespace tarn
