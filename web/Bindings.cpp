// What the page's JavaScript calls: the window's description, the form's
// click rules, the calculation and the plot, with plain C types. Texts
// cross as UTF-8; what a call has to say waits in JSON for the page to read.
#include "Json.h"

#include "engine/Numeric.h"
#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "form/FormDescription.h"
#include "form/FormState.h"
#include "plot/NearRangePlot.h"
#include "raster/PixelCanvas.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// The desktop's colours as the window resolves them: both backgrounds (menu,
// button face) are this grey, drawing without a colour is black.
constexpr raster::Rgb kFaceGrey = 0xFFEFEFEFu;
constexpr raster::Rgb kBlack = 0xFF000000u;

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
    Picture sheet;                      // the plot of the last completed calculation, for the sheet
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
    const auto inOrder = [order](raster::Rgb pixel) {
        return order == raster::Palette::Order::Argb ? pixel : raster::toRgbaBytes(pixel);
    };
    raster::Palette colours;
    colours.order = order;
    colours.foreground = inOrder(kBlack);
    colours.system.fill(inOrder(kFaceGrey));
    return colours;
}

// On the sheet the plot is ink on paper, as `raggio-limite scheda` draws it.
raster::Palette paper() {
    raster::Palette colours = palette(raster::Palette::Order::RgbaBytes);
    colours.system.fill(raster::toRgbaBytes(0xFFFFFFFFu));
    return colours;
}

const char* timerWord(form::Reaction::Timer timer) {
    const char* words[] = {"resta", "avvia", "ferma", "riposa"};
    static_assert(int(form::Reaction::Timer::Rest) == 3);
    return words[int(timer)];
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

std::string reaction(const form::Reaction& r) {
    const auto maybe = [](const std::optional<bool>& b) {
        return b ? std::string(*b ? "true" : "false") : std::string("null");
    };
    Json json;
    json.add("timer", timerWord(r.timer))
        .add("pulisci", r.clearPicture)
        .raw("sfondo", r.backColour ? Json::quoted(css(*r.backColour)) : "null")
        .raw("assi", maybe(r.axisCaptionsShown))
        .raw("grafico", maybe(r.chartShown))
        .add("sommario", r.chartSummary)
        .raw("resoconto", r.report.empty() ? "null" : Json::quoted(engine::reportText(r.report)))
        .add("disegna", r.draw)
        .add("annuncio", r.announcement)
        .add("errore", r.error);
    return json.str();
}

const char* answer(std::string json) {
    page().text = std::move(json);
    return page().text.c_str();
}

// A ratio as Qt keeps a window's: in whole 65536ths, cut down, so that the
// page draws at any ratio the pixels that the window draws there.
double asQtKeepsIt(double ratio) {
    constexpr double kSteps = 65536.0;
    return std::floor(ratio * kSteps) / kSteps;
}

// A cleared picture at the ratio, in the plot's background colour. At the
// ratio it has, the picture is cleared where it is, as the window clears its
// own: a new one would cost "Grafico" an allocation and a second pass.
void clear(Picture& picture, double ratio,
           const raster::Palette& colours = palette(raster::Palette::Order::RgbaBytes)) {
    const double kept = asQtKeepsIt(ratio);
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
    return which == 0 ? page().plot : page().sheet;
}

// The sheet of the last completed calculation: the boxes as typed and the
// values used, and the report; its plot goes to the sheet's picture.
std::string sheet(const form::CompletedCalculation& done, double ratio) {
    clear(page().sheet, ratio, paper());
    engine::CalculationValues values = done.calculation.values;
    try {
        plot::NearRangePlot::draw(*page().sheet.canvas, values);
    } catch (const engine::RuntimeError&) {
        // the window shows what was drawn before the error; so does the sheet
    }
    const engine::UsedValues used = engine::usedValues(done.calculation.values);
    const std::pair<std::string_view, std::string> rows[] = {
        {form::kInputBoxes[0], used.temperature},
        {form::kInputBoxes[1], used.salinity},
        {form::kInputBoxes[2], used.depth},
    };
    const std::string* typed[] = {&done.temperature, &done.salinity, &done.depth};
    std::string boxes = "[";
    for (std::size_t i = 0; i < std::size(rows); ++i)
        boxes += (i > 0 ? "," : "") +
                 Json()
                     .add("casella", form::control(form::control(rows[i].first).container).caption)
                     .add("testo", *typed[i])
                     .add("usato", rows[i].second)
                     .str();
    return Json()
        .raw("dati", boxes + "]")
        .add("resoconto", engine::reportText(engine::reportLines(done.calculation)))
        .str();
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
    takeChangedRows(p.plot);
    p.drawingTimer = r.timer;
    return r == form::Reaction{.timer = r.timer} ? nullptr : answer(reaction(r));
}

EMSCRIPTEN_KEEPALIVE const char* rl_timer() {
    return timerWord(page().drawingTimer);
}

// The picture's size on screen changed: it starts again at the new ratio.
EMSCRIPTEN_KEEPALIVE void rl_rapporto(double ratio) {
    clear(page().plot, ratio);
}

// The text of a box: what to tell the user when it is not read whole, or "".
EMSCRIPTEN_KEEPALIVE const char* rl_avviso(const char* text) {
    return answer(Json::quoted(engine::readingNotice(text)));
}

// The sheet of the last completed "Calcolo", its plot drawn at the ratio
// into picture 1; null before one.
EMSCRIPTEN_KEEPALIVE const char* rl_scheda(double ratio) {
    const std::optional<form::CompletedCalculation>& done = page().state.lastCalculation();
    return answer(done ? sheet(*done, ratio) : "null");
}

// Picture 0, the window's plot, or 1, the sheet's: its pixels as the bytes
// of an ImageData, and the rows of it that its canvas lacks.
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
