#pragma once

#include <QImage>
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

} // namespace expected
