#include "json/FolderJsonImport.h"

#include "app/LoadSequence.h"
#include "editors/CompressorEditor.h"
#include "json/FolderJson.h"
#include "model/CompressorFile.h"
#include "model/FolderFiles.h"
#include "model/Index.h"
#include "model/MeterFile.h"
#include "texts/DisplayTexts.h"
#include "texts/PlaceNames.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include <QJsonArray>
#include <QJsonObject>

namespace tarn {

namespace {

constexpr std::int64_t kWordMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kWordMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMeterByteMax = 255;

QString field(const QString& place, const char* name)
{
    const QString key = QLatin1String(name);
    return place.isEmpty() ? key : place + u'.' + key;
}

QString element(const QString& place, int index)
{
    return place + u'[' + QString::number(index) + u']';
}

bool isInteger(double value)
{
    return std::isfinite(value) && std::trunc(value) == value;
}

QString numberText(double value)
{
    if (isInteger(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 17);
}

QString describe(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double:
        return numberText(value.toDouble());
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

// Walks the document, collecting every fault, and writes the values it accepts into a copy
// of the model.
class DocumentReader
{
public:
    explicit DocumentReader(const ConfigModel& model) : m_original(model), m_model(model) {}
    // Also holds the texts the import cannot write to the folder's.
    explicit DocumentReader(const FolderLoad& load)
        : m_original(load.model), m_model(load.model), m_load(&load)
    {
    }

    void readDocument(const QJsonDocument& document)
    {
        if (!document.isObject()) {
            fault({}, QStringLiteral("the document must be a JSON object, found ") +
                          (document.isArray() ? QStringLiteral("an array")
                                              : QStringLiteral("nothing")));
            return;
        }
        const QJsonObject root = document.object();
        if (!readHeader(root))
            return;
        rejectUnknown(root, {}, {"format", "version", "mixers", "meters", "compressor"});
        forEach(root, {}, "mixers", kMixerCount,
                [this](const QJsonValue& v, const QString& p, int m) { readMixer(v, p, m); });
        forEach(root, {}, "meters", kMeterCount,
                [this](const QJsonValue& v, const QString& p, int i) { readMeter(v, p, i); });
        if (root.contains(QLatin1String("compressor")))
            readCompressor(root.value(QLatin1String("compressor")), QStringLiteral("compressor"));
    }

    const std::vector<JsonProblem>& problems() const { return m_problems; }
    const ConfigModel& model() const { return m_model; }

private:
    void fault(const QString& place, const QString& message)
    {
        m_problems.push_back({place, message});
    }

    // A document of another kind or version would only produce a flood of faults.
    bool readHeader(const QJsonObject& root)
    {
        // Unlike every other field, the header must be there: a document without it may be
        // anything, and importing `{}` would rewrite the folder's files for nothing.
        const QJsonValue format = root.value(QLatin1String("format"));
        const QString expected = QLatin1String(kFolderJsonFormat);
        if (format.toString() != expected) {
            fault(QStringLiteral("format"),
                  QStringLiteral("expected \"%1\", found %2")
                      .arg(expected,
                           format.isString() ? quotedName(format.toString()) : describe(format)));
            return false;
        }
        const QJsonValue version = root.value(QLatin1String("version"));
        if (!version.isDouble() || version.toDouble() != kFolderJsonVersion) {
            fault(QStringLiteral("version"), QStringLiteral("expected %1, found %2")
                                                 .arg(kFolderJsonVersion)
                                                 .arg(describe(version)));
            return false;
        }
        return true;
    }

    std::optional<QJsonObject> object(const QJsonValue& value, const QString& place,
                                      std::initializer_list<const char*> known)
    {
        if (!value.isObject()) {
            fault(place, QStringLiteral("expected an object, found ") + describe(value));
            return std::nullopt;
        }
        const QJsonObject result = value.toObject();
        rejectUnknown(result, place, known);
        return result;
    }

    void rejectUnknown(const QJsonObject& object, const QString& place,
                       std::initializer_list<const char*> known)
    {
        for (auto it = object.begin(); it != object.end(); ++it) {
            bool isKnown = false;
            for (const char* name : known)
                isKnown = isKnown || it.key() == QLatin1String(name);
            if (!isKnown) {
                const QString key = it.key();
                fault(place.isEmpty() ? key : place + u'.' + key, QStringLiteral("unknown field"));
            }
        }
    }

    std::optional<QJsonArray> array(const QJsonValue& value, const QString& place, int length)
    {
        if (!value.isArray()) {
            fault(place, QStringLiteral("expected an array of %1, found %2")
                             .arg(length)
                             .arg(describe(value)));
            return std::nullopt;
        }
        const QJsonArray result = value.toArray();
        if (result.size() != length) {
            fault(place, QStringLiteral("expected an array of %1, found an array of %2")
                             .arg(length)
                             .arg(result.size()));
            return std::nullopt;
        }
        return result;
    }

    // Calls `read` for every element of the array `name` of `object`, when it is there.
    template <typename Read>
    void forEach(const QJsonObject& object, const QString& place, const char* name, int length,
                 Read read)
    {
        if (!object.contains(QLatin1String(name)))
            return;
        const QString here = field(place, name);
        const auto items = array(object.value(QLatin1String(name)), here, length);
        if (!items)
            return;
        for (int k = 0; k < length; ++k)
            read(items->at(k), element(here, k), k);
    }

    std::optional<std::int64_t> integer(const QJsonValue& value, const QString& place,
                                        std::int64_t minimum, std::int64_t maximum)
    {
        if (!value.isDouble() || !isInteger(value.toDouble())) {
            fault(place, QStringLiteral("expected an integer, found ") + describe(value));
            return std::nullopt;
        }
        const double number = value.toDouble();
        if (number < static_cast<double>(minimum) || number > static_cast<double>(maximum)) {
            fault(place, QStringLiteral("%1 is outside %2..%3")
                             .arg(numberText(number))
                             .arg(minimum)
                             .arg(maximum));
            return std::nullopt;
        }
        return static_cast<std::int64_t>(number);
    }

    // The integer field `name` of `object`, when it is there and valid.
    std::optional<std::int64_t> integerField(const QJsonObject& object, const QString& place,
                                             const char* name, std::int64_t minimum,
                                             std::int64_t maximum)
    {
        if (!object.contains(QLatin1String(name)))
            return std::nullopt;
        return integer(object.value(QLatin1String(name)), field(place, name), minimum, maximum);
    }

    // False, with the fault told, when the field is there but of another type: its text is
    // then not compared as well, so each fault is told once.
    bool textField(const QJsonObject& object, const QString& place, const char* name,
                   bool nullable = false)
    {
        if (!object.contains(QLatin1String(name)))
            return true;
        const QJsonValue value = object.value(QLatin1String(name));
        if (value.isString() || (nullable && value.isNull()))
            return true;
        const QString expected = nullable ? QStringLiteral("expected a string or null, found ")
                                          : QStringLiteral("expected a string, found ");
        fault(field(place, name), expected + describe(value));
        return false;
    }

    // A text the import cannot write: refused unless it is one the folder shows, as the old or
    // the new value gives it; silently dropping the edit would report success for nothing.
    void keepText(const QJsonValue& value, const QString& place, const QJsonValue& old,
                  const QJsonValue& now, const QString& advice)
    {
        if (!m_load || !(value.isString() || value.isNull()) || value == old || value == now)
            return;
        const auto shown = [](const QJsonValue& text) {
            return text.isString() ? quotedName(text.toString()) : QStringLiteral("null");
        };
        fault(place, QStringLiteral("%1 differs from %2, which import cannot change; %3")
                         .arg(shown(value), shown(now), advice));
    }

    void keepName(const QJsonObject& object, const QString& place, const QString& name,
                  const QString& advice)
    {
        if (object.contains(QLatin1String("name")))
            keepText(object.value(QLatin1String("name")), field(place, "name"), name, name, advice);
    }

    static QString listAdvice(const char* listFile)
    {
        return QStringLiteral("change the name in %1 instead").arg(bareFileName(listFile));
    }

    QJsonValue controlText(int set, int pointer) const
    {
        const ControlSet& controls = at(m_load->sets, set);
        if (const int index = controls.PointerToNode(pointer))
            return controls.text(index);
        return QJsonValue(QJsonValue::Null);
    }

    void keepControl(const QJsonObject& object, const QString& place, int set, int old, int now)
    {
        if (!m_load || !object.contains(QLatin1String("control")))
            return;
        keepText(object.value(QLatin1String("control")), field(place, "control"),
                 controlText(set, old), controlText(set, now),
                 QStringLiteral("change %1 instead").arg(field(place, "pointer")));
    }

    void readMixer(const QJsonValue& value, const QString& place, int mixer)
    {
        const auto mixerObject =
            object(value, place, {"name", "inputNames", "outputs", "loops", "invalid"});
        if (!mixerObject)
            return;
        if (textField(*mixerObject, place, "name"))
            keepName(*mixerObject, place, mixerName(mixer),
                     QStringLiteral("a mixer's name is fixed"));
        integerField(*mixerObject, place, "invalid", 0, kWordMax);
        forEach(*mixerObject, place, "inputNames", kInputCount,
                [this, mixer](const QJsonValue& v, const QString& p, int input) {
                    if (!v.isString()) {
                        fault(p, QStringLiteral("expected a string, found ") + describe(v));
                        return;
                    }
                    if (!m_load)
                        return;
                    const auto m = static_cast<std::size_t>(mixer);
                    const QString& name = m_load->names.inputNames[m][std::size_t(input)];
                    // The last inputs are named after the outputs they carry.
                    const bool fromOutputs = input >= kNamedInputsFromFile;
                    keepText(
                        v, p, name, name,
                        listAdvice(fromOutputs ? outputsFileName(mixer) : inputsFileName(mixer)));
                });
        forEach(*mixerObject, place, "outputs", kOutputCount,
                [this, mixer](const QJsonValue& v, const QString& p, int output) {
                    readOutput(v, p, mixer, output);
                });
        forEach(*mixerObject, place, "loops", kLoopCount,
                [this, mixer](const QJsonValue& v, const QString& p, int loop) {
                    readLoop(v, p, mixer, loop);
                });
    }

    void readOutput(const QJsonValue& value, const QString& place, int mixer, int output)
    {
        const auto outputObject = object(value, place, {"name", "crosspoints"});
        if (!outputObject)
            return;
        if (textField(*outputObject, place, "name") && m_load)
            keepName(*outputObject, place,
                     m_load->names.outputNames[std::size_t(mixer)][std::size_t(output)],
                     listAdvice(outputsFileName(mixer)));
        forEach(*outputObject, place, "crosspoints", kInputCount,
                [this, mixer, output](const QJsonValue& v, const QString& p, int input) {
                    const auto slotValues = array(v, p, kSlotCount);
                    if (!slotValues)
                        return;
                    for (int slot = 0; slot < kSlotCount; ++slot)
                        readSlot(slotValues->at(slot), element(p, slot), mixer, output, input,
                                 slot);
                });
    }

    void readSlot(const QJsonValue& value, const QString& place, int mixer, int output, int input,
                  int slot)
    {
        const auto slotObject = object(value, place, {"pointer", "control"});
        if (!slotObject)
            return;
        const std::size_t faults = m_problems.size();
        textField(*slotObject, place, "control", true);
        if (const auto pointer = integerField(*slotObject, place, "pointer", 0, kMaxPointer))
            m_model.setSlot(mixer, output, input, slot, static_cast<std::int16_t>(*pointer));
        if (m_problems.size() == faults)
            keepControl(*slotObject, place, crosspointSetOf(mixer),
                        m_original.slot(mixer, output, input, slot),
                        m_model.slot(mixer, output, input, slot));
    }

    void readLoop(const QJsonValue& value, const QString& place, int mixer, int loop)
    {
        const auto loopObject = object(value, place, {"name", "pointer", "control"});
        if (!loopObject)
            return;
        const bool nameTyped = textField(*loopObject, place, "name");
        const bool controlTyped = textField(*loopObject, place, "control", true);
        if (nameTyped && m_load) {
            const auto& names = m_load->names.loopNames[std::size_t(mixer)];
            keepName(*loopObject, place, names ? (*names)[std::size_t(loop)] : QString(),
                     listAdvice(loopsFileName(mixer)));
        }
        const std::size_t faults = m_problems.size();
        // Both forms of the loop's pointer, as the loop editor keeps them.
        if (const auto pointer = integerField(*loopObject, place, "pointer", 0, kMaxPointer))
            m_model.setLoopPointer(mixer, loop, static_cast<std::int16_t>(*pointer));
        if (controlTyped && m_problems.size() == faults)
            keepControl(*loopObject, place, loopSetOf(mixer),
                        m_original.loopAssignment(mixer, loop),
                        m_model.loopAssignment(mixer, loop));
    }

    void readMeter(const QJsonValue& value, const QString& place, int meter)
    {
        const auto meterObject = object(value, place, {"byte", "source"});
        if (!meterObject)
            return;
        const std::size_t faults = m_problems.size();
        textField(*meterObject, place, "source");
        if (const auto byte = integerField(*meterObject, place, "byte", 0, kMeterByteMax))
            m_model.setMeter(meter, static_cast<std::uint8_t>(*byte));
        if (m_load && m_problems.size() == faults &&
            meterObject->contains(QLatin1String("source"))) {
            const QStringList entries = meterEntries(m_load->names);
            keepText(meterObject->value(QLatin1String("source")), field(place, "source"),
                     entries.at(meterPositionForByte(m_original.meter(meter))),
                     entries.at(meterPositionForByte(m_model.meter(meter))),
                     QStringLiteral("change %1 instead").arg(field(place, "byte")));
        }
    }

    void readCompressor(const QJsonValue& value, const QString& place)
    {
        const auto compressor =
            object(value, place,
                   {"attack", "hold", "decay", "gain", "threshold", "gainTable", "reserved"});
        if (!compressor)
            return;
        for (const CompressorParam param : kCompressorParams) {
            const SpinnerRange range = spinnerRange(param);
            // Hold is stored as position x 480; which values the load keeps is checked below.
            const bool hold = param == CompressorParam::Hold;
            const std::int64_t minimum = hold ? kWordMin : range.minimum;
            const std::int64_t maximum = hold ? kWordMax : range.maximum;
            const QByteArray name = compressorFieldName(param).toLatin1();
            const auto v = integerField(*compressor, place, name.constData(), minimum, maximum);
            if (v && hold && !holdKept(static_cast<std::int32_t>(*v), field(place, "hold")))
                continue;
            if (v)
                m_model.setCompressor(compressorWordOf(param), static_cast<std::int32_t>(*v));
        }
        forEach(*compressor, place, "gainTable", kGainTableSize,
                [this](const QJsonValue& v, const QString& p, int k) {
                    if (const auto word = integer(v, p, kWordMin, kWordMax))
                        m_model.setCompressorWord(k, static_cast<std::int32_t>(*word));
                });
        forEach(*compressor, place, "reserved", kReservedWordCount,
                [this](const QJsonValue& v, const QString& p, int k) {
                    if (const auto word = integer(v, p, kWordMin, kWordMax))
                        m_model.setCompressorWord(kReservedFirstWord + k,
                                                  static_cast<std::int32_t>(*word));
                });
    }

    // What the start-up leaves of `value` as Hold: clamped into its range, and rounded down to
    // a multiple of 480 when its spinner moves.
    std::int32_t loadedHold(std::int32_t value)
    {
        m_scratch.setCompressor(CompressorWord::Hold, value);
        settleCompressor(m_scratch, CompressorPositions{});
        return m_scratch.compressor(CompressorWord::Hold);
    }

    // A Hold the next load would change is refused: the file would hold what no one sees.
    bool holdKept(std::int32_t value, const QString& place)
    {
        const std::int32_t loaded = loadedHold(value);
        if (loaded == value)
            return true;
        // Every multiple of 480 in the load's range is kept, so both searches end within 480.
        std::int32_t below = std::min(value, kHoldLoadMaximum);
        while (below >= 0 && loadedHold(below) != below)
            --below;
        std::int32_t above = std::max(value, 0);
        while (above <= kHoldLoadMaximum && loadedHold(above) != above)
            ++above;
        QStringList kept;
        if (below >= 0)
            kept << QString::number(below);
        if (above <= kHoldLoadMaximum && above != below)
            kept << QString::number(above);
        fault(place, QStringLiteral("%1 would be loaded as %2; the nearest %3 a load keeps %4")
                         .arg(value)
                         .arg(loaded)
                         .arg(kept.size() == 1 ? QStringLiteral("value") : QStringLiteral("values"),
                              kept.size() == 1
                                  ? QStringLiteral("is ") + kept.first()
                                  : QStringLiteral("are ") + kept.join(QStringLiteral(" and "))));
        return false;
    }

    const ConfigModel& m_original;
    ConfigModel m_model;
    ConfigModel m_scratch;
    const FolderLoad* m_load = nullptr;
    std::vector<JsonProblem> m_problems;
};

} // namespace

std::vector<JsonProblem> importFolderJson(const QJsonDocument& document, ConfigModel& model)
{
    DocumentReader reader(model);
    reader.readDocument(document);
    if (reader.problems().empty())
        model = reader.model();
    return reader.problems();
}

std::vector<JsonProblem> importFolderJson(const QJsonDocument& document, FolderLoad& load)
{
    DocumentReader reader(load);
    reader.readDocument(document);
    if (!reader.problems().empty())
        return reader.problems();
    load.model = reader.model();
    for (int i = 0; i < kMeterCount; ++i)
        load.meterPositions[std::size_t(i)] = meterPositionForByte(load.model.meter(i));
    return {};
}

} // namespace tarn
