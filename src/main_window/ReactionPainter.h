#pragma once

namespace form {
struct Reaction;
}

namespace platform {
class Surface;
}

namespace main_window {

// What the form's answer does to the window's picture, with or without the
// window: the picture cleared, its background painted, the report's lines
// printed after their indent. The plot's drawing is the caller's, which asks
// the form's state for it.
void paintReaction(platform::Surface& surface, const form::Reaction& reaction);

} // namespace main_window
