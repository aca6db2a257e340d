#include "main_window/Sheet.h"

#include "engine/NumberFormat.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "main_window/AtomicFile.h"
#include "main_window/Picture.h"
#include "platform/PainterCanvas.h"
#include "plot/NearRangePlot.h"
#include "raster/Twips.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace main_window {

namespace {

constexpr int kPointsPerInch = 72;
constexpr double kMargin = 42.5; // points, 15 mm
constexpr int kTitleSize = 16;   // font sizes, points
constexpr int kHeadingSize = 11;
constexpr int kTextSize = 9;
constexpr double kLineSpacing = 1.35;  // baseline to baseline, in font sizes
constexpr double kSectionGap = 10.0;   // points
constexpr double kValueColumn = 150.0; // points from the margin
constexpr double kUsedColumn = 290.0;
// The plot's part of the window, in its pixels: both panels and their captions.
constexpr QRect kPlotArea(0, 0, 980, 470);
constexpr double kWindowDotsPerInch = 1440.0 / raster::kTwipsPerPixel; // twips: 1/1440 in
const QColor kInk(Qt::black);
const QColor kPaper(Qt::white);

QSizeF a4() {
    return QPageSize(QPageSize::A4).size(QPageSize::Point);
}

// One family for the whole sheet, whatever the desktop's fonts, so that the
// page is the same from the window and from the command line.
QFont sheetFont(int size, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(size); // in the painter's units, whatever the device
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferNoShaping); // no ligatures: the PDF's text reads as typed
    return font;
}

// Writes lines down the page, each under the last.
class Column {
  public:
    Column(QPainter& painter, double top) : painter_(painter), y_(top) {}

    void line(const QString& text, int size, bool bold = false) { cells({text}, size, bold); }
    // Texts at the margin and at the value columns.
    void cells(const QStringList& texts, int size, bool bold = false) {
        y_ += size * kLineSpacing;
        painter_.setFont(sheetFont(size, bold));
        const double left[] = {kMargin, kMargin + kValueColumn, kMargin + kUsedColumn};
        for (int i = 0; i < texts.size() && i < 3; ++i)
            painter_.drawText(QPointF(left[i], y_), texts[i]);
    }
    void gap(double points) { y_ += points; }
    double y() const { return y_; }

  private:
    QPainter& painter_;
    double y_;
};

QString typed(const QString& text) {
    return QStringLiteral("«%1»").arg(text);
}

void drawInputs(Column& column, const form::CompletedCalculation& done) {
    const engine::UsedValues used = engine::usedValues(done.calculation.values);
    const auto row = [&](const char* caption, const std::string& typedText,
                         const std::string& usedText) {
        column.cells({QString::fromUtf8(caption), typed(QString::fromStdString(typedText)),
                      QString::fromStdString(usedText).trimmed()},
                     kTextSize);
    };
    column.line(QStringLiteral("Dati del calcolo"), kHeadingSize, true);
    column.cells({QStringLiteral("Casella"), QStringLiteral("Testo immesso"),
                  QStringLiteral("Valore usato")},
                 kTextSize, true);
    row("Temperatura (°F)", done.temperature, used.temperature);
    row("Salinità  (pt x 1000)", done.salinity, used.salinity);
    row("Quota di calc. (ft)", done.depth, used.depth);
}

void drawReport(Column& column, const engine::Calculation& calculation) {
    column.line(QStringLiteral("Resoconto di «Calcolo»"), kHeadingSize, true);
    for (const std::string& line : engine::reportLines(calculation))
        column.line(QString::fromStdString(line), kTextSize);
}

QPalette sheetPalette() {
    QPalette palette;
    palette.setColor(QPalette::WindowText, kInk);
    palette.setColor(QPalette::Window, kPaper);
    return palette;
}

// Label1 to Label8 at their places, opaque as in the window. A caption in the
// window's own colour is ink on the sheet, whatever the desktop's colours; a
// coloured one keeps its colour.
void drawCaptions(const std::vector<Caption>& captions, QPainter& painter) {
    for (const Caption& caption : captions) {
        if (!caption.axis)
            continue;
        const QFont& font = caption.font;
        painter.setFont(sheetFont(qRound(font.pointSizeF() * kWindowDotsPerInch / kPointsPerInch),
                                  font.bold()));
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip |
                          (caption.wraps ? Qt::TextWordWrap : 0);
        painter.fillRect(painter.boundingRect(caption.box, flags, caption.text), kPaper);
        painter.setPen(caption.colour.value_or(kInk));
        painter.drawText(caption.box, flags, caption.text);
    }
}

// The plot as "Grafico" draws it after this calculation, in the window's
// pixels scaled to the page's width.
void drawPlot(const std::vector<Caption>& captions, const engine::Calculation& calculation,
              QPainter& painter, double top) {
    const double scale = (a4().width() - 2 * kMargin) / kPlotArea.width();
    painter.save();
    painter.translate(kMargin, top);
    painter.scale(scale, scale);
    painter.setClipRect(kPlotArea);
    platform::PainterCanvas canvas(painter, sheetPalette());
    engine::CalculationValues values = calculation.values;
    try {
        plot::NearRangePlot::draw(canvas, values);
    } catch (const engine::RuntimeError&) {
        // the window shows what was drawn before the error; so does the sheet
    }
    drawCaptions(captions, painter);
    painter.restore();
}

QString noCalculation() {
    return QStringLiteral("Nessun calcolo da mettere nella scheda: premere prima \"Calcolo\".");
}

} // namespace

void Sheet::paint(const form::CompletedCalculation& done, const std::vector<Caption>& captions,
                  QPainter& painter) {
    painter.fillRect(QRectF(QPointF(0, 0), a4()), kPaper);
    painter.setPen(kInk);
    Column column(painter, kMargin - kTitleSize);
    column.line(QStringLiteral("Raggio limite – scheda di calcolo"), kTitleSize, true);
    column.gap(kSectionGap / 2);
    column.line(QStringLiteral("Nome: ______________________________   Classe: ________   "
                               "Data: ______________"),
                kTextSize);
    column.gap(kSectionGap);
    drawInputs(column, done);
    column.gap(kSectionGap);
    drawReport(column, done.calculation);
    column.gap(kSectionGap);
    column.line(QStringLiteral("Grafico"), kHeadingSize, true);
    drawPlot(captions, done.calculation, painter, column.y() + kSectionGap);
}

bool Sheet::savePdf(const Calculation& done, const std::vector<Caption>& captions,
                    const QString& path, QString* problem) {
    if (!done) {
        *problem = noCalculation();
        return false;
    }
    return AtomicFile::savePdf(
        path, QPageSize(QPageSize::A4), kPointsPerInch,
        QStringLiteral("Raggio limite – scheda di calcolo"),
        [&](QPainter& painter) { paint(*done, captions, painter); }, problem);
}

bool Sheet::print(const Calculation& done, const std::vector<Caption>& captions, QPrinter& printer,
                  QString* problem) {
    if (!done) {
        *problem = noCalculation();
        return false;
    }
    printer.setFullPage(true); // the sheet keeps its own margins
    QPainter painter;
    if (!painter.begin(&printer)) {
        *problem = printingProblem(false);
        return false;
    }
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Point).size();
    const double fit =
        std::min({1.0, paper.width() / a4().width(), paper.height() / a4().height()});
    const double dotsPerPoint = double(printer.resolution()) / kPointsPerInch;
    painter.scale(dotsPerPoint * fit, dotsPerPoint * fit);
    paint(*done, captions, painter);
    return finishPrinting(painter, printer, problem);
}

} // namespace main_window
