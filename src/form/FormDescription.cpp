#include "form/FormDescription.h"

#include "engine/InputBoxes.h"
#include "plot/PlotFrame.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace form {

namespace {

constexpr FontDesign kLargeBold{12.0, true};
constexpr FontDesign kSmall{9.75, false};
constexpr FontDesign kSmallBold{9.75, true};
constexpr raster::Colour kBlue = raster::kBlue;
constexpr raster::Colour kRed = raster::kRed;
using enum ControlKind;
using enum LabelSizing;

const std::string kHighestDepth = std::to_string(engine::kHighestDepthFt);

// As designed; only the descriptions are the program's own, and they quote
// the engine's limits.
const std::vector<ControlDesign> kControls = {
    {"Frame1",
     Frame,
     "",
     "immissione dati",
     {5760, 8760, 9255, 1455},
     kLargeBold,
     {},
     Fixed,
     "I tre dati del calcolo e il pulsante Calcolo"},
    {"Frame2",
     Frame,
     "Frame1",
     engine::kTemperatureCaption,
     {240, 360, 2055, 855},
     kSmall,
     {},
     Fixed,
     "Temperatura dell'acqua nello strato, in gradi Fahrenheit"},
    {"Text1",
     TextBox,
     "Frame2",
     "",
     {240, 360, 615, 330},
     kSmall,
     {},
     Fixed,
     "Temperatura dell'acqua nello strato isotermo, in °F"},
    {"Frame3",
     Frame,
     "Frame1",
     engine::kSalinityCaption,
     {2680, 360, 2055, 855},
     kSmall,
     {},
     Fixed,
     "Salinità in parti per mille"},
    {"Frame5",
     Frame,
     "Frame1",
     engine::kDepthCaption,
     {5120, 360, 2055, 855},
     kSmall,
     {},
     Fixed,
     "Quota di calcolo in piedi, al massimo " + kHighestDepth},
    {"Text2",
     TextBox,
     "Frame3",
     "",
     {240, 360, 615, 300},
     kSmall,
     {},
     Fixed,
     "Salinità in parti per mille, un numero intero"},
    {"Text4",
     TextBox,
     "Frame5",
     "",
     {240, 360, 615, 300},
     kSmall,
     {},
     Fixed,
     "Quota di calcolo: profondità del punto di calcolo in piedi, da " +
         std::to_string(engine::kLowestDepthFt) + " a " + kHighestDepth},
    {"Command1",
     CommandButton,
     "Frame1",
     "Calcolo",
     {7560, 480, 1335, 615},
     kLargeBold,
     {},
     Fixed,
     "Calcola velocità del suono, raggio, angolo di radenza e distanza e ne stampa i passaggi "
     "nella finestra"},
    {"Command2",
     CommandButton,
     "",
     "Grafico",
     {13320, 7920, 1335, 615},
     kLargeBold,
     {},
     Fixed,
     "Disegna il profilo di temperatura, il raggio limite e il punto calcolato"},
    {"Label1",
     Label,
     "",
     "80",
     {4800, 120, 255, 240},
     kSmallBold,
     kBlue,
     Auto,
     "Fine della scala delle temperature, 80 °F",
     true},
    {"Label2",
     Label,
     "",
     "0",
     {480, 120, 615, 255},
     kSmallBold,
     kBlue,
     Wrap,
     "Inizio della scala delle temperature, 0 °F",
     true},
    {"Label3",
     Label,
     "",
     "0 ",
     {240, 240, 195, 240},
     kSmallBold,
     kBlue,
     Auto,
     "Superficie, profondità 0",
     true},
    {"Label4",
     Label,
     "",
     "- 100 ft",
     {0, 6720, 690, 240},
     kSmallBold,
     kBlue,
     Auto,
     "Fondo del grafico, profondità 100 piedi",
     true},
    {"Label5",
     Label,
     "",
     "temp. -gradi F ( 4°F/div.)",
     {1560, 0, 2505, 240},
     kSmallBold,
     kBlue,
     Auto,
     "Scala delle temperature, 4 °F per divisione",
     true},
    {"Label6",
     Label,
     "",
     " prof.         feet (5ft/div.)",
     {120, 3480, 1125, 1080},
     kSmallBold,
     kBlue,
     Wrap,
     "Scala delle profondità, 5 piedi per divisione",
     true},
    {"Label7",
     Label,
     "",
     "distanza  - yd ( 50 yd/div.)",
     {7560, 0, 2670, 240},
     kSmallBold,
     {},
     Auto,
     "Scala delle distanze, 50 iarde per divisione",
     true},
    {"Label8",
     Label,
     "",
     "1000",
     {14160, 120, 495, 240},
     kSmallBold,
     {},
     Auto,
     "Fine della scala delle distanze, 1000 iarde",
     true},
    {"Label9",
     Label,
     "",
     "Profondità  max  fissata per i calcoli :   D = 15 ft",
     {720, 9720, 4335, 375},
     kSmall,
     kRed,
     Wrap,
     "I calcoli assumono lo strato isotermo profondo 15 piedi"},
};

} // namespace

std::span<const ControlDesign> controls() {
    return kControls;
}

const ControlDesign& control(std::string_view name) {
    const std::span<const ControlDesign> all = controls();
    const auto found = std::find_if(all.begin(), all.end(),
                                    [&](const ControlDesign& c) { return c.name == name; });
    if (found == all.end())
        throw std::out_of_range("no control " + std::string(name));
    return *found;
}

std::span<const ControlDesign> axisCaptions() {
    const std::span<const ControlDesign> all = controls();
    const auto first =
        std::find_if(all.begin(), all.end(), [](const ControlDesign& c) { return c.axisCaption; });
    const auto end =
        std::find_if_not(first, all.end(), [](const ControlDesign& c) { return c.axisCaption; });
    return {first, end};
}

std::string accessibleName(const ControlDesign& c) {
    return engine::plainCaption(c.kind == TextBox ? control(c.container).caption : c.caption);
}

double keptRatio(double ratio) {
    constexpr double kSteps = 65536.0;
    return std::floor(ratio * kSteps) / kSteps;
}

raster::TwipRect clientArea() {
    const raster::TwipRect& frame = control("Frame1").rect;
    return {0, 0, frame.left + frame.width, frame.top + frame.height};
}

raster::TwipRect chartArea() {
    return {plot::kTemperatureLeft, plot::kTop, plot::kRangeRight - plot::kTemperatureLeft,
            plot::kBottom - plot::kTop};
}

raster::TwipRect plotArea() {
    raster::TwipRect area = chartArea();
    for (const ControlDesign& caption : axisCaptions()) {
        const raster::TwipRect& r = caption.rect;
        const int right = std::max(area.left + area.width, r.left + r.width);
        const int bottom = std::max(area.top + area.height, r.top + r.height);
        area.left = std::min(area.left, r.left);
        area.top = std::min(area.top, r.top);
        area.width = right - area.left;
        area.height = bottom - area.top;
    }
    return area;
}

raster::Palette plainDesktopColours() {
    raster::Palette colours;
    colours.foreground = kPlainText;
    colours.system.fill(kPlainFace);
    colours.system[raster::kWindowColour & 0xFFu] = kPlainPaper;
    return colours;
}

} // namespace form
