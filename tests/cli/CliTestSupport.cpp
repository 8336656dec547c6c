#include "CliTestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace tarn::test {

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

} // namespace tarn::test
