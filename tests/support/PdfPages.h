#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// A PDF as its reader sees it, through poppler's tools: its pages, its text
// and a page's pixels.
namespace pdf_pages {

// The tool's standard output; empty when it failed.
inline QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Info {
    int pages = 0;
    QSizeF size; // of the first page, in points
};

inline Info info(const QString& path) {
    const QString out = run(QStringLiteral("pdfinfo"), {path});
    const auto field = [&](const char* pattern) {
        return QRegularExpression(QString::fromLatin1(pattern), QRegularExpression::MultilineOption)
            .match(out);
    };
    const auto size = field("^Page size:\\s+([0-9.]+) x ([0-9.]+) pts");
    return {field("^Pages:\\s+(\\d+)").captured(1).toInt(),
            QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble())};
}

inline QString text(const QString& path) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

// Page n (from 1) at dotsPerInch, as 32-bit RGB; a null image when it failed.
inline QImage page(const QString& path, int n, int dotsPerInch) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(n);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dotsPerInch),
         QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-singlefile"),
         path, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// Inks of the plot, told apart from the paper and from each other also
// where a thin line is smoothed into its neighbours.
enum class Ink { Red, Blue, Dark };

inline bool isInk(QRgb pixel, Ink ink) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    switch (ink) {
    case Ink::Red:
        return r > 160 && r - g > 80 && r - b > 80;
    case Ink::Blue:
        return b > 160 && b - r > 80 && b - g > 80;
    case Ink::Dark:
        return r < 128 && g < 128 && b < 128;
    }
    return false;
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
    if (found.isEmpty())
        return std::nullopt;
    QPointF sum;
    for (const QPoint& p : found)
        sum += p;
    return sum / double(found.size());
}

} // namespace pdf_pages
