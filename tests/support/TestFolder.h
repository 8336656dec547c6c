#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tarn::test {

// A configuration folder in a fresh temporary directory, removed with the object.
class TestFolder
{
public:
    TestFolder();

    QString path() const { return m_dir.path(); }
    // Path of a file inside the folder; `name` without a leading separator.
    QString filePath(const QString& name) const;

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    qint64 size(const QString& name) const; // -1 when missing

    // Copies every file of the bundled example folder into this folder.
    void copyExample() const;

private:
    QTemporaryDir m_dir;
};

// Bytes from a hex string such as "00 00 01 2C".
QByteArray hexBytes(const char* hex);

// Path of the bundled example folder.
QString exampleFolder();

} // namespace tarn::test
