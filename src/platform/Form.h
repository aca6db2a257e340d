#pragma once

#include "platform/QtColours.h"
#include "platform/Surface.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace platform {

class PrintedTextView;

// The window of the forms runtime: a client area in twips with a persistent
// picture under its controls, and event handlers that report a run-time
// error and leave the window running.
class Form : public QWidget {
    Q_OBJECT

  public:
    using ErrorReporter = std::function<void(const QString& message)>;

    // reporter: where run-time errors go, until setErrorReporter replaces it.
    Form(QSize clientSize, const QFont& printFont, ErrorReporter reporter,
         QWidget* parent = nullptr);
    ~Form() override;

    Surface& surface() { return *surface_; }
    const Surface& surface() const { return *surface_; }
    // What the form has printed, as text for assistive technology.
    PrintedTextView& printedText() { return *printedText_; }

    void setBackColor(raster::Colour colour);
    raster::Colour backColor() const { return surface_->backColor(); }

    void setErrorReporter(ErrorReporter reporter);
    // Shows what changed so far, then the message.
    void reportError(const QString& message);

  signals:
    // The picture changed outside a drawing handler's own calls, or may need
    // drawing again: it grew, was cleared, or moved to another pixel ratio.
    void pictureChanged();

  protected:
    // Runs an event handler. An error it raises stops it where it arose; what
    // it did so far stays, and the error's what() is reported once.
    void runHandler(const std::function<void()>& handler);

    // On a screen of another pixel ratio, once the picture is kept scaled:
    // a form draws again there what it can.
    virtual void ratioChanged() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void showChanges();

    std::unique_ptr<Surface> surface_;
    PrintedTextView* printedText_ = nullptr;
    std::uint64_t shownRevision_ = 0;
    ErrorReporter reportError_;
};

} // namespace platform
