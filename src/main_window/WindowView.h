#pragma once

#include "engine/CalculationValues.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace platform {
class Surface;
}

namespace main_window {

// A caption that the window puts over its picture (Label1 to Label9).
struct Caption {
    QString text;
    QRect box; // in the window's device-independent pixels
    QFont font;
    std::optional<QColor> colour; // none: the window's own text colour
    QColor background;
    bool wraps = false;
    bool shown = true;
    bool axis = false; // Label1 to Label8, the plot's
};

// What the window shows, without its boxes and buttons: its persistent
// picture, the values the plot draws from, and the captions over them.
struct WindowView {
    const platform::Surface& surface;
    QSize size;
    bool plotShown = false;
    engine::CalculationValues values;
    QColor textColour;   // the window's own, for captions without a colour
    int logicalDpi = 96; // the screen's, which gives the fonts' pixel sizes
    std::vector<Caption> captions;
};

} // namespace main_window
