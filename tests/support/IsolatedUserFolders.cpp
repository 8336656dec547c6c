#include <cstdlib>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Every test process, and every program it starts, keeps its history, records and claims in a
// folder of its own that goes with it, never in the home of whoever runs the tests.
struct IsolatedUserFolders
{
    QTemporaryDir root{QDir::tempPath() + QStringLiteral("/tarnhome-XXXXXX")};

    IsolatedUserFolders()
    {
        if (!root.isValid())
            std::abort();
        for (const char* name : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
            const QString path = root.filePath(QString::fromLatin1(name));
            QDir().mkpath(path);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv(name, QFile::encodeName(path));
        }
    }
};

const IsolatedUserFolders isolated;

} // namespace
