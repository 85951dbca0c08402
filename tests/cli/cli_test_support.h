#pragma once

// Runs the qmh4 command-line program built beside the tests.

#include <QProcess>
#include <QStringList>

namespace qmh4::test {

struct CliRun {
    int exitCode = -1; // -1 when it crashed or did not end in time
    QString err;
};

inline CliRun runQmh4(const QStringList& arguments, int timeoutMs = 300000) {
    QProcess process;
    process.start(QStringLiteral(QMH4_CLI_PATH), arguments);
    process.waitForFinished(timeoutMs);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace qmh4::test
