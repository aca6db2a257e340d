#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A PDF as its reader sees it, through poppler's tools: its facts, its text
// and a page's pixels.
namespace pdf_pages {

// The tool's standard output; empty when it failed.
inline QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return ran && process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput())
                                          : QString();
}

inline QString text(const QString& path) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

// Page n (from 1) at dotsPerInch, as 32-bit RGB; a null image when there is none.
inline QImage page(const QString& path, int n, int dotsPerInch) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page")), number = QString::number(n);
    run(QStringLiteral("pdftoppm"), {"-png", "-r", QString::number(dotsPerInch), "-f", number, "-l",
                                     number, "-singlefile", path, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// What a reader's viewer tells of the document: its title, pages, page size
// and rotation.
inline QString facts(const QString& path) {
    QString kept;
    for (const QString& line : run(QStringLiteral("pdfinfo"), {path}).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Title:")) || line.startsWith(QLatin1String("Page")))
            kept += line + QLatin1Char('\n');
    return kept;
}

} // namespace pdf_pages
