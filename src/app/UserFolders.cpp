#include "app/UserFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarn {

namespace {

constexpr char kProgramFolder[] = "/tarnconfig";

} // namespace

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1String(kProgramFolder);
}

QString userStateFolder()
{
    // Qt has no place for state yet; the base directory rules give one.
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base =
        QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QLatin1String(kProgramFolder);
}

QString userRuntimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QLatin1String(kProgramFolder);
}

QString canonicalFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString folderKey(const QString& folder)
{
    return QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(canonicalFolder(folder)),
                                                        QCryptographicHash::Sha256)
                                   .toHex()
                                   .left(32));
}

} // namespace tarn
