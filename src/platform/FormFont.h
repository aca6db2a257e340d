#pragma once

#include <QFont>

namespace platform {

// The forms' font, MS Sans Serif at the given size; where the desktop lacks
// it, its own sans-serif font at the same point size.
QFont formFont(double pointSize, bool bold);

} // namespace platform
