#include "main_window/Picture.h"

#include "engine/RuntimeError.h"
#include "main_window/AtomicFile.h"
#include "main_window/Form1.h"
#include "platform/PainterCanvas.h"
#include "plot/NearRangePlot.h"

#include <QLabel>
#include <QPageSize>
#include <QPainter>

namespace main_window {

namespace {

// A PDF measured in device-independent pixels: everything on it is vector
// or text, so the coordinates' resolution costs no sharpness.
constexpr int kPdfDotsPerInch = 96;
constexpr double kPointsPerPixel = 72.0 / kPdfDotsPerInch;

void renderLabels(const Form1& form, QPainter& painter) {
    for (QLabel* label : form.findChildren<QLabel*>())
        if (!label->isHidden())
            label->render(&painter, label->pos(), QRegion(),
                          QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

// The font at the pixel size it has on screen, so that it keeps its size on
// a page whose painter is scaled to the printer's resolution; without
// ligatures, so that the page's text reads as typed.
QFont onScreenSize(QFont font, const QWidget& widget) {
    font.setPixelSize(qRound(font.pointSizeF() * widget.logicalDpiY() / 72.0));
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The labels as text: their box, their colours, their caption.
void drawLabels(const Form1& form, QPainter& painter) {
    for (QLabel* label : form.findChildren<QLabel*>()) {
        if (label->isHidden())
            continue;
        const QPalette& palette = label->palette();
        painter.fillRect(label->geometry(), palette.color(QPalette::Window));
        painter.setPen(palette.color(QPalette::WindowText));
        painter.setFont(onScreenSize(label->font(), *label));
        painter.drawText(label->geometry(),
                         int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                         label->text());
    }
}

} // namespace

QImage Picture::image(const Form1& form) {
    QImage picture = form.surface().image().copy();
    QPainter painter(&picture);
    renderLabels(form, painter);
    return picture;
}

void Picture::paint(const Form1& form, QPainter& painter) {
    const platform::Surface& surface = form.surface();
    painter.fillRect(QRect(QPoint(0, 0), form.size()),
                     platform::toQColor(surface.backColor(), surface.palette()));
    if (form.plotShown()) {
        platform::PainterCanvas canvas(painter, surface.palette());
        engine::CalculationValues values = form.values();
        try {
            plot::NearRangePlot::draw(canvas, values);
        } catch (const engine::RuntimeError&) {
            // the window shows what was drawn before the error; so does the page
        }
    }
    painter.setFont(onScreenSize(surface.font(), form));
    painter.setPen(surface.palette().color(QPalette::Active, QPalette::WindowText));
    for (const auto& item : surface.printedText())
        painter.drawText(item.baseline, item.text);
    drawLabels(form, painter);
}

bool Picture::savePng(const Form1& form, const QString& path, QString* problem) {
    return AtomicFile::save(
        path, [&](QIODevice& file) { return image(form).save(&file, "PNG"); }, problem);
}

bool Picture::savePdf(const Form1& form, const QString& path, QString* problem) {
    return AtomicFile::savePdf(
        path, QPageSize(QSizeF(form.size()) * kPointsPerPixel, QPageSize::Point), kPdfDotsPerInch,
        QStringLiteral("Raggio limite"), [&](QPainter& painter) { paint(form, painter); }, problem);
}

} // namespace main_window
