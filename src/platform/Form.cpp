#include "platform/Form.h"

#include "platform/AccessibleInterfaces.h"
#include "platform/PrintedTextView.h"

#include <QPaintEvent>
#include <QPainter>

#include <exception>

namespace platform {

Form::Form(QSize clientSize, const QFont& printFont, ErrorReporter reporter, QWidget* parent)
    : QWidget(parent),
      surface_(std::make_unique<Surface>(clientSize, devicePixelRatioF(), palette(), printFont)),
      reportError_(std::move(reporter)) {
    installAccessibleInterfaces();
    setAttribute(Qt::WA_OpaquePaintEvent); // the picture covers every pixel
    printedText_ = new PrintedTextView(this, *surface_);
    resize(clientSize);
}

Form::~Form() = default;

void Form::setBackColor(raster::Colour colour) {
    surface_->setBackColor(colour);
    showChanges();
}

void Form::setErrorReporter(ErrorReporter reporter) {
    reportError_ = std::move(reporter);
}

void Form::reportError(const QString& message) {
    showChanges();
    reportError_(message);
}

void Form::runHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    }
    showChanges();
}

void Form::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal dpr = surface_->devicePixelRatio();
    const QRectF source(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr);
    painter.drawImage(QRectF(area), surface_->image(), source);
}

void Form::resizeEvent(QResizeEvent* event) {
    const auto revision = surface_->revision();
    surface_->ensureSize(size());
    printedText_->setGeometry(rect());
    surface_->takeChangedRect(); // a resize repaints the window anyway
    QWidget::resizeEvent(event);
    if (surface_->revision() != revision)
        emit pictureChanged();
}

bool Form::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // On another screen the picture is kept at the new ratio, to be drawn again.
    if (event->type() == QEvent::ScreenChangeInternal &&
        devicePixelRatioF() != surface_->devicePixelRatio()) {
        surface_->setDevicePixelRatio(devicePixelRatioF());
        update();
        emit pictureChanged();
        ratioChanged();
    }
    return handled;
}

void Form::showChanges() {
    const QRect changed = surface_->takeChangedRect();
    if (!changed.isEmpty())
        update(changed);
    if (surface_->revision() != shownRevision_) {
        shownRevision_ = surface_->revision();
        emit pictureChanged();
    }
    printedText_->refresh();
}

} // namespace platform
