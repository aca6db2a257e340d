#include "platform/QtColours.h"

#include <QPalette>

#include <array>

namespace platform {

namespace {

// The desktop palette role behind each system colour index.
constexpr std::array<QPalette::ColorRole, 25> kSystemRoles = {
    QPalette::Button,          // 0 scroll bar
    QPalette::Window,          // 1 desktop
    QPalette::Highlight,       // 2 active caption
    QPalette::Mid,             // 3 inactive caption
    QPalette::Window,          // 4 menu
    QPalette::Base,            // 5 window
    QPalette::Shadow,          // 6 window frame
    QPalette::Text,            // 7 menu text
    QPalette::WindowText,      // 8 window text
    QPalette::HighlightedText, // 9 caption text
    QPalette::Button,          // 10 active border
    QPalette::Button,          // 11 inactive border
    QPalette::Dark,            // 12 application workspace
    QPalette::Highlight,       // 13 highlight
    QPalette::HighlightedText, // 14 highlighted text
    QPalette::Button,          // 15 button face
    QPalette::Dark,            // 16 button shadow
    QPalette::PlaceholderText, // 17 grey text
    QPalette::ButtonText,      // 18 button text
    QPalette::Text,            // 19 inactive caption text
    QPalette::Light,           // 20 button highlight
    QPalette::Shadow,          // 21 3-D dark shadow
    QPalette::Midlight,        // 22 3-D light
    QPalette::ToolTipText,     // 23 tooltip text
    QPalette::ToolTipBase,     // 24 tooltip background
};

} // namespace

QColor toQColor(raster::Colour colour, const QPalette& palette) {
    if (colour & raster::kSystemColourFlag) {
        const unsigned index = colour & 0xFFu;
        const auto role = index < kSystemRoles.size() ? kSystemRoles[index] : QPalette::Window;
        return palette.color(QPalette::Active, role);
    }
    return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

raster::Palette rasterPalette(const QPalette& palette) {
    raster::Palette resolved;
    resolved.foreground = palette.color(QPalette::Active, QPalette::WindowText).rgb();
    for (unsigned n = 0; n < resolved.system.size(); ++n)
        resolved.system[n] = toQColor(raster::systemColour(n), palette).rgb();
    return resolved;
}

} // namespace platform
