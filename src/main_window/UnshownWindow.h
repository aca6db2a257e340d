#pragma once

#include "form/FormState.h"
#include "main_window/WindowView.h"
#include "platform/Surface.h"

#include <string>
#include <string_view>

namespace main_window {

// The window's picture after the same clicks, made without a window: the
// form's state, a surface at a device pixel ratio, and the captions from the
// window's description. The command line saves it; it is what the window
// shows at that ratio, pixel for pixel.
class UnshownWindow {
  public:
    // The ratio as a window keeps it (form::keptRatio).
    explicit UnshownWindow(double devicePixelRatio);

    // "Calcolo" with the boxes' texts and "Grafico", each drawing what it
    // asks for; the message of the run-time error raised, or empty.
    std::string calcolo(std::string_view temperature, std::string_view salinity,
                        std::string_view depth);
    std::string grafico();

    const form::FormState& state() const { return state_; }
    // What the window would show now, to save as a PNG or a PDF page.
    WindowView view() const;

  private:
    std::string apply(const form::Reaction& reaction);

    form::FormState state_;
    platform::Surface surface_;
};

} // namespace main_window
