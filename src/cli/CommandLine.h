#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace tarn {
struct FolderLoad;
}

namespace tarn::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1;
inline constexpr int kExitFailure = 2;

// Standard output and error take UTF-8.
void printOut(const QString& text);
void printOut(const QByteArray& bytes);
void printOut(std::string_view bytes);
void printErr(const QString& text);
// Flushes standard output; false when it could not be written.
bool flushOutput();

// One command's arguments and options, each command with its own --help.
class CommandParser
{
public:
    CommandParser(const QString& command, const QString& description);

    // A positional argument every call must give, in order.
    void addArgument(const QString& name, const QString& description);
    void addOption(const QCommandLineOption& option);
    // -o FILE, --output FILE: where the command's `what` ("document", "page") goes instead of
    // standard output.
    void addOutputOption(const QString& what);

    // Parses the words after the command. Returns the exit status when the command ends here:
    // 0 after printing the help, 2 after a usage error.
    std::optional<int> parse(const QStringList& words);

    QString argument(int index) const { return m_parser.positionalArguments().at(index); }
    bool isSet(const QString& option) const { return m_parser.isSet(option); }
    QString value(const QString& option) const { return m_parser.value(option); }
    bool writesOutputFile() const { return isSet(QStringLiteral("output")); }
    // Replaces the -o file whole with `bytes` (or writes into a device or pipe); returns the
    // exit status.
    int writeOutput(const QByteArray& bytes) const;

    // "tarnctl <command>: message" and the usage on standard error; returns 2.
    int usageError(const QString& message) const;
    // "tarnctl <command>: message" on standard error; returns 2.
    int failure(const QString& message) const;

    // Reads the document an argument names, whole: "-" is standard input. A file larger than
    // the limit is refused from its size, before it is read. Each fault is reported, as
    // "PATH: reason" like every other file's; then the result is nothing.
    std::optional<QByteArray> readDocument(const QString& argument) const;
    // The argument as messages name it.
    static QString documentName(const QString& argument);

    // Loads a folder as the editor's start-up does, but creates and changes no file. Each
    // file that could not be read is reported; then the result is null.
    std::unique_ptr<FolderLoad> loadFolder(const QString& argument) const;

private:
    QString helpText() const;

    QString m_command;
    QCommandLineParser m_parser;
    QStringList m_argumentNames;
};

} // namespace tarn::cli
