#pragma once

#include <vector>

#include <QString>

namespace tarn {

struct FolderLoad;

enum class FindingKind {
    // Invalid assignments: a pointer that no entry of its set carries.
    InvalidSlot,
    InvalidLoop,
    // Anomalies: what a start-up passes over, repairs or replaces by defaults.
    ControlFileMissing,
    ParserDiagnostic,
    NameFileMissing,
    BinaryFileMissing,
    DefaultsFromLength,
    ShortMixFile,
    LongMixFile,
    LegacyMixLayout,
    NegativeSlot,
    LoopOutOfRange,
    MeterNotASource,
    CompressorSettled,
};

// Where in the configuration a finding lies, so that a report can point at it; -1 where a
// part does not apply.
struct FindingPlace
{
    int mixer = -1;
    int output = -1;
    int input = -1;
    int loop = -1;
    int meter = -1;
};

struct Finding
{
    FindingKind kind;
    QString file; // the file it concerns, without the folder
    int line = 0; // line of a control description file, 0 for none
    QString text;
    FindingPlace place = {};

    bool isInvalidAssignment() const
    {
        return kind == FindingKind::InvalidSlot || kind == FindingKind::InvalidLoop;
    }
    // file: text, or file:line: text.
    QString lineText() const;
};

// Every invalid assignment and every anomaly of a loaded folder, file by file in the order of
// the load: control description files, name lists, mix files, meter file, compressor file.
std::vector<Finding> checkFolder(const FolderLoad& load);

} // namespace tarn
