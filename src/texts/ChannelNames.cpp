#include "texts/ChannelNames.h"

#include "model/Windows1252.h"

namespace tarn {

namespace {

constexpr char kMixerOutputFallback[] = "MIXER OUTPUT ";

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Steps over one line terminator at `pos`: CR LF, CR or LF.
qsizetype skipLineEnd(QByteArrayView bytes, qsizetype pos)
{
    if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
        return pos + 2;
    return pos + 1;
}

template <std::size_t N> void fillFrom(const QStringList& lines, std::array<QString, N>& names)
{
    for (std::size_t k = 0; k < N && k < static_cast<std::size_t>(lines.size()); ++k)
        names[k] = lines[static_cast<qsizetype>(k)];
}

} // namespace

QStringList readNameLines(QByteArrayView bytes, int count)
{
    QStringList lines;
    qsizetype pos = 0;
    while (lines.size() < count && pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && !isLineEnd(bytes[end]))
            ++end;
        lines.append(decodeWindows1252(bytes.sliced(pos, end - pos)));
        pos = end < bytes.size() ? skipLineEnd(bytes, end) : end;
    }
    while (lines.size() < count)
        lines.append(QString());
    return lines;
}

QStringList readLoopFields(QByteArrayView bytes, int count)
{
    QStringList fields;
    qsizetype pos = 0;
    const qsizetype size = bytes.size();
    // After a comma a field always follows, even an empty one at the end of the line.
    bool afterComma = false;
    while (fields.size() < count) {
        while (pos < size && isBlank(bytes[pos]))
            ++pos;
        if (pos >= size)
            break;
        if (isLineEnd(bytes[pos])) {
            pos = skipLineEnd(bytes, pos);
            // A blank line names no loop; a comma before the line end does: an empty one.
            if (afterComma) {
                fields.append(QString());
                afterComma = false;
            }
            continue;
        }

        if (bytes[pos] == '"') {
            const qsizetype open = pos + 1;
            qsizetype close = open;
            while (close < size && bytes[close] != '"')
                ++close;
            // A quote left open runs to the end of the file.
            fields.append(decodeWindows1252(bytes.sliced(open, close - open)));
            pos = close < size ? close + 1 : size;
            // Text between the closing quote and the next separator is ignored.
            while (pos < size && bytes[pos] != ',' && !isLineEnd(bytes[pos]))
                ++pos;
        } else {
            qsizetype end = pos;
            while (end < size && bytes[end] != ',' && !isLineEnd(bytes[end]))
                ++end;
            qsizetype last = end;
            while (last > pos && isBlank(bytes[last - 1]))
                --last;
            fields.append(decodeWindows1252(bytes.sliced(pos, last - pos)));
            pos = end;
        }

        afterComma = false;
        if (pos < size && bytes[pos] == ',') {
            ++pos;
            afterComma = true;
        } else if (pos < size) {
            pos = skipLineEnd(bytes, pos);
        }
    }
    while (fields.size() < count)
        fields.append(QString());
    return fields;
}

ChannelNames channelNamesFromLists(const NameListFiles& lists)
{
    ChannelNames names;
    for (int m = 0; m < kMixerCount; ++m) {
        if (const auto& bytes = lists.inputs[m]) {
            names.inputsFileOpened[m] = true;
            fillFrom(readNameLines(*bytes, kNamedInputsFromFile), names.inputNames[m]);
        }
        if (const auto& bytes = lists.outputs[m]) {
            names.outputsFileOpened[m] = true;
            fillFrom(readNameLines(*bytes, kOutputCount), names.outputNames[m]);
        }
        if (const auto& bytes = lists.loops[m]) {
            std::array<QString, kLoopCount> loops;
            fillFrom(readLoopFields(*bytes, kLoopCount), loops);
            names.loopNames[m] = loops;
        }
    }
    names.problems = lists.problems;
    nameInputsAfterOutputs(names);
    return names;
}

void nameInputsAfterOutputs(ChannelNames& names)
{
    for (int n = kNamedInputsFromFile + 1; n <= kInputCount; ++n) {
        const int o = n - 33; // zero-based index of output n - 32
        for (int m = 0; m < kMixerCount; ++m) {
            const QString& output = names.outputNames[m][o];
            names.inputNames[m][n - 1] =
                output.isEmpty() ? QLatin1String(kMixerOutputFallback) + QString::number(o)
                                 : output;
        }
    }
}

} // namespace tarn
