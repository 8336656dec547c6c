#pragma once

#include "StudioFolder.h"

#include <functional>

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tarn::test {

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

} // namespace tarn::test
