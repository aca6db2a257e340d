// What the page's JavaScript calls: the window's description, the form's
// click rules, the calculation and the plot, with plain C types. Texts
// cross as UTF-8; what a call has to say waits in JSON for the page to read.
#include "Json.h"

#include "engine/Report.h"
#include "form/FormDescription.h"
#include "form/FormState.h"
#include "raster/PixelCanvas.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

// The desktop's colours as the window resolves them: both backgrounds (menu,
// button face) are this grey, drawing without a colour is black.
constexpr raster::Rgb kFaceGrey = 0xFFEFEFEFu;
constexpr raster::Rgb kBlack = 0xFF000000u;

struct Page {
    form::FormState state;
    std::unique_ptr<raster::PixelCanvas> canvas;
    std::vector<std::uint32_t> rgba; // the canvas's pixels as the browser's ImageData bytes
    std::string text;                // the last answer, as JSON
};

Page& page() {
    static Page instance;
    return instance;
}

raster::Palette palette() {
    raster::Palette colours;
    colours.foreground = kBlack;
    colours.system.fill(kFaceGrey);
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

std::string reaction(const form::Reaction& r) {
    using Timer = form::Reaction::Timer;
    const char* timers[] = {"resta", "avvia", "ferma", "riposa"};
    const auto maybe = [](const std::optional<bool>& b) {
        return b ? std::string(*b ? "true" : "false") : std::string("null");
    };
    Json json;
    json.add("timer", timers[int(r.timer)])
        .add("pulisci", r.clearPicture)
        .raw("sfondo", r.backColour ? Json::quoted(css(*r.backColour)) : "null")
        .raw("assi", maybe(r.axisCaptionsShown))
        .raw("grafico", maybe(r.chartShown))
        .add("sommario", r.chartSummary)
        .raw("resoconto", r.report.empty() ? "null" : Json::quoted(engine::reportText(r.report)))
        .add("disegna", r.draw)
        .add("annuncio", r.announcement)
        .add("errore", r.error);
    static_assert(int(Timer::Rest) == 3);
    return json.str();
}

const char* answer(std::string json) {
    page().text = std::move(json);
    return page().text.c_str();
}

// A fresh picture at the ratio, in the plot's background colour.
void newCanvas(double ratio) {
    Page& p = page();
    const raster::Rect client = form::clientArea().toPixels();
    p.canvas = std::make_unique<raster::PixelCanvas>(raster::Size{client.width, client.height},
                                                     ratio, palette());
    p.canvas->fill(form::kPlotBackColour);
}

// 0xAARRGGBB pixels to R, G, B, A bytes, the order of an ImageData.
void copyOut() {
    Page& p = page();
    const raster::PixelBuffer& buffer = p.canvas->buffer();
    p.rgba.resize(std::size_t(buffer.width) * std::size_t(buffer.height));
    std::uint32_t* out = p.rgba.data();
    for (int y = 0; y < buffer.height; ++y) {
        const raster::Rgb* row = buffer.row(y);
        for (int x = 0; x < buffer.width; ++x) {
            const raster::Rgb pixel = row[x];
            *out++ =
                0xFF000000u | (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
        }
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
                      .raw("resoconto", area(form::kReport))
                      .raw("grafico", area(form::kChart))
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
    newCanvas(ratio);
    return answer(reaction(page().state.grafico()));
}

// One drawing of the plot, after "Grafico" and on each tick: what the page
// does next. The picture, as far as it got, waits at rl_pixel().
EMSCRIPTEN_KEEPALIVE const char* rl_disegna() {
    const form::Reaction r = page().state.draw(*page().canvas);
    if (r.timer != form::Reaction::Timer::Rest)
        copyOut();
    return answer(reaction(r));
}

// The screen's ratio changed: the picture starts again at the new one.
EMSCRIPTEN_KEEPALIVE void rl_rapporto(double ratio) {
    newCanvas(ratio);
}

EMSCRIPTEN_KEEPALIVE const std::uint32_t* rl_pixel() {
    return page().rgba.data();
}
EMSCRIPTEN_KEEPALIVE int rl_larghezza() {
    return page().canvas->buffer().width;
}
EMSCRIPTEN_KEEPALIVE int rl_altezza() {
    return page().canvas->buffer().height;
}

} // extern "C"
