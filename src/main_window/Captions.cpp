#include "main_window/Captions.h"

#include "form/FormDescription.h"
#include "platform/FormFont.h"
#include "platform/QtColours.h"
#include "platform/QtGeometry.h"

#include <QFontMetrics>

#include <algorithm>

namespace main_window {

namespace {

// As wide and as tall as a label's text may measure.
constexpr int kUnbounded = 2000;

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace

QFont fontOf(const form::FontDesign& font) {
    return platform::formFont(font.points, font.bold);
}

QRect captionBox(const form::ControlDesign& design) {
    const QRect box = platform::toQRect(design.rect);
    const QFontMetrics metrics(fontOf(design.font));
    const QString caption = text(design.caption);
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    switch (design.sizing) {
    case form::LabelSizing::Fixed:
        break;
    case form::LabelSizing::Auto:
        return {box.topLeft(),
                metrics.boundingRect(0, 0, kUnbounded, kUnbounded, kFlags, caption).size()};
    case form::LabelSizing::Wrap: {
        const QRect wrapped =
            metrics.boundingRect(0, 0, box.width(), kUnbounded, kFlags | Qt::TextWordWrap, caption);
        return {box.topLeft(), QSize(box.width(), std::max(box.height(), wrapped.height()))};
    }
    }
    return box;
}

std::vector<Caption> captionsOf(const QPalette& palette, bool plotShown) {
    std::vector<Caption> all;
    for (const form::ControlDesign& design : form::controls()) {
        if (design.kind != form::ControlKind::Label)
            continue;
        all.push_back({text(design.caption), captionBox(design), fontOf(design.font),
                       design.colour ? std::optional(platform::toQColor(*design.colour, palette))
                                     : std::nullopt,
                       platform::toQColor(form::kCaptionBackColour, palette),
                       design.sizing == form::LabelSizing::Wrap, !design.axisCaption || plotShown,
                       design.axisCaption});
    }
    return all;
}

} // namespace main_window
