#include "main_window/UnshownWindow.h"

#include "form/FormDescription.h"
#include "main_window/Captions.h"
#include "main_window/ReactionPainter.h"
#include "platform/QtGeometry.h"

#include <QGuiApplication>
#include <QScreen>

namespace main_window {

namespace {

QSize clientSize() {
    return platform::toQRect(form::clientArea()).size();
}

} // namespace

UnshownWindow::UnshownWindow(double devicePixelRatio)
    : surface_(clientSize(), form::keptRatio(devicePixelRatio), QGuiApplication::palette(),
               fontOf(form::kReportFont)) {
    apply(state_.start());
}

std::string UnshownWindow::calcolo(std::string_view temperature, std::string_view salinity,
                                   std::string_view depth) {
    return apply(state_.calcolo(temperature, salinity, depth));
}

std::string UnshownWindow::grafico() {
    return apply(state_.grafico());
}

std::string UnshownWindow::apply(const form::Reaction& reaction) {
    paintReaction(surface_, reaction);
    if (reaction.draw)
        return apply(state_.draw(surface_.canvas()));
    return reaction.error;
}

WindowView UnshownWindow::view() const {
    const QPalette& palette = surface_.palette();
    return {surface_,
            clientSize(),
            state_.plotShown(),
            state_.values(),
            palette.color(QPalette::Active, QPalette::WindowText),
            qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()),
            captionsOf(palette, state_.plotShown())};
}

} // namespace main_window
