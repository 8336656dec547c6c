#pragma once

#include "model/ConfigModel.h"
#include "model/FileRead.h"

#include <array>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

namespace tarn {

// The bytes of the six channel name lists of a folder; a list that is missing or cannot be read
// has none.
struct NameListFiles
{
    std::array<std::optional<QByteArray>, kMixerCount> inputs;
    std::array<std::optional<QByteArray>, kMixerCount> outputs;
    std::array<std::optional<QByteArray>, kMixerCount> loops;
    // Lists that exist but could not be read, with the reason.
    std::vector<FileProblem> problems;
};

NameListFiles readNameListFiles(const QString& folder);

} // namespace tarn
