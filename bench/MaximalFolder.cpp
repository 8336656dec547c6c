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
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Depth of entry e: a root every 64 entries; below it a zigzag down to depth 12 and back, and
// one chain 200 levels deep in the first group.
int depthOf(int entry)
{
    if (entry < 256)
        return entry <= 200 ? entry : 400 - entry;
    const int inGroup = entry % 64;
    if (inGroup == 0)
        return 0;
    const int phase = (inGroup - 1) % 24;
    return 1 + (phase < 12 ? phase : 23 - phase);
}

// Directives that leave the current pointer at `entry` and activate it, from the pointer
// `entry - 1` the previous line left; every form of the format takes its turn.
QByteArray directivesFor(int entry)
{
    const QByteArray e = QByteArray::number(entry);
    switch (entry % 8) {
    case 0:
        return "~PTR=" + e + "~ACTIVE";
    case 1:
        return "~PTR++~ACTIVE";
    case 2:
        return "~PTR+=2~PTR--~ACTIVE";
    case 3:
        return "~OFFSET=" + e + "~PTR = OFFSET ~ACTIVE ";
    case 4:
        return "~PTR-=1~PTR+=2.5~ACTIVE";
    case 5:
        return "~~PTR+= 1 ~ACTIVE=yes";
    case 6:
        return "~PTR=" + e + ".4~ACTIVE";
    default:
        return "~PTR++~ACTIVE~";
    }
}

QByteArray entryText(int entry)
{
    const QByteArray e = QByteArray::number(entry);
    switch (entry % 16) {
    case 0:
        return "Group " + e;
    case 3:
        return "Fader " + e + " \"left\" \\ " + "\xE9\x80 A=B";
    case 7:
        return "  Gain " + e + "   \tignored field";
    case 11:
        return "Control " + e + "\ninner\x01\x1f";
    default:
        return "Control " + e;
    }
}

QByteArray nameList(const char* prefix, int count)
{
    QByteArray text;
    for (int k = 1; k <= count; ++k)
        text += QByteArray(prefix) + QByteArray::number(k) + "\r\n";
    return text;
}

void writeFolder(const QString& folder, int entries)
{
    if (!QDir().mkpath(folder))
        qFatal("cannot create %s", qPrintable(folder));
    const QByteArray controls = controlDescription(entries);
    for (int set = 0; set < kSetCount; ++set)
        writeFile(controlFilePath(folder, set), controls);
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        writeFile(folderFilePath(folder, inputsFileName(mixer)), nameList("Input ", 64));
        writeFile(folderFilePath(folder, outputsFileName(mixer)), nameList("Output ", 32));
        writeFile(folderFilePath(folder, loopsFileName(mixer)),
                  "\"Loop, one\",Loop 2,Loop 3,Loop 4,Loop 5,Loop 6,Loop 7,Loop 8\r\n");
        QByteArray mix(kMixImageSize, '\0');
        // Slots little-endian, spread over every pointer the sets carry.
        for (int word = 0; word < kLoopWordsOffset / 2; ++word) {
            const int pointer = (word * 7 + mixer) % entries;
            mix[2 * word] = static_cast<char>(pointer & 0xFF);
            mix[2 * word + 1] = static_cast<char>(pointer >> 8);
        }
        // Loop words big-endian.
        for (int loop = 0; loop < kLoopCount; ++loop) {
            const int pointer = (loop * 4099) % entries;
            mix[kLoopWordsOffset + 4 * loop + 2] = static_cast<char>(pointer >> 8);
            mix[kLoopWordsOffset + 4 * loop + 3] = static_cast<char>(pointer & 0xFF);
        }
        writeFile(folderFilePath(folder, mixFileName(mixer)), mix);
    }
    writeFile(folderFilePath(folder, kMeterFile), QByteArray(kMeterImageSize, '\x05'));
    writeFile(folderFilePath(folder, kCompressorFile), QByteArray(kCompressorImageSize, '\0'));
}

} // namespace

QByteArray controlDescription(int entries)
{
    QByteArray text;
    text.reserve(qsizetype(entries) * 300 / 8 + qsizetype(entries) * 40);
    for (int entry = 0; entry < entries; ++entry) {
        text += QByteArray(depthOf(entry), '\t') + entryText(entry) + directivesFor(entry);
        text += "\r\n";
    }
    return text;
}

void writeMaximalFolder(const QString& folder)
{
    writeFolder(folder, kMaxEntries);
}

void writeTinyFolder(const QString& folder)
{
    writeFolder(folder, 6);
}

} // namespace tarn::bench
