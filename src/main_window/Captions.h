#pragma once

#include "main_window/WindowView.h"

#include <QFont>
#include <QPalette>
#include <QRect>

#include <vector>

namespace form {
struct ControlDesign;
struct FontDesign;
} // namespace form

// The window's labels as its description gives them, for the window to make
// and for a picture of the window to draw: the same boxes, fonts and colours,
// with or without the window.
namespace main_window {

QFont fontOf(const form::FontDesign& font);

// Where the window puts a label of that design, sized as a label of the
// toolkit sizes its text: an automatic size holds the caption on one line, a
// wrapping one keeps its width and grows downwards to hold the caption.
QRect captionBox(const form::ControlDesign& design);

// Label1 to Label9 in the palette's colours, the axis captions shown only
// with the plot.
std::vector<Caption> captionsOf(const QPalette& palette, bool plotShown);

} // namespace main_window
