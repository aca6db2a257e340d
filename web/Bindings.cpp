// What the page's JavaScript calls: the form's state rules, the calculation
// and the plot, with plain C types. Texts cross as UTF-8; the last report or
// message waits in rl_testo() for the page to read.
#include "engine/Report.h"
#include "form/FormState.h"
#include "raster/PixelCanvas.h"
#include "raster/Twips.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

// The window's client area: the right edge and bottom of Frame1, in twips.
constexpr raster::Size kClientSize{15015 / raster::kTwipsPerPixel, 10215 / raster::kTwipsPerPixel};
// The desktop's colours as the window resolves them: both backgrounds (menu,
// button face) are this grey, drawing without a colour is black.
constexpr raster::Rgb kFaceGrey = 0xFFEFEFEFu;
constexpr raster::Rgb kBlack = 0xFF000000u;
constexpr unsigned kMenu = 4;
constexpr unsigned kButtonFace = 15;
constexpr raster::Colour kPlotBackColour = raster::systemColour(kButtonFace); // set by Grafico

struct Page {
    form::FormState state;
    std::unique_ptr<raster::PixelCanvas> canvas;
    std::vector<std::uint32_t> rgba; // the canvas's pixels as the browser's ImageData bytes
    std::string text;                // the last report, message or summary
};

Page& page() {
    static Page instance;
    return instance;
}

raster::Palette palette() {
    raster::Palette colours;
    colours.foreground = kBlack;
    colours.system.fill(kFaceGrey);
    colours.system[kMenu] = kFaceGrey;
    colours.system[kButtonFace] = kFaceGrey;
    return colours;
}

// A fresh picture at the ratio, in the plot's background colour.
void newCanvas(double ratio) {
    Page& p = page();
    p.canvas = std::make_unique<raster::PixelCanvas>(kClientSize, ratio, palette());
    p.canvas->fill(kPlotBackColour);
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

template <typename Action> int reporting(Action action) {
    try {
        return action();
    } catch (const std::exception& error) {
        page().text = error.what(); // the window's message, as its error box shows it
        return -1;
    }
}

} // namespace

extern "C" {

// "Calcolo" with the three boxes' texts: 1 with the report in rl_testo(),
// each line ended by a newline; 0 with the message there.
EMSCRIPTEN_KEEPALIVE int rl_calcolo(const char* temperature, const char* salinity,
                                    const char* depth) {
    return reporting([&] {
               page().text = engine::reportText(page().state.calcolo(temperature, salinity, depth));
               return 1;
           }) > 0;
}

EMSCRIPTEN_KEEPALIVE const char* rl_testo() {
    return page().text.c_str();
}

// "Grafico": a cleared picture at the ratio, for rl_disegna to draw on.
EMSCRIPTEN_KEEPALIVE void rl_grafico(double ratio) {
    page().state.grafico();
    newCanvas(ratio);
}

// One drawing of the plot: 1 when it changed the picture, 0 when not, -1 on
// an error (the message in rl_testo(), the picture as far as it got).
EMSCRIPTEN_KEEPALIVE int rl_disegna() {
    const int result = reporting([] { return page().state.draw(*page().canvas) ? 1 : 0; });
    if (result != 0)
        copyOut();
    return result;
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

// What the plot shows, in the window's words for a screen reader.
EMSCRIPTEN_KEEPALIVE const char* rl_sommario() {
    page().text = page().state.plotSummary();
    return page().text.c_str();
}

} // extern "C"
