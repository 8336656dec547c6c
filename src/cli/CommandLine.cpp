#include "cli/CommandLine.h"

#include "app/LoadSequence.h"
#include "model/FileRead.h"
#include "model/FileWrite.h"
#include "model/FolderFiles.h"
#include "report/FolderReadProblems.h"

#include <cstdio>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace tarn::cli {

namespace {

// No document tarnctl reads is anywhere near this (as for the files of a folder).
constexpr qint64 kMaxDocumentBytes = 64 * 1024 * 1024;
const QString kStandardInput = QStringLiteral("-");

QString tooLarge()
{
    return QStringLiteral("is larger than %1 MiB, too large to be read")
        .arg(kMaxDocumentBytes >> 20);
}

void write(std::FILE* stream, const QByteArray& bytes)
{
    // fwrite, not fputs: a name may hold a NUL character.
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

// The parser prints the description as it stands; keep it within a terminal's width.
QString wrapped(const QString& text, qsizetype width = 79)
{
    QString result;
    qsizetype lineLength = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            result += u'\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            result += u' ';
            ++lineLength;
        }
        result += word;
        lineLength += word.size();
    }
    return result;
}

} // namespace

void printOut(const QString& text)
{
    write(stdout, text.toUtf8());
}

void printOut(const QByteArray& bytes)
{
    write(stdout, bytes);
}

void printOut(std::string_view bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void printErr(const QString& text)
{
    write(stderr, text.toUtf8());
    std::fflush(stderr);
}

bool flushOutput()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

CommandParser::CommandParser(const QString& command, const QString& description)
    : m_command(command)
{
    m_parser.setApplicationDescription(wrapped(description));
    // Our own --help: Qt's adds --help-all, which lists options tarnctl does not take.
    m_parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                          QStringLiteral("Show this help.")));
}

void CommandParser::addArgument(const QString& name, const QString& description)
{
    m_parser.addPositionalArgument(name, description, name);
    m_argumentNames.append(name);
}

void CommandParser::addOption(const QCommandLineOption& option)
{
    m_parser.addOption(option);
}

std::optional<int> CommandParser::parse(const QStringList& words)
{
    // The parser takes the first word for the program's name.
    if (!m_parser.parse(QStringList{QStringLiteral("tarnctl")} + words))
        return usageError(m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        printOut(helpText());
        return kExitOk;
    }
    const QStringList given = m_parser.positionalArguments();
    if (given.size() < m_argumentNames.size())
        return usageError(QStringLiteral("missing ") + m_argumentNames.at(given.size()));
    if (given.size() > m_argumentNames.size())
        return usageError(QStringLiteral("unexpected argument \"") +
                          given.at(m_argumentNames.size()) + u'"');
    return std::nullopt;
}

int CommandParser::usageError(const QString& message) const
{
    printErr(QStringLiteral("tarnctl ") + m_command + QStringLiteral(": ") + message +
             QStringLiteral("\n\n") + helpText());
    return kExitFailure;
}

void CommandParser::addOutputOption(const QString& what)
{
    addOption(QCommandLineOption(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write the %1 to FILE instead of standard output. A regular file is "
                       "replaced whole; a device, a pipe or an open stream such as /dev/stdout "
                       "is written into.")
            .arg(what),
        QStringLiteral("FILE")));
}

int CommandParser::writeOutput(const QByteArray& bytes) const
{
    if (const auto problem = writeOutputFile(value(QStringLiteral("output")), bytes))
        return failure(problem->message());
    return kExitOk;
}

int CommandParser::failure(const QString& message) const
{
    printErr(QStringLiteral("tarnctl ") + m_command + QStringLiteral(": ") + message + u'\n');
    return kExitFailure;
}

QString CommandParser::documentName(const QString& argument)
{
    return argument == kStandardInput ? QStringLiteral("standard input") : argument;
}

std::optional<QByteArray> CommandParser::readDocument(const QString& argument) const
{
    const QString name = documentName(argument);
    if (argument == kStandardInput) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            failure(name + QStringLiteral(": ") + in.errorString());
            return std::nullopt;
        }
        // In pieces: read(n) would reserve the whole limit at once.
        QByteArray bytes;
        while (bytes.size() <= kMaxDocumentBytes) {
            const QByteArray piece = in.read(64 * 1024);
            if (piece.isEmpty())
                break;
            bytes += piece;
        }
        if (in.error() != QFileDevice::NoError) {
            failure(name + QStringLiteral(": ") + in.errorString());
            return std::nullopt;
        }
        if (bytes.size() > kMaxDocumentBytes) {
            failure(name + QStringLiteral(": ") + tooLarge());
            return std::nullopt;
        }
        return bytes;
    }
    const QFileInfo info(argument);
    if (info.isFile() && info.size() > kMaxDocumentBytes) {
        failure(name + QStringLiteral(": ") + tooLarge());
        return std::nullopt;
    }
    WholeFile file = readWholeFile(argument, kMaxDocumentBytes);
    if (file.problem) {
        failure(file.problem->message());
        return std::nullopt;
    }
    if (!file.existed) {
        failure(name + QStringLiteral(": no such file"));
        return std::nullopt;
    }
    if (file.truncated) {
        failure(name + QStringLiteral(": ") + tooLarge());
        return std::nullopt;
    }
    return std::move(file.bytes);
}

std::unique_ptr<FolderLoad> CommandParser::loadFolder(const QString& argument) const
{
    auto load = LoadSequence(NormalizeFolderPath(argument), MissingFiles::Leave);
    const std::vector<FileProblem> problems = folderReadProblems(*load);
    if (problems.empty())
        return load;
    for (const FileProblem& problem : problems)
        failure(problem.message());
    return nullptr;
}

QString CommandParser::helpText() const
{
    // The parser names the program by the path it was started with; users type "tarnctl".
    QString help = m_parser.helpText();
    const QString started = QStringLiteral("Usage: ") + QCoreApplication::arguments().constFirst();
    if (help.startsWith(started))
        help.replace(0, started.size(), QStringLiteral("Usage: tarnctl ") + m_command);
    return help;
}

} // namespace tarn::cli
