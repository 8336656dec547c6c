#pragma once

#include "model/ConfigModel.h"

#include <vector>

#include <QJsonDocument>
#include <QString>

namespace tarn {

struct FolderLoad;

// A fault of an imported document at one place, e.g.
// mixers[1].outputs[4].crosspoints[12][2].pointer.
struct JsonProblem
{
    QString place; // empty for the document as a whole
    QString message;

    QString text() const
    {
        return place.isEmpty() ? message : place + QStringLiteral(": ") + message;
    }
};

// Checks a folder document (see folderJson) and overlays the values it gives on `model`;
// fields left out keep the model's values. "format" and "version" are required; arrays that
// are present must have their full length; numbers must be integers within the range the
// editor can hold (pointers 0..32767, meter bytes 0..255, the compressor parameters within
// their spinners, Hold a value the editor's load keeps as it is, table words 32-bit). Names,
// control texts, meter sources and invalid counts are only type-checked: they follow from the
// folder, not from the document. Unknown fields are faults. On any fault the model is left as
// it was.
std::vector<JsonProblem> importFolderJson(const QJsonDocument& document, ConfigModel& model);

// The same over a loaded folder, and a text the import cannot write must be the folder's own:
// every name as the name lists give it, and each control text and meter source as the
// folder's pointer or byte shows it, or as the document's new pointer or byte does (the text
// follows the value). The model and the meters' list positions take the document's values.
std::vector<JsonProblem> importFolderJson(const QJsonDocument& document, FolderLoad& load);

} // namespace tarn
