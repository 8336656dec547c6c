#pragma once

#include <string>

#include <QString>

namespace tarn {

struct FolderLoad;

struct HtmlReportOptions
{
    QString version;             // the program's version, shown in the heading
    bool allCrosspoints = false; // list every crosspoint, not only those that differ
};

// The configuration of a loaded folder as one self-contained HTML5 document in UTF-8 (inline
// CSS and SVG, nothing it has to fetch): the folder, the version, the check's summary with
// every finding and unreadable file linked to where the report shows it; per mixer a picture
// of every slot and the tables of the crosspoints that differ from a fresh mix file (MUTE in
// CONTROL A, 0dB in B to D) or hold a finding; the loops, meters and compressor with a plot
// of its gain table. Printed, it takes A4 landscape pages, each overview on a page of its own.
std::string htmlReport(const FolderLoad& load, const HtmlReportOptions& options);

} // namespace tarn
