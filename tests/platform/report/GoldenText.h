#pragma once

// Golden-text comparison of a printout's cells: the lines are compared with a file under
// tests/data/print; with OSTOJA_UPDATE_GOLDEN set the file is written instead.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QtTest>

inline QString GoldenPath(const QString& name) {
    return QStringLiteral(OSTOJA_TEST_DATA "/print/") + name + QStringLiteral(".txt");
}

// Empty when equal, else the first difference.
inline QString CompareWithGolden(const QStringList& lines, const QString& name) {
    const QString path = GoldenPath(name);
    if (qEnvironmentVariableIsSet("OSTOJA_UPDATE_GOLDEN")) {
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        return QString();
    }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("no golden file %1 (run with OSTOJA_UPDATE_GOLDEN=1)").arg(path);
    QStringList expected = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    if (!expected.isEmpty() && expected.last().isEmpty())
        expected.removeLast();
    for (int i = 0; i < std::max(lines.size(), expected.size()); ++i) {
        const QString got = lines.value(i, QStringLiteral("<none>"));
        const QString want = expected.value(i, QStringLiteral("<none>"));
        if (got != want)
            return QStringLiteral("%1 line %2:\n  got:  %3\n  want: %4").arg(name).arg(i + 1).arg(got, want);
    }
    return QString();
}

#define COMPARE_GOLDEN(lines, name)                                                                          \
    do {                                                                                                     \
        const QString difference = CompareWithGolden((lines), (name));                                       \
        if (!difference.isEmpty())                                                                           \
            QFAIL(qPrintable(difference));                                                                   \
    } while (false)

// Output of a poppler tool on a file; skips the test when the tool is not installed.
inline QString PopplerOutput(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return QString();
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

#define REQUIRE_POPPLER()                                                                                    \
    do {                                                                                                     \
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())                           \
            QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed");                                    \
    } while (false)
