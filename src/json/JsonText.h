#pragma once

#include "json/FolderJsonImport.h"

#include <vector>

#include <QByteArray>
#include <QJsonDocument>
#include <QString>

namespace tarn {

// A JSON text as a document, or why it is none.
struct JsonText
{
    QJsonDocument document;
    QString syntaxError; // "line 3, column 7: missing value separator"; empty when valid
    // Each key given twice in one object, at its place; QJsonDocument silently keeps the last.
    std::vector<JsonProblem> duplicateKeys;

    bool valid() const { return syntaxError.isEmpty() && duplicateKeys.empty(); }
};

JsonText parseJsonText(const QByteArray& text);

} // namespace tarn
