#include "CliTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tarn::test {
namespace {

// One run of tarnctl over a saved studio folder "%F". "%D" is that folder's export, "%H" the
// export with Hold set to 480, "%B" a file far over the size limit. `input` goes to standard
// input: "%D" or "%H" for those documents.
struct OptionRow
{
    const char* name;
    const char* arguments;
    const char* input;
    int exitCode;
    QStringList expected; // on standard error when the status is 2, else on standard output
    bool writes = false;
};

using ImportOptions = ::testing::TestWithParam<OptionRow>;

TEST_P(ImportOptions, ExitStatusStreamsAndWrites)
{
    const OptionRow& row = GetParam();
    const TestFolder folder;
    saveStudio(folder);
    const TestFolder other;
    ASSERT_EQ(runTarnctl({QStringLiteral("export"), folder.path(), QStringLiteral("-o"),
                          other.filePath(QStringLiteral("doc.json"))})
                  .exitCode,
              0);
    const QByteArray exported = other.read(QStringLiteral("doc.json"));
    ASSERT_TRUE(exported.contains("\"hold\": 24000,"));
    other.write(QStringLiteral("hold.json"),
                QByteArray(exported).replace("\"hold\": 24000,", "\"hold\": 480,"));
    QFile large(other.filePath(QStringLiteral("large.json")));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(qint64(1) << 32));
    large.close();
    const auto place = [&](QString text) {
        return text.replace(QLatin1String("%F"), folder.path())
            .replace(QLatin1String("%D"), other.filePath(QStringLiteral("doc.json")))
            .replace(QLatin1String("%H"), other.filePath(QStringLiteral("hold.json")))
            .replace(QLatin1String("%B"), other.filePath(QStringLiteral("large.json")));
    };
    const QString input = place(QString::fromUtf8(row.input));
    const QString inputFile =
        QFile::exists(input) ? input : other.filePath(QStringLiteral("input.txt"));
    if (!QFile::exists(input))
        other.write(QStringLiteral("input.txt"), input.toUtf8());
    const FolderState before = backdateAndRecord(folder);

    QStringList arguments;
    for (const QString& word : QString::fromUtf8(row.arguments).split(u' ', Qt::SkipEmptyParts))
        arguments << place(word);
    const RunResult result =
        runTarnctl(arguments, [&](QProcess& process) { process.setStandardInputFile(inputFile); });

    EXPECT_EQ(result.exitCode, row.exitCode) << result.err.toStdString();
    const bool failed = row.exitCode == 2;
    EXPECT_EQ(failed ? result.out : result.err, "");
    const QString& stream = failed ? result.err : result.out;
    EXPECT_TRUE(!row.expected.isEmpty() || stream.isEmpty()) << stream.toStdString();
    for (const QString& text : row.expected)
        EXPECT_TRUE(stream.contains(place(text))) << place(text).toStdString() << "\nin:\n"
                                                  << stream.toStdString();
    EXPECT_EQ(recordFolder(folder) != before, row.writes);
}

const OptionRow kRows[] = {
    {"DryRunListsTheChange", "import --dry-run %F -", "%H", 0, {"compressor hold: 24000 -> 480\n"}},
    {"DryRunOfTheExportListsNothing", "import %F %D --dry-run", "", 0, {}},
    {"DryRunStillRefuses",
     "import %F - --dry-run",
     "{\"format\": \"tarnconfig-folder\", \"version\": 1, \"compressor\": {\"hold\": 481}}",
     2,
     {"standard input: compressor.hold: 481 would be loaded as 480", "nothing written\n"}},
    {"StandardInputImported", "import %F -", "%H", 0, {"wrote %F/compressor.trn\n"}, true},
    {"StandardInputNotJson",
     "import %F -",
     "{\n  \"format\": \"tarnconfig-folder\",\n  \"version\": 1,\n}",
     2,
     {"tarnctl import: standard input: not valid JSON: line 4, column 2: ", "nothing written\n"}},
    // A valid change beside the fault is not written either.
    {"FaultNamedAtItsPlace",
     "import %F -",
     "{\"format\": \"tarnconfig-folder\", \"version\": 1, \"compressor\": {\"gain\": 20, "
     "\"attack\": 8}}",
     2,
     {"tarnctl import: standard input: compressor.attack: 8 is outside 0..7\n",
      "tarnctl import: nothing written\n"}},
    {"NotAnObject",
     "import %F -",
     "[1, 2]",
     2,
     {"tarnctl import: standard input: the document must be a JSON object, found an array\n"}},
    {"KeyGivenTwice",
     "import %F -",
     "{\"format\": \"nope\", \"format\": \"tarnconfig-folder\", \"version\": 1}",
     2,
     {"tarnctl import: standard input: format: the key is given more than once\n"}},
    {"FarOverTheSizeLimit",
     "import %F %B",
     "",
     2,
     {"tarnctl import: %B: is larger than 64 MiB, too large to be read\n"}},
    {"UnknownOption", "import %F %D --force", "", 2, {"Unknown option 'force'", "Usage: "}},
    {"ControlsFromStandardInput",
     "controls -",
     "Gain~OFFSET=5\r\n\t+6 dB~PTR=OFFSET~ACTIVE\r\n\tbad~NOPE\r\n",
     0,
     {"\"+6 dB\" pointer 5, named by 5\n", "standard input:3: "}},
    {"ControlsDocumentIsAFolder", "controls %F", "", 2, {"tarnctl controls: %F: is a folder"}},
};

INSTANTIATE_TEST_SUITE_P(Runs, ImportOptions, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarn::test
