#include "report/ControlTreeReport.h"

#include "report/FolderPlaces.h"

#include <QJsonArray>

namespace tarn {

std::vector<std::vector<int>> pointersByEntry(const ControlSet& set)
{
    // One pass over the pointers instead of one per entry: a set may hold 32767 entries.
    std::vector<std::vector<int>> pointers(static_cast<std::size_t>(set.entryCount()) + 1);
    for (int p = 0; p < kPointerSlots; ++p) {
        if (const int index = set.PointerToNode(p))
            pointers[static_cast<std::size_t>(index)].push_back(p);
    }
    return pointers;
}

QStringList controlTreeLines(const ControlSet& set)
{
    const auto pointers = pointersByEntry(set);
    QStringList lines;
    for (int index = 1; index <= set.entryCount(); ++index) {
        const ControlNode& node = set.entry(index);
        QString line = QString(2 * node.depth, u' ') + QString::number(index) +
                       QStringLiteral(" \"") + oneLine(node.text) + QStringLiteral("\" pointer ") +
                       QString::number(set.NodeToPointer(index));
        const auto& naming = pointers[static_cast<std::size_t>(index)];
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

QJsonObject controlTreeJson(const ControlSet& set, const ControlFileResult& result)
{
    const auto pointers = pointersByEntry(set);
    QJsonArray entries;
    for (int index = 1; index <= set.entryCount(); ++index) {
        const ControlNode& node = set.entry(index);
        QJsonArray naming;
        for (const int p : pointers[static_cast<std::size_t>(index)])
            naming.append(p);
        entries.append(QJsonObject{{"index", index},
                                   {"parent", node.parent},
                                   {"depth", node.depth},
                                   {"line", node.line},
                                   {"text", node.text},
                                   {"pointer", set.NodeToPointer(index)},
                                   {"pointers", naming}});
    }
    QJsonArray diagnostics;
    for (const ParseDiagnostic& diagnostic : result.diagnostics)
        diagnostics.append(QJsonObject{{"line", diagnostic.line}, {"message", diagnostic.message}});
    return {{"entries", entries}, {"diagnostics", diagnostics}};
}

} // namespace tarn
