#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

// A PDF as its reader sees it, through poppler's tools: its text and a
// page's pixels.
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

// Inks of the plot, told apart from the paper and from each other also
// where a thin line is smoothed into its neighbours.
enum class Ink { Red, Blue, Dark };

inline bool isInk(QRgb pixel, Ink ink) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (ink == Ink::Dark)
        return std::max({r, g, b}) < 128;
    const int own = ink == Ink::Red ? r : b, other = ink == Ink::Red ? b : r;
    return own > 160 && own - g > 80 && own - other > 80;
}

// The pixels of that ink inside area, row by row.
inline QList<QPoint> inkIn(const QImage& image, Ink ink, const QRect& area) {
    QList<QPoint> found;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (isInk(image.pixel(x, y), ink))
                found << QPoint(x, y);
    return found;
}

// The centre of that ink inside area, if there is any.
inline std::optional<QPointF> inkCentre(const QImage& image, Ink ink, const QRect& area) {
    const QList<QPoint> found = inkIn(image, ink, area);
    QPointF sum;
    for (const QPoint& p : found)
        sum += p;
    return found.isEmpty() ? std::nullopt : std::optional(sum / double(found.size()));
}

// The plot's range panel in the window's pixels, under the captions: only the
// ray is red there and only the calculated point blue.
inline const QRect kRangePanel(334, 28, 667, 442);

// How many pixels apart the centres of that ink in the range panel of two
// pictures lie (a page at 96 dpi, the window's); -1 when one has none.
inline double inkApart(const QImage& one, const QImage& other, Ink ink) {
    const auto a = inkCentre(one, ink, kRangePanel), b = inkCentre(other, ink, kRangePanel);
    return a && b ? (*a - *b).manhattanLength() : -1.0;
}

} // namespace pdf_pages
