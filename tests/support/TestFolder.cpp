#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tarn::test {

TestFolder::TestFolder(const QString& nameTemplate) : m_dir(QDir::tempPath() + u'/' + nameTemplate)
{
    if (!m_dir.isValid())
        ADD_FAILURE() << "cannot create a temporary folder";
}

QString TestFolder::filePath(const QString& name) const
{
    return m_dir.filePath(name);
}

void TestFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << filePath(name).toStdString();
}

QByteArray TestFolder::read(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << filePath(name).toStdString();
        return {};
    }
    return file.readAll();
}

bool TestFolder::exists(const QString& name) const
{
    return QFileInfo::exists(filePath(name));
}

qint64 TestFolder::size(const QString& name) const
{
    const QFileInfo info(filePath(name));
    return info.exists() ? info.size() : -1;
}

void TestFolder::copyExample() const
{
    const QDir source(exampleFolder());
    for (const QString& name : source.entryList(QDir::Files)) {
        if (!QFile::copy(source.filePath(name), filePath(name)))
            ADD_FAILURE() << "cannot copy " << name.toStdString();
    }
}

QByteArray hexBytes(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

QByteArray numberedLines(const char* prefix, int count)
{
    QByteArray bytes;
    for (int k = 1; k <= count; ++k)
        bytes += QByteArray(prefix) + ' ' + QByteArray::number(k) + "\r\n";
    return bytes;
}

QString exampleFolder()
{
    return QStringLiteral(TARN_EXAMPLES_DIR "/studio-a");
}

BinaryFiles readBinaryFiles(const QString& folder)
{
    BinaryFiles files;
    for (const QString& name : kBinaryFileNames) {
        QFile file(folder + u'/' + name);
        files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : "(unreadable)";
    }
    return files;
}

} // namespace tarn::test
