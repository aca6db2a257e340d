#pragma once

struct FormVariables;

namespace platform {
class Canvas;
}

namespace plot {

// The whole plot drawn the plain way: every primitive in its order, every ray
// step computed in full. The fast painter must leave the same picture and
// the same values; this is what it is checked and timed against.
void drawReference(platform::Canvas& canvas, FormVariables& variables);

} // namespace plot
