#pragma once

#include "TestFolder.h"
#include "model/ConfigModel.h"

#include <functional>
#include <map>
#include <utility>

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonValue>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tarn::test {

// Control description files and name lists of a small studio:
// set 0: MUTE 0, Fader 2 17, Fader 2 fine 25, 0dB 73; set 1: Mute 0, Gain +6 80, 0 dB 73;
// loop sets: Off 0 and "Loop gain" / "IFB on" 300. AES3 inputs "Mic n", outputs "PGM n" but
// output 5 "Régie" (written in Windows-1252); IP inputs "IP in n", outputs "IP out n"; loops
// "Talkback", "Cue", "Studio, left" and "IFB 1" .. "IFB 3".
void writeStudioTextFiles(const TestFolder& folder);

// The text files, then the editor's start-up (which creates the binary files) and Save, with
// `edit` applied to the model in between.
void saveStudio(const TestFolder& folder, const std::function<void(ConfigModel&)>& edit = {});

// A JSON object or array as compact text, keys in order: one line to compare.
QString compactJson(const QJsonValue& value);

// `document` with `value` at `place`, written as import names places ("meters[0].byte");
// an empty place stands for the whole document.
QJsonValue withValue(const QJsonValue& document, QStringView place, const QJsonValue& value);
QJsonArray repeated(const QJsonValue& value, int count);

// Overwrites bytes of a file in place, from `offset` on.
void patch(const TestFolder& folder, const QString& name, qsizetype offset, const char* hex);

struct RunResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the real tarnctl with `arguments` and waits for it; `prepare` may redirect its output or
// limit it before it starts.
RunResult runTarnctl(const QStringList& arguments,
                     const std::function<void(QProcess&)>& prepare = {});

// Every file of a folder with its bytes and modification time, to show that nothing was
// written. Files are first dated back an hour, so that any write changes their time.
using FolderState = std::map<QString, std::pair<QByteArray, QDateTime>>;
FolderState backdateAndRecord(const TestFolder& folder);
FolderState recordFolder(const TestFolder& folder);

} // namespace tarn::test
