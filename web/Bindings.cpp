// What the page's JavaScript calls: the window's description, the form's
// click rules, the calculation and the plot, with plain C types. Texts
// cross as UTF-8; what a call has to say waits in JSON for the page to read.
#include "Json.h"

#include "engine/Numeric.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "form/CalculationSheet.h"
#include "form/FormDescription.h"
#include "form/FormState.h"
#include "plot/NearRangePlot.h"
#include "plot/PlotFrame.h"
#include "raster/PixelCanvas.h"
#include "raster/Twips.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace {

// A picture drawn here, in the bytes of the browser's ImageData, and what
// its canvas shows, so that only the rows that changed go to the canvas.
struct Picture {
    std::unique_ptr<raster::PixelCanvas> canvas;
    std::vector<raster::Rgb>
        shown;            // the plot's canvas's pixels; 0, drawn by nothing, where unknown
    int firstChanged = 0; // the rows that changed in the last drawing
    int changedRows = 0;
};

struct Page {
    form::FormState state;
    Picture plot;                       // what the window shows
    std::vector<Picture> papers;        // the plots of the last document, for paper
    std::string text;                   // the last answer, as JSON
    form::Reaction::Timer drawingTimer; // what the last drawing does with the timer
};

Page& page() {
    static Page instance;
    return instance;
}

// The desktop's colours, as the style sheet takes them or, for the
// pictures, in the bytes of the browser's ImageData.
raster::Palette palette(raster::Palette::Order order = raster::Palette::Order::Argb) {
    raster::Palette colours = form::plainDesktopColours();
    if (order == raster::Palette::Order::RgbaBytes) {
        colours.order = order;
        colours.foreground = raster::toRgbaBytes(colours.foreground);
        for (raster::Rgb& colour : colours.system)
            colour = raster::toRgbaBytes(colour);
    }
    return colours;
}

// On paper the plot is ink on paper, as `raggio-limite scheda` draws it.
raster::Palette paper() {
    raster::Palette colours = palette(raster::Palette::Order::RgbaBytes);
    colours.system.fill(raster::toRgbaBytes(form::kPlainPaper));
    return colours;
}

std::string css(raster::Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", unsigned(palette().resolve(colour) & 0xFFFFFFu));
    return text;
}

const char* kindName(form::ControlKind kind) {
    switch (kind) {
    case form::ControlKind::Frame:
        return "cornice";
    case form::ControlKind::TextBox:
        return "casella";
    case form::ControlKind::CommandButton:
        return "pulsante";
    case form::ControlKind::Label:
        break;
    }
    return "didascalia";
}

std::string rect(const raster::TwipRect& twips) {
    const raster::Rect r = twips.toPixels();
    return Json().add("x", r.left).add("y", r.top).add("w", r.width).add("h", r.height).str();
}

std::string area(const form::AreaDesign& design) {
    return Json().add("nome", design.name).add("descrizione", design.description).str();
}

std::string control(const form::ControlDesign& c) {
    Json json;
    json.add("nome", c.name)
        .add("tipo", kindName(c.kind))
        .add("dentro", c.container)
        .add("testo", c.caption)
        .raw("posto", rect(c.rect))
        .add("pixelFont", c.font.points * 96.0 / 72.0)
        .add("grassetto", c.font.bold)
        .raw("colore", c.colour ? Json::quoted(css(*c.colour)) : "null")
        .add("adatta", c.sizing == form::LabelSizing::Auto)
        .add("aCapo", c.sizing == form::LabelSizing::Wrap)
        .add("nomeAccessibile", form::accessibleName(c))
        .add("descrizione", c.description)
        .add("asse", c.axisCaption);
    return json.str();
}

std::string maybe(const std::optional<bool>& b) {
    return b ? std::string(*b ? "true" : "false") : std::string("null");
}

std::string reaction(const form::Reaction& r) {
    const std::optional<form::TimerState> timer = form::timerAfter(r.timer);
    Json json;
    json.raw("timer", timer
                          ? Json().add("acceso", timer->running).add("riposa", timer->resting).str()
                          : "null")
        .add("pulisci", r.clearPicture)
        .raw("sfondo", r.backColour ? Json::quoted(css(*r.backColour)) : "null")
        .raw("assi", maybe(r.axisCaptionsShown))
        .raw("grafico", maybe(r.chartShown))
        .add("sommario", r.chartSummary)
        .raw("resoconto", r.report.empty() ? "null" : Json::quoted(engine::reportText(r.report)))
        .add("disegna", r.draw)
        .add("annuncio", r.announcement)
        .add("errore", r.error)
        .raw("offerte", Json()
                            .add("testo", r.offers.copyReport)
                            .add("grafico", r.offers.savePlot)
                            .add("scheda", r.offers.sheet)
                            .str());
    return json.str();
}

const char* answer(std::string json) {
    page().text = std::move(json);
    return page().text.c_str();
}

// A cleared picture at the ratio, in the plot's background colour. At the
// ratio it has, the picture is cleared where it is, as the window clears its
// own: a new one would cost "Grafico" an allocation and a second pass.
void clear(Picture& picture, double ratio,
           const raster::Palette& colours = palette(raster::Palette::Order::RgbaBytes)) {
    const double kept = form::keptRatio(ratio);
    if (!picture.canvas || picture.canvas->mapping().devicePixelRatio() != kept) {
        const raster::Rect client = form::clientArea().toPixels();
        picture.canvas = std::make_unique<raster::PixelCanvas>(
            raster::Size{client.width, client.height}, kept, colours);
    }
    picture.canvas->fill(form::kPlotBackColour);
}

// Whether two rows of pixels are the same, two pixels at a time: the C
// library's memcmp here goes a byte at a time.
bool sameRow(const raster::Rgb* a, const raster::Rgb* b, std::size_t width) {
    std::uint64_t differences = 0;
    std::size_t x = 0;
    for (; x + 2 <= width; x += 2) {
        std::uint64_t pairA = 0, pairB = 0;
        std::memcpy(&pairA, a + x, sizeof pairA);
        std::memcpy(&pairB, b + x, sizeof pairB);
        differences |= pairA ^ pairB;
    }
    for (; x < width; ++x)
        differences |= a[x] ^ b[x];
    return differences == 0;
}

// Of the device rows first..last, those that differ from what the canvas
// shows, which then shows them: the first and how many, to the last that differs.
void takeChangedRows(Picture& picture, int first, int last) {
    const raster::PixelBuffer& buffer = picture.canvas->buffer();
    const auto width = std::size_t(buffer.width);
    const std::size_t pixels = width * std::size_t(buffer.height);
    if (picture.shown.size() != pixels) // a canvas of another size, which shows nothing yet
        picture.shown.assign(pixels, 0);
    picture.changedRows = 0;
    for (int y = std::max(first, 0); y <= std::min(last, buffer.height - 1); ++y) {
        const raster::Rgb* drawn = buffer.row(y);
        raster::Rgb* shown = picture.shown.data() + std::size_t(y) * width;
        if (sameRow(drawn, shown, width))
            continue;
        std::copy(drawn, drawn + width, shown);
        picture.firstChanged = picture.changedRows == 0 ? y : picture.firstChanged;
        picture.changedRows = y - picture.firstChanged + 1;
    }
}

// The rows that a drawing changed and the canvas lacks, looked for where the
// drawing changed pixels.
void takeChangedRows(Picture& picture) {
    const raster::Rect changed = picture.canvas->takeChanged();
    const double ratio = picture.canvas->mapping().devicePixelRatio();
    picture.changedRows = 0;
    if (!changed.isEmpty())
        takeChangedRows(picture, int(std::floor(changed.top * ratio)),
                        int(std::ceil((changed.top + changed.height) * ratio)) - 1);
}

Picture& picture(int which) {
    return which == 0 ? page().plot : page().papers.at(std::size_t(which - 1));
}

std::string strings(const std::vector<std::string>& texts) {
    std::string json = "[";
    for (const std::string& t : texts)
        json += (json.size() > 1 ? "," : "") + Json::quoted(t);
    return json + "]";
}

template <typename Items, typename Write> std::string array(const Items& items, Write write) {
    std::string json = "[";
    for (const auto& item : items)
        json += (json.size() > 1 ? "," : "") + write(item);
    return json + "]";
}

// Each block of a document as the page reads it: its kind and what it holds.
struct BlockJson {
    double ratio; // the plots' pictures', for paper

    std::string operator()(const form::Title& b) const {
        return kind("titolo").add("testo", b.text).str();
    }
    std::string operator()(const form::Heading& b) const {
        return kind("intestazione").add("testo", b.text).str();
    }
    std::string operator()(const form::FieldLines& b) const {
        return kind("campi")
            .raw(
                "campi",
                array(
                    b.fields,
                    [](const form::Field& f) {
                        return Json().add("didascalia", f.caption).add("lunghezza", f.length).str();
                    }))
            .str();
    }
    std::string operator()(const form::Table& b) const {
        return kind("tabella")
            .raw("colonne", array(b.columnStarts, Json::number))
            .raw("intestazione", strings(b.header))
            .raw("righe", array(b.rows, strings))
            .str();
    }
    std::string operator()(const form::ReportLines& b) const {
        return kind("resoconto").raw("righe", strings(b.lines)).str();
    }
    std::string operator()(const form::AnswerSpaces& b) const {
        return kind("risposte")
            .raw("spazi",
                 array(b.spaces,
                       [](const form::AnswerSpace& a) {
                           return Json().add("etichetta", a.label).add("unita", a.unit).str();
                       }))
            .str();
    }
    // Drawn at the ratio into the next of the papers' pictures, which the block names.
    std::string operator()(const form::Plot& b) const {
        Picture& drawn = page().papers.emplace_back();
        clear(drawn, ratio, paper());
        engine::CalculationValues values = b.values;
        try {
            plot::NearRangePlot::draw(*drawn.canvas, values);
        } catch (const engine::RuntimeError&) {
            // the window shows what was drawn before the error; so does the paper
        }
        drawn.firstChanged = 0; // a new canvas, which lacks every row
        drawn.changedRows = drawn.canvas->buffer().height;
        return kind("grafico")
            .add("immagine", int(page().papers.size()))
            .raw("area", rect(b.area))
            .raw("didascalie", array(b.captions, control))
            .str();
    }
    std::string operator()(const form::Message& b) const {
        return kind("messaggio").add("testo", b.text).str();
    }

    static Json kind(const char* name) {
        Json json;
        json.add("tipo", name);
        return json;
    }
};

std::string document(const form::Document& d, double ratio) {
    page().papers.clear();
    const form::PaperBox& box = form::kAnyPaper;
    return Json()
        .add("nome", d.name)
        .raw("carta", Json()
                          .add("larghezza", box.width)
                          .add("altezza", box.height)
                          .add("margine", box.margin)
                          .str())
        .raw("pagine", array(d.pages,
                             [&](const form::Page& p) {
                                 return Json()
                                     .raw("blocchi", array(p.blocks,
                                                           [&](const form::Block& b) {
                                                               return std::visit(BlockJson{ratio},
                                                                                 b);
                                                           }))
                                     .str();
                             }))
        .str();
}

// A point of the plot in the window's pixels; null off the range axis.
std::string plotPoint(std::int16_t rangeYd, double depthFt) {
    constexpr double kPixel = raster::kTwipsPerPixel;
    try {
        return Json()
            .add("x", double(plot::rangeX(rangeYd)) / kPixel)
            .add("y", double(plot::depthY(depthFt)) / kPixel)
            .str();
    } catch (const engine::RuntimeError&) {
        return "null";
    }
}

} // namespace

extern "C" {

// The window as designed: its controls, its areas and its settings.
EMSCRIPTEN_KEEPALIVE const char* rl_descrizione() {
    std::string controls = "[";
    for (const form::ControlDesign& c : form::controls())
        controls += (controls.size() > 1 ? "," : "") + control(c);
    const raster::Rect client = form::clientArea().toPixels();
    return answer(Json()
                      .add("titolo", form::kWindowTitle)
                      .add("nome", form::kWindowName)
                      .add("larghezza", client.width)
                      .add("altezza", client.height)
                      .add("tickMs", form::kTickIntervalMs)
                      .add("pixelFontResoconto", form::kReportFont.points * 96.0 / 72.0)
                      .add("sfondo", css(form::kStartBackColour))
                      .add("sfondoDidascalie", css(form::kCaptionBackColour))
                      .raw("avvio", reaction(page().state.start()))
                      .raw("resoconto", area(form::kReport))
                      .raw("grafico", area(form::kChart))
                      .raw("areaGrafico", rect(form::chartArea()))
                      .raw("avviso", area(form::kNotice))
                      .raw("controlli", controls + "]")
                      .str());
}

// "Calcolo" with the three boxes' texts: what the page does next.
EMSCRIPTEN_KEEPALIVE const char* rl_calcolo(const char* temperature, const char* salinity,
                                            const char* depth) {
    return answer(reaction(page().state.calcolo(temperature, salinity, depth)));
}

// "Grafico", on a cleared picture at the ratio: what the page does next.
EMSCRIPTEN_KEEPALIVE const char* rl_grafico(double ratio) {
    clear(page().plot, ratio);
    return answer(reaction(page().state.grafico()));
}

// One drawing of the plot, after "Grafico" and on each tick: the JSON of
// what the page does next where there is more to it than the timer's word
// (the first drawing's words, an error), else null and the word waits at
// rl_timer(). The rows that changed wait at rl_prima_riga(0) and rl_righe(0).
EMSCRIPTEN_KEEPALIVE const char* rl_disegna() {
    Page& p = page();
    const form::Reaction r = p.state.draw(*p.plot.canvas);
    if (r.copyPicture)
        takeChangedRows(p.plot);
    else // resting: the canvas already shows it
        p.plot.changedRows = 0;
    p.drawingTimer = r.timer;
    const form::Reaction plainTick{
        .timer = r.timer, .copyPicture = r.copyPicture, .offers = r.offers};
    return r == plainTick ? nullptr : answer(reaction(r));
}

// The timer after the last drawing, for a tick with nothing else to say:
// 0 keeps it, 1 stops it, 2 runs it, 3 rests it until the picture changes.
EMSCRIPTEN_KEEPALIVE int rl_timer() {
    const std::optional<form::TimerState> timer = form::timerAfter(page().drawingTimer);
    return !timer ? 0 : !timer->running ? 1 : timer->resting ? 3 : 2;
}

// The picture's size on screen changed: it starts again at the new ratio.
EMSCRIPTEN_KEEPALIVE void rl_rapporto(double ratio) {
    clear(page().plot, ratio);
}

// The text of a box: what to tell the user when it is not read whole, or "".
EMSCRIPTEN_KEEPALIVE const char* rl_avviso(const char* text) {
    return answer(Json::quoted(engine::readingNotice(text)));
}

// The calculation sheet of the last completed "Calcolo" (or the message that
// there is none), as a document whose plots are drawn at the ratio into the
// pictures from 1 on.
EMSCRIPTEN_KEEPALIVE const char* rl_scheda(double ratio) {
    return answer(document(form::calculationSheet(page().state.lastCalculation()), ratio));
}

// Where the plot puts the calculated point and the ray's end at the surface,
// as its last drawing left them, for the page to show them on a phone.
EMSCRIPTEN_KEEPALIVE const char* rl_punti() {
    const engine::CalculationValues& v = page().state.values();
    return answer(
        Json().raw("punto", plotPoint(v.Spunto, v.Dpunto)).raw("fine", plotPoint(v.S, 0.0)).str());
}

// Picture 0, the window's plot, or from 1 on, the last document's plots: its
// pixels as the bytes of an ImageData, and the rows of it that its canvas lacks.
EMSCRIPTEN_KEEPALIVE const raster::Rgb* rl_pixel(int which) {
    return picture(which).canvas->buffer().pixels;
}
EMSCRIPTEN_KEEPALIVE int rl_prima_riga(int which) {
    return picture(which).firstChanged;
}
EMSCRIPTEN_KEEPALIVE int rl_righe(int which) {
    return picture(which).changedRows;
}
EMSCRIPTEN_KEEPALIVE int rl_larghezza(int which) {
    return picture(which).canvas->buffer().width;
}
EMSCRIPTEN_KEEPALIVE int rl_altezza(int which) {
    return picture(which).canvas->buffer().height;
}

} // extern "C"
