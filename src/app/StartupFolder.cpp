#include "app/StartupFolder.h"

#include "app/Platform.h"
#include "model/FolderFiles.h"

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

QString ResolveConfigFolder(SettingsStore& settings, FolderChooser& chooser,
                            const QString& argumentFolder)
{
    const QString folder =
        argumentFolder.isEmpty()
            ? chooser.chooseFolder(QString::fromLatin1(kFolderPrompt), chooserStartFolder(settings))
            : argumentFolder;
    if (!folder.isEmpty())
        settings.setValue(application(), QString::fromLatin1(kSettingsSection),
                          QString::fromLatin1(kSettingsKey), folder);
    return folder;
}

} // namespace tarn
