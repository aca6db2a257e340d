#pragma once

#include <QString>
#include <QWidget>

namespace platform {

class Surface;

// What a form has printed, as text that assistive technology can read line
// by line. It lies under the form's controls, draws nothing, takes neither
// the focus nor the mouse, and tells listeners when the text changes.
class PrintedTextView : public QWidget {
    Q_OBJECT

  public:
    PrintedTextView(QWidget* form, const Surface& surface);

    const Surface& surface() const { return surface_; }
    QString text() const { return text_; }
    // Takes the surface's lines as the new text; sends a text update if it changed.
    void refresh();

  private:
    const Surface& surface_;
    QString text_;
};

} // namespace platform
