#include "main_window/PrintedDocument.h"

#include "engine/RuntimeError.h"
#include "main_window/AtomicFile.h"
#include "main_window/Picture.h"
#include "platform/PainterCanvas.h"
#include "platform/QtColours.h"
#include "platform/QtGeometry.h"
#include "plot/NearRangePlot.h"
#include "raster/Twips.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace main_window {

namespace {

constexpr int kTitleSize = 16; // font sizes, points
constexpr int kHeadingSize = 11;
constexpr int kTextSize = 9;
constexpr int kReportSize = 8;          // monospaced: the longest report line fits the width
constexpr double kLineSpacing = 1.35;   // baseline to baseline, in font sizes of the text
constexpr double kSectionGap = 10.0;    // points
constexpr double kAnswerLines = 2.5;    // an answer's row, in text lines: room to write
constexpr double kAnswerColumn = 150.0; // points from the margin: where its line begins
constexpr double kAnswerLength = 140.0; // points: its line
constexpr double kUnitGap = 4.0;        // points between the line and the unit
constexpr auto kFieldGap = "   ";       // between the fields of a line
constexpr double kWindowDotsPerInch = 1440.0 / raster::kTwipsPerPixel; // twips: 1/1440 in
const QColor kInk(Qt::black);
const QColor kPaper(Qt::white);
const form::PaperBox& kBox = form::kAnyPaper;

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// One family for every document, whatever the desktop's fonts, so that a
// page is the same from the window and from the command line.
QFont documentFont(int size, bool bold, bool monospaced = false) {
    QFont font(monospaced ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(monospaced ? QFont::Monospace : QFont::SansSerif);
    font.setPixelSize(size); // in the painter's units, whatever the device
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferNoShaping); // no ligatures: the PDF's text reads as typed
    return font;
}

QPalette paperPalette() {
    QPalette palette;
    palette.setColor(QPalette::WindowText, kInk);
    palette.setColor(QPalette::Window, kPaper);
    return palette;
}

// Writes a page's blocks down the page, each under the last.
class PageWriter {
  public:
    explicit PageWriter(QPainter& painter) : painter_(painter) {}

    void operator()(const form::Title& title) {
        line(text(title.text), kTitleSize, true);
        y_ += kSectionGap / 2;
    }
    void operator()(const form::Heading& heading) {
        y_ += kSectionGap;
        line(text(heading.text), kHeadingSize, true);
    }
    void operator()(const form::FieldLines& fields) {
        QStringList parts;
        for (const form::Field& field : fields.fields)
            parts << text(field.caption) + QStringLiteral(": ") +
                         QString(field.length, QLatin1Char('_'));
        line(parts.join(QLatin1String(kFieldGap)), kTextSize);
    }
    void operator()(const form::Table& table) {
        cells(table.columnStarts, table.header, true);
        for (const std::vector<std::string>& row : table.rows)
            cells(table.columnStarts, row, false);
    }
    void operator()(const form::ReportLines& report) {
        for (const std::string& reportLine : report.lines) {
            y_ += kReportSize * kLineSpacing;
            painter_.setFont(documentFont(kReportSize, false, true));
            painter_.drawText(QPointF(kBox.margin, y_), text(reportLine));
        }
    }
    void operator()(const form::AnswerSpaces& answers) {
        const double left = kBox.margin + kAnswerColumn;
        for (const form::AnswerSpace& space : answers.spaces) {
            y_ += kTextSize * kLineSpacing * kAnswerLines;
            painter_.setFont(documentFont(kTextSize, false));
            painter_.drawText(QPointF(kBox.margin, y_), text(space.label));
            painter_.drawLine(QPointF(left, y_), QPointF(left + kAnswerLength, y_));
            painter_.drawText(QPointF(left + kAnswerLength + kUnitGap, y_), text(space.unit));
        }
    }
    void operator()(const form::Plot& plot) {
        y_ += kSectionGap;
        y_ += drawPlot(plot);
    }
    void operator()(const form::Message& message) { line(text(message.text), kTextSize); }

  private:
    void line(const QString& words, int size, bool bold = false) {
        y_ += size * kLineSpacing;
        painter_.setFont(documentFont(size, bold));
        painter_.drawText(QPointF(kBox.margin, y_), words);
    }
    void cells(const std::vector<double>& starts, const std::vector<std::string>& texts,
               bool bold) {
        y_ += kTextSize * kLineSpacing;
        painter_.setFont(documentFont(kTextSize, bold));
        for (std::size_t i = 0; i < texts.size() && i < starts.size(); ++i)
            painter_.drawText(QPointF(kBox.margin + starts[i], y_), text(texts[i]));
    }

    // The plot as "Grafico" draws it, in the window's pixels scaled to the
    // width between the margins; how tall it is on the page.
    double drawPlot(const form::Plot& plot) {
        const QRect area = platform::toQRect(plot.area);
        const double scale = kBox.textWidth() / area.width();
        painter_.save();
        painter_.translate(kBox.margin, y_);
        painter_.scale(scale, scale);
        painter_.translate(-area.topLeft());
        painter_.save();
        painter_.setClipRect(area); // a ray beyond the range axis stops at the area's edge
        platform::PainterCanvas canvas(painter_, paperPalette());
        engine::CalculationValues values = plot.values;
        try {
            plot::NearRangePlot::draw(canvas, values);
        } catch (const engine::RuntimeError&) {
            // the window shows what was drawn before the error; so does the paper
        }
        painter_.restore();
        // Whole, as the window sizes its captions to their text.
        for (const form::ControlDesign& caption : plot.captions)
            drawCaption(caption);
        painter_.restore();
        return area.height() * scale;
    }

    // A caption at its place, opaque as in the window. A caption in the
    // window's own colour is ink on paper, whatever the desktop's colours; a
    // coloured one keeps its colour.
    void drawCaption(const form::ControlDesign& caption) {
        painter_.setFont(
            documentFont(qRound(caption.font.points * kWindowDotsPerInch / form::kPointsPerInch),
                         caption.font.bold));
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip |
                          (caption.sizing == form::LabelSizing::Wrap ? Qt::TextWordWrap : 0);
        const QRect box = platform::toQRect(caption.rect);
        const QString words = text(caption.caption);
        painter_.fillRect(painter_.boundingRect(box, flags, words), kPaper);
        painter_.setPen(caption.colour ? platform::toQColor(*caption.colour, paperPalette())
                                       : kInk);
        painter_.drawText(box, flags, words);
        painter_.setPen(kInk);
    }

    QPainter& painter_;
    double y_ = kBox.margin - kTitleSize; // a title's capitals come down to the margin
};

void paintPages(const form::Document& document, QPainter& painter, QPagedPaintDevice& pages) {
    for (std::size_t i = 0; i < document.pages.size(); ++i) {
        if (i > 0)
            pages.newPage();
        PrintedDocument::paint(document.pages[i], painter);
    }
}

} // namespace

void PrintedDocument::paint(const form::Page& page, QPainter& painter) {
    painter.fillRect(painter.worldTransform().inverted().mapRect(QRectF(painter.window())), kPaper);
    painter.setPen(kInk);
    PageWriter writer(painter);
    for (const form::Block& block : page.blocks)
        std::visit(writer, block);
}

bool PrintedDocument::savePdf(const form::Document& document, const QString& path,
                              QString* problem) {
    return AtomicFile::savePdf(
        path, QPageSize(QPageSize::A4), int(form::kPointsPerInch), text(document.name),
        [&](QPainter& painter, QPagedPaintDevice& pages) { paintPages(document, painter, pages); },
        problem);
}

bool PrintedDocument::print(const form::Document& document, QPrinter& printer, QString* problem) {
    printer.setFullPage(true); // a page keeps its own margins
    QPainter painter;
    if (!painter.begin(&printer)) {
        *problem = printingProblem(false);
        return false;
    }
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Point).size();
    const double fit = std::min({1.0, paper.width() / kBox.width, paper.height() / kBox.height});
    const double dotsPerPoint = double(printer.resolution()) / form::kPointsPerInch;
    painter.scale(dotsPerPoint * fit, dotsPerPoint * fit);
    paintPages(document, painter, printer);
    return finishPrinting(painter, printer, problem);
}

} // namespace main_window
