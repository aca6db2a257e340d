#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

// The expected outputs of the command line, tests/app/expected/: one text
// file a case, and the pictures of the files it writes.
// RAGGIO_UPDATE_EXPECTED=1 (script/update-expected) rewrites them.
namespace expected {

inline QString path(const QString& name) {
    return QStringLiteral(EXPECTED_DIR "/") + name;
}

// Pixels as compared: 32 bits with alpha, whatever the file holds.
inline QImage pixels(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The picture of the file that a case writes.
inline QImage picture(const QString& caseName) {
    return pixels(QImage(path(caseName + QStringLiteral(".png"))));
}

// How many pixels of two images differ; -1 for another size.
inline int pixelsUnlike(const QImage& image, const QImage& expected) {
    const QImage one = pixels(image), other = pixels(expected);
    if (one.size() != other.size())
        return -1;
    int unlike = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            unlike += one.pixel(x, y) != other.pixel(x, y);
    return unlike;
}

// How many pixels of the image differ from the picture of the file that a
// case writes; -1 for another size.
inline int pixelsUnlike(const QImage& image, const QString& caseName) {
    return pixelsUnlike(image, picture(caseName));
}

// The same against a picture of the window's own, at path, which
// RAGGIO_UPDATE_EXPECTED (script/update-expected) writes anew instead.
inline int pixelsUnlikeOwn(const QImage& image, const QString& path) {
    if (qEnvironmentVariableIsSet("RAGGIO_UPDATE_EXPECTED"))
        return pixels(image).save(path, "PNG") ? 0 : -1;
    return pixelsUnlike(image, QImage(path));
}

// A picture of an A4 page as a page of another paper shows it: from the same
// top-left corner, white where A4 has no room; null when the A4 page has ink
// that the other paper cuts off.
inline QImage onPaper(const QImage& a4, const QSize& paper) {
    const QImage page = a4.convertToFormat(QImage::Format_RGB32);
    for (int y = paper.height(); y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255))
                return {};
    QImage moved(paper, QImage::Format_RGB32);
    moved.fill(Qt::white);
    QPainter(&moved).drawImage(0, 0, page);
    return moved;
}

} // namespace expected
