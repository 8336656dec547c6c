#include "BenchFolders.h"

#include "MaximalFolder.h"

#include <QTemporaryDir>

namespace tarn::bench {

namespace {

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

const QString& maximalFolder()
{
    static const QString folder = [] {
        const QString path = scratch().filePath(QStringLiteral("maximal"));
        writeMaximalFolder(path);
        return path;
    }();
    return folder;
}

const QString& tinyFolder()
{
    static const QString folder = [] {
        const QString path = scratch().filePath(QStringLiteral("tiny"));
        writeTinyFolder(path);
        return path;
    }();
    return folder;
}

} // namespace tarn::bench
