#pragma once

class QObject;

namespace platform {

// The accessible faces of the runtime's own widgets: a form is a window, a
// printed-text view is readable text, an accessible area has its role.
// Installs them once; call it after the application object exists.
void installAccessibleInterfaces();

// Forgets the interface that a screen reader may have made for a widget
// while only its QWidget base existed, so that the next one has its real face.
void renewAccessibleInterface(QObject* object);

} // namespace platform
