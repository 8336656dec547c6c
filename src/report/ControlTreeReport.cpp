#include "report/ControlTreeReport.h"

#include "json/JsonWriter.h"
#include "model/Index.h"
#include "texts/PlaceNames.h"

namespace tarn {

PointersByEntry::PointersByEntry(const ControlSet& set)
    : m_start(static_cast<std::size_t>(set.entryCount()) + 2, 0)
{
    // Counting sort of the pointers by the entry they name; ascending within each entry.
    for (int p = 0; p < kPointerSlots; ++p) {
        if (const int index = set.PointerToNode(p))
            ++m_start[static_cast<std::size_t>(index) + 1];
    }
    for (std::size_t k = 1; k < m_start.size(); ++k)
        m_start[k] += m_start[k - 1];
    m_pointers.resize(m_start.back());
    std::vector<std::size_t> next(m_start.begin(), m_start.end() - 1);
    for (int p = 0; p < kPointerSlots; ++p) {
        if (const int index = set.PointerToNode(p))
            m_pointers[at(next, index)++] = p;
    }
}

QStringList controlTreeLines(const ControlSet& set)
{
    const PointersByEntry pointers(set);
    QStringList lines;
    for (int index = 1; index <= set.entryCount(); ++index) {
        const ControlNode& node = set.entry(index);
        QString line = QString(2 * node.depth, u' ') + QString::number(index) +
                       QStringLiteral(" \"") + oneLine(node.text()) +
                       QStringLiteral("\" pointer ") + QString::number(set.NodeToPointer(index));
        const auto naming = pointers.of(index);
        if (!naming.empty()) {
            line += QStringLiteral(", named by");
            for (const int p : naming)
                line += u' ' + QString::number(p);
        }
        lines.append(line);
    }
    return lines;
}

QStringList diagnosticLines(const ControlFileResult& result, const QString& file)
{
    QStringList lines;
    for (const ParseDiagnostic& diagnostic : result.diagnostics)
        lines.append(file + u':' + QString::number(diagnostic.line) + QStringLiteral(": ") +
                     oneLine(diagnostic.message));
    return lines;
}

void controlTreeJson(const ControlSet& set, const ControlFileResult& result, JsonWriter& json)
{
    const PointersByEntry pointers(set);
    json.beginObject();
    json.key("diagnostics");
    json.beginArray();
    for (const ParseDiagnostic& diagnostic : result.diagnostics) {
        json.beginObject();
        json.member("line", diagnostic.line);
        json.member("message", diagnostic.message);
        json.endObject();
    }
    json.endArray();
    json.key("entries");
    json.beginArray();
    for (int index = 1; index <= set.entryCount(); ++index) {
        const ControlNode& node = set.entry(index);
        json.beginObject();
        json.member("depth", node.depth);
        json.member("index", index);
        json.member("line", node.line);
        json.member("parent", node.parent);
        json.member("pointer", set.NodeToPointer(index));
        json.key("pointers");
        json.beginArray();
        for (const int p : pointers.of(index))
            json.value(p);
        json.endArray();
        json.member("text", node.text());
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace tarn
