#include "report/FolderText.h"

#include "app/LoadSequence.h"
#include "model/Index.h"
#include "texts/DisplayTexts.h"
#include "texts/MixOutputTexts.h"
#include "texts/TabCaptions.h"

#include <algorithm>
#include <vector>

#include <QStringList>

namespace tarn {

namespace {

constexpr int kWordsPerLine = 8;

// Rows of cells padded into columns two blanks wider than their longest text; cells that
// end a row are not padded, so lines carry no trailing blanks of their own.
QString table(const std::vector<QStringList>& rows)
{
    std::vector<qsizetype> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max(widths.size(), static_cast<std::size_t>(row.size())));
        for (qsizetype c = 0; c < row.size(); ++c)
            at(widths, c) = std::max(at(widths, c), row[c].size());
    }
    QString text;
    for (const QStringList& row : rows) {
        qsizetype last = row.size() - 1;
        while (last > 0 && row[last].isEmpty())
            --last;
        for (qsizetype c = 0; c <= last; ++c) {
            text += row[c];
            if (c < last)
                text += QString(at(widths, c) - row[c].size() + 2, u' ');
        }
        text += u'\n';
    }
    return text;
}

QString withPointer(const QString& cellText, int value)
{
    return cellText + QStringLiteral(" [") + QString::number(value) + u']';
}

QString mixOutputText(const FolderLoad& load, int mixer, int output)
{
    const auto m = static_cast<std::size_t>(mixer);
    const ControlSet& set = at(load.sets, crosspointSetOf(mixer));
    const MixOutputTexts cells = mixOutputCellTexts(load.model, set, mixer, output);
    const QStringList labels = crosspointRowLabels(load.names, mixer);

    std::vector<QStringList> rows{crosspointHeaders()};
    for (int input = 0; input < kInputCount; ++input) {
        QStringList row{labels.at(input)};
        for (int slot = 0; slot < kSlotCount; ++slot) {
            row.append(withPointer(at(at(cells, input), slot),
                                   load.model.slot(mixer, output, input, slot)));
        }
        rows.push_back(row);
    }
    return QLatin1String(kTabCaptions[mixer]) + QStringLiteral(" output") +
           mixOutputEntry(output + 1, at(load.names.outputNames[m], output)) + u'\n' + table(rows);
}

QString loopsText(const FolderLoad& load, int mixer)
{
    const auto m = static_cast<std::size_t>(mixer);
    const QStringList labels = loopLabels(load.names, mixer);
    std::vector<QStringList> rows{{QLatin1String(kLoopHeader), QString()}};
    for (int loop = 0; loop < kLoopCount; ++loop) {
        rows.push_back({labels.at(loop), withPointer(at(load.loopCellTexts[m], loop),
                                                     load.model.loopAssignment(mixer, loop))});
    }
    return QLatin1String(kTabCaptions[kLoopsTab]) + QStringLiteral(": ") +
           QLatin1String(kDcLoopsFrameCaptions[m]) + u'\n' + table(rows);
}

QString metersText(const FolderLoad& load)
{
    const QStringList entries = meterEntries(load.names);
    std::vector<QStringList> rows;
    for (int i = 0; i < kMeterCount; ++i) {
        rows.push_back({meterCaption(i + 1),
                        withPointer(entries.at(at(load.meterPositions, i)), load.model.meter(i))});
    }
    return QLatin1String(kTabCaptions[kMetersTab]) + u'\n' + table(rows);
}

QString wordsText(const QString& title, const ConfigModel& model, int first, int count)
{
    QString text = title + u'\n';
    for (int k = 0; k < count; k += kWordsPerLine) {
        text += QString::number(k).rightJustified(4) + u':';
        for (int j = k; j < std::min(count, k + kWordsPerLine); ++j)
            text += QString::number(model.compressorWord(first + j)).rightJustified(8);
        text += u'\n';
    }
    return text;
}

QString compressorText(const FolderLoad& load)
{
    std::vector<QStringList> rows;
    for (std::size_t k = 0; k < kCompressorParams.size(); ++k) {
        const CompressorParam param = kCompressorParams[k];
        rows.push_back({QLatin1String(kCompressorFrameCaptions[k]),
                        withPointer(QString::number(load.compressorPositions[param]),
                                    load.model.compressor(compressorWordOf(param)))});
    }
    return QLatin1String(kTabCaptions[kCompressorTab]) + u'\n' + table(rows) + u'\n' +
           wordsText(QStringLiteral("Gain table"), load.model, 0, kGainTableSize) + u'\n' +
           wordsText(QStringLiteral("Reserved words"), load.model, kReservedFirstWord,
                     kReservedWordCount);
}

} // namespace

QString folderText(const FolderLoad& load, const ShowSelection& selection)
{
    QStringList sections;
    for (int mixer = 0; mixer < kMixerCount; ++mixer) {
        if (selection.mixer && *selection.mixer != mixer)
            continue;
        for (int output = 0; output < kOutputCount; ++output) {
            if (!selection.output || *selection.output == output)
                sections.append(mixOutputText(load, mixer, output));
        }
    }
    if (!selection.output) {
        for (int mixer = 0; mixer < kMixerCount; ++mixer) {
            if (!selection.mixer || *selection.mixer == mixer)
                sections.append(loopsText(load, mixer));
        }
    }
    if (!selection.mixer && !selection.output) {
        sections.append(metersText(load));
        sections.append(compressorText(load));
    }
    return sections.join(u'\n');
}

} // namespace tarn
