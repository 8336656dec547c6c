#include "model/FolderFiles.h"

#include <QDir>
#include <QFileInfo>

namespace tarn {

const char* mixFileName(int mixer)
{
    return mixer == 0 ? kAes3MixFile : kIpMixFile;
}

const char* inputsFileName(int mixer)
{
    return mixer == 0 ? kAes3InputsFile : kIpInputsFile;
}

const char* outputsFileName(int mixer)
{
    return mixer == 0 ? kAes3OutputsFile : kIpOutputsFile;
}

const char* loopsFileName(int mixer)
{
    return mixer == 0 ? kAes3LoopsFile : kIpLoopsFile;
}

QString folderFilePath(const QString& folder, const char* backslashName)
{
    QString name = QString::fromLatin1(backslashName);
    if (name.startsWith(QLatin1Char('\\')))
        name[0] = QDir::separator();
    return folder + name;
}

QString controlFilePath(const QString& folder, int set)
{
    return folder + QDir::separator() + QString::fromLatin1(kControlFiles[set]);
}

QString NormalizeFolderPath(const QString& path)
{
    const bool trailingBackslash = path.endsWith(QLatin1Char('\\'));
    if (trailingBackslash && path.size() > 3)
        return path.chopped(1);
    // The same for "/" paths, where only "/" itself is a root ("C:/" stays as well).
    if (path.endsWith(QLatin1Char('/')) && path.size() > 1 && !path.endsWith(QStringLiteral(":/")))
        return path.chopped(1);
    // A bare drive ("C:") becomes its root.
    if (!trailingBackslash && path.size() == 2 && path.at(1) == QLatin1Char(':'))
        return path + QLatin1Char('\\');
    return path;
}

bool PathExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

} // namespace tarn
