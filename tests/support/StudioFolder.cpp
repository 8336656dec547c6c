#include "StudioFolder.h"

#include "app/LoadSequence.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tarn::test {

void writeStudioTextFiles(const TestFolder& folder)
{
    folder.write("aes3controls.txt", "MUTE~PTR=0~ACTIVE\r\n"
                                     "Faders\r\n"
                                     "\tFader 2~PTR=17~ACTIVE\r\n"
                                     "\tFader 2 fine~PTR=25~ACTIVE\r\n"
                                     "0dB~PTR=73~ACTIVE\r\n");
    folder.write("ipcontrols.txt",
                 "Mute~ACTIVE\r\nGain +6~PTR=80~ACTIVE\r\n0 dB~PTR=73~ACTIVE\r\n");
    folder.write("aes3loopcontrols.txt", "Off~ACTIVE\r\nLoop gain~PTR=300~ACTIVE\r\n");
    folder.write("iploopcontrols.txt", "Off~ACTIVE\r\nIFB on~PTR=300~ACTIVE\r\n");

    folder.write("aes3inputs.txt", numberedLines("Mic", 40));
    QByteArray outputs = numberedLines("PGM", 32);
    outputs.replace("PGM 5\r\n", "R\xe9gie\r\n");
    folder.write("aes3outputs.txt", outputs);
    folder.write("ipinputs.txt", numberedLines("IP in", 40));
    folder.write("ipoutputs.txt", numberedLines("IP out", 32));
    folder.write("aes3loops.txt", "Talkback,Cue,\"Studio, left\"\r\n");
    folder.write("iploops.txt", "IFB 1\r\nIFB 2\r\nIFB 3\r\n");
}

void saveStudio(const TestFolder& folder, const std::function<void(ConfigModel&)>& edit)
{
    writeStudioTextFiles(folder);
    const auto load = LoadSequence(folder.path());
    if (edit)
        edit(load->model);
    for (const FileProblem& problem : SaveAll(load->model, folder.path()).notWritten)
        ADD_FAILURE() << problem.message().toStdString();
}

QString compactJson(const QJsonValue& value)
{
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return document.toJson(QJsonDocument::Compact);
}

QJsonValue withValue(const QJsonValue& document, QStringView place, const QJsonValue& value)
{
    static const QRegularExpression step(R"(^\.?(\w+)|^\[(\d+)\])");
    const QRegularExpressionMatch match = step.match(place);
    if (!match.hasMatch())
        return value;
    const QStringView rest = place.sliced(match.capturedLength());
    if (match.hasCaptured(1)) {
        QJsonObject object = document.toObject();
        object[match.captured(1)] = withValue(object[match.captured(1)], rest, value);
        return object;
    }
    QJsonArray array = document.toArray();
    const int index = match.captured(2).toInt();
    array[index] = withValue(array[index], rest, value);
    return array;
}

QJsonArray repeated(const QJsonValue& value, int count)
{
    QJsonArray array;
    for (int k = 0; k < count; ++k)
        array.append(value);
    return array;
}

void patch(const TestFolder& folder, const QString& name, qsizetype offset, const char* hex)
{
    QByteArray bytes = folder.read(name);
    const QByteArray replacement = hexBytes(hex);
    bytes.replace(offset, replacement.size(), replacement);
    folder.write(name, bytes);
}

RunResult runTarnctl(const QStringList& arguments, const std::function<void(QProcess&)>& prepare)
{
    QProcess process;
    if (prepare)
        prepare(process);
    process.start(QStringLiteral(TARNCTL_PATH), arguments);
    RunResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "tarnctl did not finish: " << process.errorString().toStdString();
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

FolderState recordFolder(const TestFolder& folder)
{
    FolderState state;
    const QDir dir(folder.path());
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        state[info.fileName()] = {info.isFile() ? folder.read(info.fileName()) : QByteArray(),
                                  info.lastModified()};
    return state;
}

FolderState backdateAndRecord(const TestFolder& folder)
{
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    const QDir dir(folder.path());
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadWrite) ||
            !file.setFileTime(past, QFileDevice::FileModificationTime))
            ADD_FAILURE() << "cannot date back " << name.toStdString();
    }
    return recordFolder(folder);
}

} // namespace tarn::test
