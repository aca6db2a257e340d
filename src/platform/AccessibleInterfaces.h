#pragma once

namespace platform {

// The accessible faces of the runtime's own widgets: a form is a window, a
// printed-text view is readable text, an accessible area has its role; and
// the gate that keeps a text box's first focus audible (AccessibleCaretGate).
// Installs them once; call it after the application object exists.
void installAccessibleInterfaces();

} // namespace platform
