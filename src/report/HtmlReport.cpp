#include "report/HtmlReport.h"

#include "app/LoadSequence.h"
#include "model/CompressorFile.h"
#include "model/FolderFiles.h"
#include "model/Index.h"
#include "model/MixFile.h"
#include "report/ControlPaths.h"
#include "report/CrosspointOverview.h"
#include "report/FolderCheck.h"
#include "report/FolderReadProblems.h"
#include "report/GainTablePlot.h"
#include "report/HtmlText.h"
#include "report/ReportStyle.h"
#include "texts/DisplayTexts.h"
#include "texts/PlaceNames.h"
#include "texts/TabCaptions.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QFileInfo>

namespace tarn {

namespace {

using Flags = std::vector<bool>; // per mixer, output x input

std::string crosspointId(int mixer, int output, int input = -1)
{
    std::string id = "m";
    appendNumber(id, mixer);
    id += "-o";
    appendNumber(id, output + 1);
    if (input >= 0) {
        id += "-i";
        appendNumber(id, input + 1);
    }
    return id;
}

std::string numberedId(const char* prefix, int mixer, const char* part, int number)
{
    std::string id = prefix;
    if (mixer >= 0)
        appendNumber(id, mixer);
    id += part;
    if (number >= 0)
        appendNumber(id, number + 1);
    return id;
}

// The section that shows what a file gives the configuration.
std::string fileAnchor(const QString& file)
{
    for (int set = 0; set < kSetCount; ++set) {
        if (file == QLatin1String(kControlFiles[set]))
            return set < kMixerCount ? numberedId("m", set, "", -1)
                                     : numberedId("m", set - kMixerCount, "-loops", -1);
    }
    for (int m = 0; m < kMixerCount; ++m) {
        if (file == bareFileName(mixFileName(m)) || file == bareFileName(inputsFileName(m)) ||
            file == bareFileName(outputsFileName(m)))
            return numberedId("m", m, "", -1);
        if (file == bareFileName(loopsFileName(m)))
            return numberedId("m", m, "-loops", -1);
    }
    if (file == bareFileName(kMeterFile))
        return "meters";
    if (file == bareFileName(kCompressorFile))
        return "compressor";
    return "check";
}

std::string findingAnchor(const Finding& finding)
{
    const FindingPlace& place = finding.place;
    if (place.mixer >= 0 && place.output >= 0)
        return crosspointId(place.mixer, place.output, place.input);
    if (place.mixer >= 0 && place.loop >= 0)
        return numberedId("m", place.mixer, "-l", place.loop);
    if (place.meter >= 0)
        return numberedId("meter", -1, "-", place.meter);
    return fileAnchor(finding.file);
}

void link(std::string& out, const std::string& anchor, const QString& text)
{
    out += "<a href=\"#";
    out += anchor;
    out += "\">";
    appendHtmlText(out, text);
    out += "</a>";
}

class ReportWriter
{
public:
    ReportWriter(const FolderLoad& load, const HtmlReportOptions& options)
        : m_load(load), m_options(options), m_findings(checkFolder(load))
    {
        for (int m = 0; m < kMixerCount; ++m) {
            at(m_flagged, m).assign(kOutputCount * kInputCount, false);
            at(m_paths, m) = std::make_unique<ControlPaths>(at(load.sets, crosspointSetOf(m)));
        }
        for (const Finding& finding : m_findings) {
            const FindingPlace& place = finding.place;
            if (place.mixer >= 0 && place.output >= 0 && place.input >= 0)
                at(at(m_flagged, place.mixer), place.output * kInputCount + place.input) = true;
        }
    }

    std::string write()
    {
        m_out.reserve(1 << 20);
        head();
        check();
        for (int m = 0; m < kMixerCount; ++m)
            overview(m);
        for (int m = 0; m < kMixerCount; ++m)
            crosspoints(m);
        loops();
        meters();
        compressor();
        m_out += "</body>\n</html>\n";
        return std::move(m_out);
    }

private:
    void head()
    {
        m_out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                 "<title>Configuration report: ";
        appendHtmlText(m_out, m_load.folder);
        m_out += "</title>\n<style>";
        m_out += kReportStyle;
        m_out += "</style>\n</head>\n<body>\n<header>\n<h1>Configuration report</h1>\n"
                 "<dl class=\"about\"><dt>Folder</dt><dd><code>";
        appendHtmlText(m_out, m_load.folder);
        m_out += "</code></dd><dt>Made by</dt><dd>tarnctl ";
        appendHtmlText(m_out, m_options.version);
        m_out += "</dd></dl>\n</header>\n";
    }

    void check()
    {
        const std::vector<FileProblem> unreadable = folderReadProblems(m_load);
        const auto invalid =
            std::count_if(m_findings.begin(), m_findings.end(),
                          [](const Finding& f) { return f.isInvalidAssignment(); });
        const auto anomalies = static_cast<qsizetype>(m_findings.size()) - invalid;
        m_out += "<section id=\"check\">\n<h2>Check</h2>\n<p>";
        appendNumber(m_out, static_cast<long long>(unreadable.size()));
        m_out += unreadable.size() == 1 ? " file" : " files";
        m_out += " could not be read, ";
        appendNumber(m_out, invalid);
        m_out += invalid == 1 ? " invalid assignment, " : " invalid assignments, ";
        appendNumber(m_out, anomalies);
        m_out += anomalies == 1 ? " anomaly" : " anomalies";
        m_out += ".</p>\n";
        if (!unreadable.empty()) {
            m_out += "<h3>Could not be read: shown with what the load could use</h3>\n"
                     "<ul class=\"findings\">\n";
            for (const FileProblem& problem : unreadable) {
                m_out += "<li>";
                link(m_out, fileAnchor(QFileInfo(problem.path).fileName()), problem.message());
                m_out += "</li>\n";
            }
            m_out += "</ul>\n";
        }
        if (!m_findings.empty()) {
            m_out += "<ul class=\"findings\">\n";
            for (const Finding& finding : m_findings) {
                m_out += finding.isInvalidAssignment() ? "<li class=\"bad\">" : "<li>";
                link(m_out, findingAnchor(finding), finding.lineText());
                m_out += "</li>\n";
            }
            m_out += "</ul>\n";
        }
        m_out += "</section>\n";
    }

    void swatch(SlotKind kind)
    {
        m_out += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">"
                 "<path class=\"";
        m_out += slotKindClass(kind);
        m_out += "\" d=\"M0 0h10v10h-10z\"/></svg>";
    }

    void overview(int mixer)
    {
        m_out += "<section class=\"overview-page\" id=\"m";
        appendNumber(m_out, mixer);
        m_out += "\">\n<h2>";
        m_out += kTabCaptions[mixer];
        m_out += ": overview of every crosspoint</h2>\n<figure>\n";
        const SlotKindCounts counts =
            appendCrosspointOverview(m_out, m_load, mixer, *at(m_paths, mixer));
        m_out += "\n<figcaption class=\"legend\">";
        for (int k = 0; k < kSlotKindCount; ++k) {
            const auto kind = static_cast<SlotKind>(k);
            m_out += "<span>";
            swatch(kind);
            m_out += slotKindName(kind);
            switch (kind) {
            case SlotKind::Mute:
                m_out += " (pointer 0)";
                break;
            case SlotKind::Unity:
                m_out += " (pointer 73)";
                break;
            case SlotKind::Invalid:
                m_out += " (no entry in the tree)";
                break;
            case SlotKind::Other:
                break;
            }
            m_out += ": ";
            appendNumber(m_out, at(counts, k));
            m_out += " slots</span>";
        }
        m_out += "</figcaption>\n</figure>\n</section>\n";
    }

    static bool isFresh(int slot, int pointer)
    {
        return pointer == (slot == 0 ? kMutePointer : kUnityPointer);
    }

    void controlCell(const ControlSet& set, ControlPaths& paths, int pointer, bool changed)
    {
        const bool valid = set.hasEntryFor(pointer);
        // Changed slots are the rule where a table lists them; the fresh ones are greyed.
        m_out += !valid ? "<td class=\"bad\">" : changed ? "<td>" : "<td class=\"f\">";
        if (valid)
            m_out += paths.path(pointer);
        else
            m_out += kInvalidMarker + 1; // without the cell's leading blank
        m_out += " [";
        appendNumber(m_out, pointer);
        m_out += "]</td>";
    }

    void crosspoints(int mixer)
    {
        const auto m = static_cast<std::size_t>(mixer);
        const ControlSet& set = at(m_load.sets, crosspointSetOf(mixer));
        ControlPaths& paths = *m_paths[m];
        const QStringList outputs = mixOutputEntries(m_load.names, mixer);
        const QStringList inputs = crosspointRowLabels(m_load.names, mixer);
        const QStringList headers = crosspointHeaders();
        m_out += "<section id=\"m";
        appendNumber(m_out, mixer);
        m_out += "-outputs\">\n<h2>";
        m_out += kTabCaptions[mixer];
        m_out += m_options.allCrosspoints
                     ? ": every crosspoint, per mix output</h2>\n"
                     : ": crosspoints that differ from a fresh mix file (MUTE in CONTROL A, 0dB "
                       "in CONTROL B to D) or have a finding, per mix output</h2>\n";
        for (int o = 0; o < kOutputCount; ++o) {
            m_out += "<h3 id=\"";
            m_out += crosspointId(mixer, o);
            m_out += "\">";
            appendHtmlText(m_out, outputs.at(o));
            m_out += "</h3>\n";
            bool opened = false;
            for (int i = 0; i < kInputCount; ++i) {
                bool listed = m_options.allCrosspoints || at(m_flagged[m], o * kInputCount + i);
                for (int s = 0; s < kSlotCount && !listed; ++s)
                    listed = !isFresh(s, m_load.model.slot(mixer, o, i, s));
                if (!listed)
                    continue;
                if (!opened) {
                    m_out += "<table>\n<thead><tr>";
                    for (const QString& header : headers) {
                        m_out += "<th>";
                        appendHtmlText(m_out, header);
                        m_out += "</th>";
                    }
                    m_out += "</tr></thead>\n<tbody>\n";
                    opened = true;
                }
                m_out += "<tr id=\"";
                m_out += crosspointId(mixer, o, i);
                m_out += "\"><td>";
                appendHtmlText(m_out, inputs.at(i));
                m_out += "</td>";
                for (int s = 0; s < kSlotCount; ++s) {
                    const int pointer = m_load.model.slot(mixer, o, i, s);
                    controlCell(set, paths, pointer, !isFresh(s, pointer));
                }
                m_out += "</tr>\n";
            }
            m_out += opened ? "</tbody>\n</table>\n"
                            : "<p>Every crosspoint as in a fresh mix file.</p>\n";
        }
        m_out += "</section>\n";
    }

    void loops()
    {
        m_out += "<section id=\"loops\">\n<h2>";
        m_out += kTabCaptions[kLoopsTab];
        m_out += "</h2>\n";
        for (int mixer = 0; mixer < kMixerCount; ++mixer) {
            const ControlSet& set = at(m_load.sets, loopSetOf(mixer));
            ControlPaths paths(set);
            const QStringList labels = loopLabels(m_load.names, mixer);
            m_out += "<h3 id=\"";
            m_out += numberedId("m", mixer, "-loops", -1);
            m_out += "\">";
            m_out += kDcLoopsFrameCaptions[mixer];
            m_out += "</h3>\n<table>\n<thead><tr><th>";
            m_out += kLoopHeader;
            m_out += "</th><th>control</th></tr></thead>\n<tbody>\n";
            for (int l = 0; l < kLoopCount; ++l) {
                m_out += "<tr id=\"";
                m_out += numberedId("m", mixer, "-l", l);
                m_out += "\"><td>";
                appendHtmlText(m_out, labels.at(l));
                m_out += "</td>";
                controlCell(set, paths, m_load.model.loopAssignment(mixer, l), true);
                m_out += "</tr>\n";
            }
            m_out += "</tbody>\n</table>\n";
        }
        m_out += "</section>\n";
    }

    void meters()
    {
        const QStringList entries = meterEntries(m_load.names);
        m_out += "<section id=\"meters\">\n<h2>";
        m_out += kTabCaptions[kMetersTab];
        m_out += "</h2>\n<table>\n<thead><tr><th>meter</th><th>source</th><th>byte</th></tr>"
                 "</thead>\n<tbody>\n";
        for (int i = 0; i < kMeterCount; ++i) {
            const int position = at(m_load.meterPositions, i);
            m_out += "<tr id=\"";
            m_out += numberedId("meter", -1, "-", i);
            m_out += "\"><td>";
            appendHtmlText(m_out, meterCaption(i + 1));
            m_out += "</td><td>";
            appendHtmlText(m_out, entries.at(position));
            m_out += "</td><td>";
            appendNumber(m_out, m_load.model.meter(i));
            m_out += "</td></tr>\n";
        }
        m_out += "</tbody>\n</table>\n</section>\n";
    }

    void compressor()
    {
        const ConfigModel& model = m_load.model;
        m_out += "<section id=\"compressor\">\n<h2>";
        m_out += kTabCaptions[kCompressorTab];
        m_out += "</h2>\n<table>\n<thead><tr><th>parameter</th><th>shown</th><th>stored</th>"
                 "</tr></thead>\n<tbody>\n";
        for (std::size_t k = 0; k < kCompressorParams.size(); ++k) {
            const CompressorParam param = kCompressorParams[k];
            m_out += "<tr><td>";
            m_out += kCompressorFrameCaptions[k];
            m_out += "</td><td>";
            appendNumber(m_out, m_load.compressorPositions[param]);
            m_out += "</td><td>";
            appendNumber(m_out, model.compressor(compressorWordOf(param)));
            m_out += "</td></tr>\n";
        }
        m_out += "</tbody>\n</table>\n<h3>Gain table</h3>\n<p>";
        int differing = 0;
        for (int k = 0; k < kGainTableSize; ++k)
            differing += model.compressorWord(k) != at(kDefaultGainTable, k);
        if (differing == 0) {
            m_out += "Equals the default gain table.";
        } else {
            m_out += "Differs from the default gain table (dashed) in ";
            appendNumber(m_out, differing);
            m_out += differing == 1 ? " entry." : " entries.";
        }
        m_out += " Gain in dB is 20 log10(value / 32768).</p>\n<figure>\n";
        appendGainTablePlot(m_out, model);
        m_out += "\n</figure>\n</section>\n";
    }

    const FolderLoad& m_load;
    const HtmlReportOptions& m_options;
    std::vector<Finding> m_findings;
    std::array<Flags, kMixerCount> m_flagged;
    std::array<std::unique_ptr<ControlPaths>, kMixerCount> m_paths;
    std::string m_out;
};

} // namespace

std::string htmlReport(const FolderLoad& load, const HtmlReportOptions& options)
{
    return ReportWriter(load, options).write();
}

} // namespace tarn
