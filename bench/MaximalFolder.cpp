#include "MaximalFolder.h"

#include "controls/ControlSet.h"
#include "model/ConfigModel.h"
#include "model/FolderFiles.h"

#include <QDir>
#include <QFile>

namespace tarn::bench {

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray maximalControlFile()
{
    QByteArray text;
    text.reserve(kMaxEntries * 32);
    // Groups of 63 leaves under one heading, pointers counting up from 0.
    for (int entry = 0; entry < kMaxEntries; ++entry) {
        if (entry % 64 == 0)
            text += "Group " + QByteArray::number(entry / 64) + "\r\n";
        else
            text += "\tControl " + QByteArray::number(entry) + "~ACTIVE~PTR++\r\n";
    }
    return text;
}

QByteArray nameList(const char* prefix, int count)
{
    QByteArray text;
    for (int k = 1; k <= count; ++k)
        text += QByteArray(prefix) + QByteArray::number(k) + "\r\n";
    return text;
}

} // namespace

void writeMaximalFolder(const QString& folder)
{
    QDir().mkpath(folder);
    const QByteArray controls = maximalControlFile();
    for (int set = 0; set < kSetCount; ++set)
        writeFile(controlFilePath(folder, set), controls);
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        writeFile(folderFilePath(folder, inputsFileName(mixer)), nameList("Input ", 64));
        writeFile(folderFilePath(folder, outputsFileName(mixer)), nameList("Output ", 32));
        writeFile(folderFilePath(folder, loopsFileName(mixer)),
                  "\"Loop, one\",Loop 2,Loop 3,Loop 4,Loop 5,Loop 6,Loop 7,Loop 8\r\n");
        QByteArray mix(kMixImageSize, '\0');
        for (int k = 0; k < kMixImageSize; k += 2)
            mix[k + 1] = static_cast<char>((k / 2) % 0x7F);
        writeFile(folderFilePath(folder, mixFileName(mixer)), mix);
    }
    writeFile(folderFilePath(folder, kMeterFile), QByteArray(kMeterImageSize, '\x05'));
    writeFile(folderFilePath(folder, kCompressorFile), QByteArray(kCompressorImageSize, '\x01'));
}

} // namespace tarn::bench
