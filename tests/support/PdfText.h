#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace velatask {

// What poppler's tools (poppler-utils) read from a PDF file.
inline QString popplerOutput(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    EXPECT_TRUE(tool.waitForFinished(30000)) << program.toStdString() << " (poppler-utils)";
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// The number of pages; -1 when the file is not a readable PDF.
inline int pdfPages(const QString& file) {
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(popplerOutput(QStringLiteral("pdfinfo"), {file}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of one page (1-based) as laid out on it.
inline QString pdfText(const QString& file, int page) {
    const QString n = QString::number(page);
    return popplerOutput(QStringLiteral("pdftotext"),
                         {QStringLiteral("-layout"), QStringLiteral("-f"), n, QStringLiteral("-l"),
                          n, file, QStringLiteral("-")});
}

} // namespace velatask
