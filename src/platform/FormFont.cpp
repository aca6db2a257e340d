#include "platform/FormFont.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace platform {

namespace {
constexpr auto kFormFontFamily = "MS Sans Serif";
}

QFont formFont(double pointSize, bool bold) {
    QFont font(QString::fromLatin1(kFormFontFamily));
    font.setStyleHint(QFont::SansSerif);
    if (!QFontInfo(font).exactMatch())
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace platform
