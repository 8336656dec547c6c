#include "report/GainTablePlot.h"

#include "model/CompressorFile.h"
#include "model/ConfigModel.h"
#include "model/Index.h"
#include "report/HtmlText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tarn {

namespace {

constexpr int kLeft = 48;
constexpr int kTop = 12;
constexpr int kPlotWidth = 2 * kGainTableSize;
constexpr int kPlotHeight = 240;
constexpr int kWidth = kLeft + kPlotWidth + 16;
constexpr int kHeight = kTop + kPlotHeight + 36;
constexpr int kStepDecibels = 6;

using Table = std::array<std::int32_t, kGainTableSize>;

struct Scale
{
    int low = -kStepDecibels;
    int high = kStepDecibels;

    double y(double decibels) const
    {
        const double clamped = std::clamp(decibels, double(low), double(high));
        return kTop + kPlotHeight * (high - clamped) / (high - low);
    }
};

// Whole steps of 6 dB around every value there is to draw.
Scale scaleFor(const Table& table, bool withDefault)
{
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    auto take = [&](std::int32_t value) {
        const double db = gainTableDecibels(value);
        if (std::isfinite(db)) {
            low = std::min(low, db);
            high = std::max(high, db);
        }
    };
    for (const std::int32_t value : table)
        take(value);
    if (withDefault) {
        for (const std::int32_t value : kDefaultGainTable)
            take(value);
    }
    if (low > high)
        return {};
    Scale scale;
    scale.low = static_cast<int>(std::floor(low / kStepDecibels)) * kStepDecibels;
    scale.high = static_cast<int>(std::ceil(high / kStepDecibels)) * kStepDecibels;
    if (scale.high == scale.low)
        scale.high += kStepDecibels;
    return scale;
}

void appendCoordinate(std::string& out, double value)
{
    const long long tenths = std::llround(value * 10);
    if (tenths < 0)
        out += '-';
    appendNumber(out, std::llabs(tenths) / 10);
    if (std::llabs(tenths) % 10 != 0) {
        out += '.';
        appendNumber(out, std::llabs(tenths) % 10);
    }
}

// One path through every finite entry, lifted where an entry has no dB value.
void appendCurve(std::string& out, const Table& table, const Scale& scale, const char* cssClass)
{
    out += "<path class=\"";
    out += cssClass;
    out += "\" d=\"";
    bool drawing = false;
    for (int k = 0; k < kGainTableSize; ++k) {
        const double db = gainTableDecibels(at(table, k));
        if (!std::isfinite(db)) {
            drawing = false;
            continue;
        }
        out += drawing ? 'L' : 'M';
        appendCoordinate(out, kLeft + 2 * k);
        out += ' ';
        appendCoordinate(out, scale.y(db));
        drawing = true;
    }
    out += "\"/>";
}

void appendAxes(std::string& out, const Scale& scale)
{
    out += "<g class=\"axes\">";
    const int step =
        (scale.high - scale.low) / kStepDecibels > 12 ? 4 * kStepDecibels : kStepDecibels;
    for (int db = scale.low; db <= scale.high; db += step) {
        const double y = scale.y(db);
        out += "<path d=\"M";
        appendNumber(out, kLeft);
        out += ' ';
        appendCoordinate(out, y);
        out += "h";
        appendNumber(out, kPlotWidth);
        out += "\"/><text class=\"r\" x=\"";
        appendNumber(out, kLeft - 4);
        out += "\" y=\"";
        appendCoordinate(out, y + 3);
        out += "\">";
        appendNumber(out, db);
        out += "</text>";
    }
    for (int k = 0; k <= kGainTableSize; k += 32) {
        out += "<path d=\"M";
        appendNumber(out, kLeft + 2 * k);
        out += ' ';
        appendNumber(out, kTop);
        out += "v";
        appendNumber(out, kPlotHeight);
        out += "\"/><text class=\"m\" x=\"";
        appendNumber(out, kLeft + 2 * k);
        out += "\" y=\"";
        appendNumber(out, kTop + kPlotHeight + 14);
        out += "\">";
        appendNumber(out, std::min(k, kGainTableSize - 1));
        out += "</text>";
    }
    out += "<text class=\"m\" x=\"";
    appendNumber(out, kLeft + kPlotWidth / 2);
    out += "\" y=\"";
    appendNumber(out, kHeight - 4);
    out += "\">gain table entry</text><text class=\"m\" transform=\"translate(12 ";
    appendNumber(out, kTop + kPlotHeight / 2);
    out += ") rotate(-90)\">gain (dB)</text></g>";
}

} // namespace

double gainTableDecibels(int value)
{
    if (value <= 0)
        return -std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(value / 32768.0);
}

void appendGainTablePlot(std::string& out, const ConfigModel& model)
{
    Table table{};
    for (int k = 0; k < kGainTableSize; ++k)
        at(table, k) = model.compressorWord(k);
    const bool isDefault = table == kDefaultGainTable;
    const Scale scale = scaleFor(table, !isDefault);

    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"plot\" viewBox=\"0 0 ";
    appendNumber(out, kWidth);
    out += ' ';
    appendNumber(out, kHeight);
    out += "\" role=\"img\"><title>Gain table: entry against gain in dB</title>";
    appendAxes(out, scale);
    if (!isDefault)
        appendCurve(out, kDefaultGainTable, scale, "default");
    appendCurve(out, table, scale, "curve");
    for (int k = 0; k < kGainTableSize; ++k) {
        const std::int32_t value = at(table, k);
        if (value > 0)
            continue;
        out += "<path class=\"nogain\" d=\"M";
        appendNumber(out, kLeft + 2 * k);
        out += ' ';
        appendNumber(out, kTop + kPlotHeight);
        out += "v-6\"><title>entry ";
        appendNumber(out, k);
        out += ": ";
        appendNumber(out, value);
        out += ", no dB value</title></path>";
    }
    out += "</svg>";
}

} // namespace tarn
