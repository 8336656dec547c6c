#include "report/FolderCheck.h"

#include "app/LoadSequence.h"
#include "model/ByteOrder.h"
#include "model/CompressorFile.h"
#include "model/FolderFiles.h"
#include "model/Index.h"
#include "model/MeterFile.h"
#include "texts/DisplayTexts.h"
#include "texts/PlaceNames.h"

#include <algorithm>
#include <tuple>

#include <QFileInfo>

namespace tarn {

namespace {

class FindingList
{
public:
    void add(FindingKind kind, const QString& file, const QString& text, int line = 0,
             FindingPlace place = {})
    {
        m_findings.push_back({kind, file, line, text, place});
    }
    std::vector<Finding> take() { return std::move(m_findings); }

private:
    std::vector<Finding> m_findings;
};

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

void checkControlFiles(const FolderLoad& load, FindingList& findings)
{
    for (int set = 0; set < kSetCount; ++set) {
        const auto& result = at(load.controlFiles, set);
        const QString file = QLatin1String(kControlFiles[set]);
        if (!result.opened) {
            findings.add(FindingKind::ControlFileMissing, file,
                         QStringLiteral("missing: every pointer of this set shows as invalid"));
        }
        for (const ParseDiagnostic& diagnostic : result.diagnostics)
            findings.add(FindingKind::ParserDiagnostic, file, oneLine(diagnostic.message),
                         diagnostic.line);
    }
}

void checkNameFiles(const FolderLoad& load, FindingList& findings)
{
    const QString missing = QStringLiteral("missing: ");
    for (int m = 0; m < kMixerCount; ++m) {
        const auto mixer = static_cast<std::size_t>(m);
        if (!load.names.inputsFileOpened[mixer]) {
            findings.add(FindingKind::NameFileMissing, bareFileName(inputsFileName(m)),
                         missing + QStringLiteral("inputs 1 to 40 have empty names"));
        }
        if (!load.names.outputsFileOpened[mixer]) {
            findings.add(FindingKind::NameFileMissing, bareFileName(outputsFileName(m)),
                         missing + QStringLiteral("outputs have empty names and inputs 41 to 64 "
                                                  "fall back to MIXER OUTPUT n"));
        }
        if (!load.names.loopNames[mixer]) {
            findings.add(FindingKind::NameFileMissing, bareFileName(loopsFileName(m)),
                         missing + QStringLiteral("loop labels show numbers only"));
        }
    }
}

// Missing, or of a length that gives the defaults.
bool checkFileDefaults(const BinaryFileLoad& file, int expectedSize, FindingList& findings)
{
    const QString name = fileName(file.path);
    if (!file.existed) {
        findings.add(FindingKind::BinaryFileMissing, name,
                     QStringLiteral("missing: a start-up creates it empty and uses the defaults"));
        return true;
    }
    if (file.defaulted) {
        findings.add(FindingKind::DefaultsFromLength, name,
                     QStringLiteral("%1 bytes instead of %2: a start-up uses the defaults")
                         .arg(file.bytes.size())
                         .arg(expectedSize));
        return true;
    }
    return false;
}

void checkMixLayout(const MixFileLoad& file, FindingList& findings)
{
    if (checkFileDefaults(file, kMixImageSize, findings))
        return;
    const QString name = fileName(file.path);
    const qsizetype size = file.bytes.size();
    switch (file.layout) {
    case MixLayout::Legacy:
        findings.add(FindingKind::LegacyMixLayout, name,
                     QStringLiteral("older %1-byte layout: slots C and D read as %2, no loops; "
                                    "a save writes the %3-byte layout")
                         .arg(kLegacyMixFileSize)
                         .arg(kUnityPointer)
                         .arg(kMixImageSize));
        break;
    case MixLayout::Shorter:
        findings.add(FindingKind::ShortMixFile, name,
                     QStringLiteral("%1 bytes instead of %2: the rest of the image reads as 0")
                         .arg(size)
                         .arg(kMixImageSize));
        break;
    case MixLayout::Longer:
        findings.add(FindingKind::LongMixFile, name,
                     QStringLiteral("%1 bytes instead of %2: the last %3 are not read, and every "
                                    "save keeps them")
                         .arg(size)
                         .arg(kMixImageSize)
                         .arg(size - kMixImageSize));
        break;
    case MixLayout::Empty:
    case MixLayout::Current:
        break;
    }
}

// Values the load changed: compared with the image exactly as the file gave it.
void checkMixRepairs(const FolderLoad& load, int mixer, FindingList& findings)
{
    const MixFileLoad& file = at(load.mixFiles, mixer);
    const QString name = fileName(file.path);
    ConfigModel asRead;
    applyMixFileBytes(asRead, mixer, file.bytes);
    for (int o = 0; o < kOutputCount; ++o) {
        for (int i = 0; i < kInputCount; ++i) {
            for (int s = 0; s < kSlotCount; ++s) {
                const std::int16_t stored = asRead.slot(mixer, o, i, s);
                if (stored != load.model.slot(mixer, o, i, s)) {
                    findings.add(FindingKind::NegativeSlot, name,
                                 crosspointPlace(load.names, mixer, o, i, s) +
                                     QStringLiteral(": pointer %1 is read as %2")
                                         .arg(stored)
                                         .arg(load.model.slot(mixer, o, i, s)),
                                 0, {mixer, o, i, -1, -1});
                }
            }
        }
    }
    for (int l = 0; l < kLoopCount; ++l) {
        const std::int32_t stored = ClngEndian(asRead.loopWord(mixer, l));
        if (stored != load.model.loopAssignment(mixer, l)) {
            findings.add(FindingKind::LoopOutOfRange, name,
                         loopPlace(load.names, mixer, l) +
                             QStringLiteral(": pointer %1 is outside 0..%2 and read as %3")
                                 .arg(stored)
                                 .arg(kMaxPointer)
                                 .arg(load.model.loopAssignment(mixer, l)),
                         0, {mixer, -1, -1, l, -1});
        }
    }
}

void checkMixInvalid(const FolderLoad& load, int mixer, FindingList& findings)
{
    const MixFileLoad& file = at(load.mixFiles, mixer);
    const QString name = fileName(file.path);
    std::vector<InvalidSlot> sorted = file.check.invalidSlots;
    std::sort(sorted.begin(), sorted.end(), [](const InvalidSlot& a, const InvalidSlot& b) {
        return std::tie(a.output, a.input, a.slot) < std::tie(b.output, b.input, b.slot);
    });
    for (const InvalidSlot& slot : sorted) {
        findings.add(FindingKind::InvalidSlot, name,
                     crosspointPlace(load.names, mixer, slot.output, slot.input, slot.slot) +
                         QStringLiteral(": pointer %1 is invalid").arg(slot.pointer),
                     0, {mixer, slot.output, slot.input, -1, -1});
    }
    for (const InvalidLoop& loop : file.check.invalidLoops) {
        findings.add(FindingKind::InvalidLoop, name,
                     loopPlace(load.names, mixer, loop.loop) +
                         QStringLiteral(": pointer %1 is invalid").arg(loop.pointer),
                     0, {mixer, -1, -1, loop.loop, -1});
    }
}

void checkMeters(const FolderLoad& load, FindingList& findings)
{
    if (checkFileDefaults(load.meterFile, kMeterImageSize, findings))
        return;
    const QString name = fileName(load.meterFile.path);
    for (int i = 0; i < kMeterCount; ++i) {
        const std::uint8_t byte = load.model.meter(i);
        if (byte != kMeterDisabled && meterPositionForByte(byte) == 0) {
            findings.add(FindingKind::MeterNotASource, name,
                         meterCaption(i + 1) +
                             QStringLiteral(": byte %1 names no source: shown as %2 and kept")
                                 .arg(static_cast<int>(byte))
                                 .arg(QLatin1String(kDisabledEntry)),
                         0, {-1, -1, -1, -1, i});
        }
    }
}

void checkCompressor(const FolderLoad& load, FindingList& findings)
{
    if (checkFileDefaults(load.compressorFile, kCompressorImageSize, findings))
        return;
    const QString name = fileName(load.compressorFile.path);
    ConfigModel asRead;
    applyCompressorFileBytes(asRead, load.compressorFile.bytes);
    for (const CompressorParam param : kCompressorParams) {
        const std::int32_t stored = asRead.compressor(compressorWordOf(param));
        const std::int32_t held = load.model.compressor(compressorWordOf(param));
        if (stored != held) {
            findings.add(FindingKind::CompressorSettled, name,
                         compressorFieldName(param) +
                             QStringLiteral(" %1 is held as %2").arg(stored).arg(held));
        }
    }
}

} // namespace

QString Finding::lineText() const
{
    const QString where = line > 0 ? file + u':' + QString::number(line) : file;
    return where + QStringLiteral(": ") + text;
}

std::vector<Finding> checkFolder(const FolderLoad& load)
{
    FindingList findings;
    checkControlFiles(load, findings);
    checkNameFiles(load, findings);
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        checkMixLayout(at(load.mixFiles, mixer), findings);
        checkMixRepairs(load, mixer, findings);
        checkMixInvalid(load, mixer, findings);
    }
    checkMeters(load, findings);
    checkCompressor(load, findings);
    return findings.take();
}

} // namespace tarn
