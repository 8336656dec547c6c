#include "app/SaveHistory.h"

#include "app/UserFolders.h"

#include <algorithm>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTemporaryDir>

namespace tarn {

namespace {

constexpr char kEntryFile[] = "entry.json";
constexpr char kFolderNote[] = "folder";
constexpr int kNumberWidth = 6;

QString versionName(int number)
{
    return QStringLiteral("%1").arg(number, kNumberWidth, 10, QLatin1Char('0'));
}

QString digestOf(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// Kept versions, oldest first, by their folders' names.
std::vector<int> keptNumbers(const QString& history)
{
    std::vector<int> numbers;
    for (const QString& name : QDir(history).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const int number = name.toInt(&ok);
        if (ok && number > 0 && name == versionName(number))
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QJsonObject entryJson(const KeptVersion& version)
{
    QJsonArray files;
    for (const KeptFile& file : version.files) {
        files.append(QJsonObject{{"name", file.name},
                                 {"existed", file.existed},
                                 {"changed", file.changed},
                                 {"written", file.written},
                                 {"size", file.bytes.size()},
                                 {"sha256", digestOf(file.bytes)}});
    }
    const ChangeCounts& c = version.changes;
    return QJsonObject{{"time", version.time.toUTC().toString(Qt::ISODateWithMs)},
                       {"program", version.program},
                       {"note", version.note},
                       {"files", files},
                       {"changes", QJsonObject{{"slots", c.crosspointSlots},
                                               {"loops", c.loops},
                                               {"meters", c.meters},
                                               {"compressorValues", c.compressorValues}}}};
}

std::optional<FileProblem> replaceWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return FileProblem{path, file.errorString()};
    return std::nullopt;
}

// Each version folder appears whole by one rename; its files are not synced one by one, since
// a torn one fails its digest when read.
std::optional<FileProblem> writeStaged(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(bytes) != bytes.size() || !file.flush())
        return FileProblem{path, file.errorString()};
    return std::nullopt;
}

// Reads a version's record; with `withBytes` also its files, each checked against its digest.
std::optional<KeptVersion> readVersion(const QString& history, int number, bool withBytes)
{
    const QString folder = history + u'/' + versionName(number);
    QFile entryFile(folder + u'/' + QLatin1String(kEntryFile));
    if (!entryFile.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject entry = QJsonDocument::fromJson(entryFile.readAll()).object();
    if (entry.isEmpty())
        return std::nullopt;
    KeptVersion version;
    version.number = number;
    version.time = QDateTime::fromString(entry.value("time").toString(), Qt::ISODateWithMs);
    version.program = entry.value("program").toString();
    version.note = entry.value("note").toString();
    const QJsonObject changes = entry.value("changes").toObject();
    version.changes =
        ChangeCounts{changes.value("slots").toInt(), changes.value("loops").toInt(),
                     changes.value("meters").toInt(), changes.value("compressorValues").toInt()};
    for (const QJsonValue& value : entry.value("files").toArray()) {
        const QJsonObject object = value.toObject();
        KeptFile file{object.value("name").toString(),
                      object.value("existed").toBool(),
                      object.value("changed").toBool(),
                      object.value("written").toBool(),
                      {}};
        // Only plain names: a record never points outside its version.
        if (file.name.isEmpty() || file.name.contains(u'/') || file.name.startsWith(u'.'))
            return std::nullopt;
        if (withBytes) {
            QFile kept(folder + u'/' + file.name);
            if (!kept.open(QIODevice::ReadOnly))
                return std::nullopt;
            file.bytes = kept.readAll();
            if (file.bytes.size() != object.value("size").toInteger(-1) ||
                digestOf(file.bytes) != object.value("sha256").toString())
                return std::nullopt;
        }
        version.files.push_back(std::move(file));
    }
    return version;
}

} // namespace

ChangeCounts countChanges(const ConfigModel& before, const ConfigModel& after)
{
    ChangeCounts counts;
    for (int m = 0; m < kMixerCount; ++m) {
        for (int o = 0; o < kOutputCount; ++o)
            for (int i = 0; i < kInputCount; ++i)
                for (int s = 0; s < kSlotCount; ++s)
                    counts.crosspointSlots += before.slot(m, o, i, s) != after.slot(m, o, i, s);
        for (int l = 0; l < kLoopCount; ++l)
            counts.loops += before.loopWord(m, l) != after.loopWord(m, l);
    }
    for (int i = 0; i < kMeterCount; ++i)
        counts.meters += before.meter(i) != after.meter(i);
    for (int w = 0; w < kCompressorWordCount; ++w)
        counts.compressorValues += before.compressorWord(w) != after.compressorWord(w);
    return counts;
}

const KeptFile* KeptVersion::file(const QString& name) const
{
    const auto found = std::find_if(files.begin(), files.end(),
                                    [&](const KeptFile& file) { return file.name == name; });
    return found == files.end() ? nullptr : &*found;
}

QString historyFolder(const QString& folder)
{
    return userDataFolder() + QStringLiteral("/history/") + folderKey(folder);
}

QString keptVersionFolder(const QString& folder, int number)
{
    return historyFolder(folder) + u'/' + versionName(number);
}

std::vector<KeptVersion> listKeptVersions(const QString& folder)
{
    const QString history = historyFolder(folder);
    std::vector<KeptVersion> versions;
    for (const int number : keptNumbers(history)) {
        if (auto version = readVersion(history, number, false))
            versions.push_back(std::move(*version));
    }
    return versions;
}

std::optional<KeptVersion> readKeptVersion(const QString& folder, int number)
{
    return readVersion(historyFolder(folder), number, true);
}

std::optional<FileProblem> keepVersion(const QString& folder, KeptVersion& version)
{
    const QString history = historyFolder(folder);
    if (!QDir().mkpath(history))
        return FileProblem{history, QStringLiteral("cannot be created")};
    // Tells a person looking at the history which folder it belongs to.
    const QString note = history + u'/' + QLatin1String(kFolderNote);
    if (!QFileInfo::exists(note)) {
        if (auto problem = replaceWhole(note, QFile::encodeName(canonicalFolder(folder)) + '\n'))
            return problem;
    }
    QTemporaryDir staging(history + QStringLiteral("/.new-XXXXXX"));
    if (!staging.isValid())
        return FileProblem{history, staging.errorString()};
    const std::vector<int> numbers = keptNumbers(history);
    version.number = numbers.empty() ? 1 : numbers.back() + 1;
    if (version.program.isEmpty())
        version.program = QCoreApplication::applicationName();
    for (const KeptFile& file : version.files) {
        if (auto problem = writeStaged(staging.filePath(file.name), file.bytes))
            return problem;
    }
    if (auto problem = writeStaged(staging.filePath(QLatin1String(kEntryFile)),
                                   QJsonDocument(entryJson(version)).toJson()))
        return problem;
    const QString target = history + u'/' + versionName(version.number);
    if (!QDir().rename(staging.path(), target))
        return FileProblem{target, QStringLiteral("cannot be created")};
    staging.setAutoRemove(false);

    for (std::size_t k = 0; k + kKeptVersionLimit < numbers.size() + 1; ++k)
        QDir(history + u'/' + versionName(numbers[k])).removeRecursively();
    return std::nullopt;
}

void settleVersion(const QString& folder, const KeptVersion& version)
{
    const QString path = historyFolder(folder) + u'/' + versionName(version.number);
    const bool anyWritten = std::any_of(version.files.begin(), version.files.end(),
                                        [](const KeptFile& file) { return file.written; });
    if (!anyWritten) {
        QDir(path).removeRecursively();
        return;
    }
    replaceWhole(path + u'/' + QLatin1String(kEntryFile),
                 QJsonDocument(entryJson(version)).toJson());
}

namespace {

QString counted(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

QString keptVersionText(const KeptVersion& version)
{
    QStringList changed;
    for (const KeptFile& file : version.files) {
        if (file.changed && file.written)
            changed.append(file.name);
    }
    QString program = version.program.isEmpty() ? QStringLiteral("?") : version.program;
    if (!version.note.isEmpty())
        program += QStringLiteral(" (") + version.note + u')';
    const ChangeCounts& c = version.changes;
    return QStringLiteral("%1  %2  %3  %4  %5, %6, %7, %8")
        .arg(version.number, 4)
        .arg(version.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), program,
             changed.isEmpty() ? QStringLiteral("no file changed") : changed.join(u' '),
             counted(c.crosspointSlots, "slot", "slots"), counted(c.loops, "loop", "loops"),
             counted(c.meters, "meter", "meters"),
             counted(c.compressorValues, "compressor value", "compressor values"));
}

} // namespace tarn
