#include "main_window/Picture.h"

#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "main_window/AtomicFile.h"
#include "platform/PainterCanvas.h"
#include "platform/QtColours.h"
#include "platform/Surface.h"
#include "plot/NearRangePlot.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace main_window {

namespace {

// A PDF measured in device-independent pixels: everything on it is vector
// or text, so the coordinates' resolution costs no sharpness.
constexpr int kPdfDotsPerInch = 96;
constexpr double kPointsPerPixel = 72.0 / kPdfDotsPerInch;

enum class Output {
    Pixels, // as the screen shows them
    Text,   // for a PDF or a printer: without ligatures, so that the text reads as typed
};

// The font at the pixel size it has on screen, so that it keeps its size on
// an image or on a page whose painter is scaled to the printer's resolution.
QFont onScreenSize(QFont font, const WindowView& view, Output output) {
    font.setPixelSize(qRound(font.pointSizeF() * view.logicalDpi / 72.0));
    if (output == Output::Text)
        font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The shown captions as the window draws them: their box in their
// background, their text from the top left.
void drawCaptions(const WindowView& view, QPainter& painter, Output output) {
    for (const Caption& caption : view.captions) {
        if (!caption.shown)
            continue;
        painter.fillRect(caption.box, caption.background);
        painter.setPen(caption.colour.value_or(view.textColour));
        painter.setFont(onScreenSize(caption.font, view, output));
        painter.drawText(caption.box,
                         Qt::AlignLeft | Qt::AlignTop | (caption.wraps ? Qt::TextWordWrap : 0),
                         caption.text);
    }
}

} // namespace

QImage Picture::image(const WindowView& view) {
    QImage picture = view.surface.image().copy();
    QPainter painter(&picture);
    drawCaptions(view, painter, Output::Pixels);
    return picture;
}

QString Picture::text(const WindowView& view) {
    std::vector<std::string> lines;
    for (const QString& line : view.surface.lines())
        lines.push_back(line.toStdString());
    return QString::fromStdString(engine::reportText(lines));
}

void Picture::paint(const WindowView& view, QPainter& painter) {
    const platform::Surface& surface = view.surface;
    painter.fillRect(QRect(QPoint(0, 0), view.size),
                     platform::toQColor(surface.backColor(), surface.palette()));
    if (view.plotShown) {
        platform::PainterCanvas canvas(painter, surface.palette());
        engine::CalculationValues values = view.values;
        try {
            plot::NearRangePlot::draw(canvas, values);
        } catch (const engine::RuntimeError&) {
            // the window shows what was drawn before the error; so does the page
        }
    }
    painter.setFont(onScreenSize(surface.font(), view, Output::Text));
    painter.setPen(view.textColour);
    for (const auto& item : surface.printedText())
        painter.drawText(item.baseline, item.text);
    drawCaptions(view, painter, Output::Text);
}

bool Picture::savePng(const WindowView& view, const QString& path, QString* problem) {
    return AtomicFile::save(
        path, [&](QIODevice& file) { return image(view).save(&file, "PNG"); }, problem);
}

bool Picture::savePdf(const WindowView& view, const QString& path, QString* problem) {
    return AtomicFile::savePdf(
        path, QPageSize(QSizeF(view.size) * kPointsPerPixel, QPageSize::Point), kPdfDotsPerInch,
        QStringLiteral("Raggio limite"),
        [&](QPainter& painter, QPagedPaintDevice&) { paint(view, painter); }, problem);
}

bool Picture::print(const WindowView& view, QPrinter& printer, QString* problem) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        *problem = printingProblem(false);
        return false;
    }
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale =
        std::min(page.width() / view.size.width(), page.height() / view.size.height());
    painter.scale(scale, scale);
    paint(view, painter);
    return finishPrinting(painter, printer, problem);
}

bool finishPrinting(QPainter& painter, const QPrinter& printer, QString* problem) {
    bool whole = painter.end();
    if (whole && printer.outputFormat() == QPrinter::PdfFormat &&
        !printer.outputFileName().isEmpty()) {
        constexpr qint64 kTail = 64; // bytes: the trailer's end, "%%EOF", lies within them
        QFile file(printer.outputFileName());
        whole = file.open(QIODevice::ReadOnly) &&
                file.seek(std::max<qint64>(file.size() - kTail, 0)) &&
                file.read(kTail).contains("%%EOF");
    }
    if (!whole)
        *problem = printingProblem(true);
    return whole;
}

QString printingProblem(bool begun) {
    return begun ? QStringLiteral("Impossibile stampare: la stampa non è stata completata.")
                 : QStringLiteral("Impossibile stampare: la stampante non risponde.");
}

} // namespace main_window
