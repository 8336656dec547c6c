#pragma once

#include <map>
#include <ostream>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace tarn::test {

// A configuration folder in a fresh temporary directory, removed with the object.
class TestFolder
{
public:
    // `nameTemplate`: the folder's name in the system's temporary folder, XXXXXX made unique.
    explicit TestFolder(const QString& nameTemplate = QStringLiteral("tarntest-XXXXXX"));

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

// "<prefix> 1" CR LF "<prefix> 2" CR LF ... for `count` lines.
QByteArray numberedLines(const char* prefix, int count);

// Path of the bundled example folder.
QString exampleFolder();

// The four binary files of a configuration folder, in the order in which a save writes them.
inline const QStringList kBinaryFileNames = {"aes3mix.trn", "ipmix.trn", "aes3meters.trn",
                                             "compressor.trn"};
using BinaryFiles = std::map<QString, QByteArray>;
// Their bytes, "(unreadable)" for a file that cannot be read.
BinaryFiles readBinaryFiles(const QString& folder);

} // namespace tarn::test
