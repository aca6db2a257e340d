#include "form/FormDescription.h"

#include "plot/PlotFrame.h"

#include <algorithm>
#include <stdexcept>

namespace form {

namespace {

constexpr FontDesign kLargeBold{12.0, true};
constexpr FontDesign kSmall{9.75, false};
constexpr FontDesign kSmallBold{9.75, true};
constexpr raster::Colour kBlue = raster::kBlue;
constexpr raster::Colour kRed = raster::kRed;
using enum ControlKind;
using enum LabelSizing;

// As designed; only the descriptions are the program's own.
constexpr ControlDesign kControls[] = {
    {"Frame1",
     Frame,
     "",
     "immissione dati",
     {5760, 8760, 9255, 1455},
     kLargeBold,
     {},
     Fixed,
     "I tre dati del calcolo e il pulsante Calcolo",
     0},
    {"Frame2",
     Frame,
     "Frame1",
     "Temperatura (°F)",
     {240, 360, 2055, 855},
     kSmall,
     {},
     Fixed,
     "Temperatura dell'acqua nello strato, in gradi Fahrenheit",
     1},
    {"Text1",
     TextBox,
     "Frame2",
     "",
     {240, 360, 615, 330},
     kSmall,
     {},
     Fixed,
     "Temperatura dell'acqua nello strato isotermo, in °F",
     2},
    {"Frame3",
     Frame,
     "Frame1",
     "Salinità  (pt x 1000)",
     {2680, 360, 2055, 855},
     kSmall,
     {},
     Fixed,
     "Salinità in parti per mille",
     3},
    {"Frame5",
     Frame,
     "Frame1",
     "Quota di calc. (ft)",
     {5120, 360, 2055, 855},
     kSmall,
     {},
     Fixed,
     "Quota di calcolo in piedi, al massimo 15",
     4},
    {"Text2",
     TextBox,
     "Frame3",
     "",
     {240, 360, 615, 300},
     kSmall,
     {},
     Fixed,
     "Salinità in parti per mille, un numero intero",
     5},
    {"Text4",
     TextBox,
     "Frame5",
     "",
     {240, 360, 615, 300},
     kSmall,
     {},
     Fixed,
     "Quota di calcolo: profondità del punto di calcolo in piedi, da -32753 a 15",
     6},
    {"Command1",
     CommandButton,
     "Frame1",
     "Calcolo",
     {7560, 480, 1335, 615},
     kLargeBold,
     {},
     Fixed,
     "Calcola velocità del suono, raggio, angolo di radenza e distanza e ne stampa i passaggi "
     "nella finestra",
     7},
    {"Command2",
     CommandButton,
     "",
     "Grafico",
     {13320, 7920, 1335, 615},
     kLargeBold,
     {},
     Fixed,
     "Disegna il profilo di temperatura, il raggio limite e il punto calcolato",
     8},
    {"Label1",
     Label,
     "",
     "80",
     {4800, 120, 255, 240},
     kSmallBold,
     kBlue,
     Auto,
     "Fine della scala delle temperature, 80 °F",
     9,
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
     10,
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
     11,
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
     12,
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
     13,
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
     14,
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
     15,
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
     16,
     true},
    {"Label9",
     Label,
     "",
     "Profondità  max  fissata per i calcoli :   D = 15 ft",
     {720, 9720, 4335, 375},
     kSmall,
     kRed,
     Wrap,
     "I calcoli assumono lo strato isotermo profondo 15 piedi",
     17},
};

} // namespace

std::span<const ControlDesign> controls() {
    return kControls;
}

const ControlDesign& control(std::string_view name) {
    const auto* found = std::find_if(std::begin(kControls), std::end(kControls),
                                     [&](const ControlDesign& c) { return c.name == name; });
    if (found == std::end(kControls))
        throw std::out_of_range("no control " + std::string(name));
    return *found;
}

std::span<const ControlDesign> axisCaptions() {
    const auto* first = &control("Label1");
    return {first, 8};
}

std::string accessibleName(const ControlDesign& c) {
    const std::string_view caption = c.kind == TextBox ? control(c.container).caption : c.caption;
    std::string name;
    for (const char ch : caption) {
        if (ch != ' ')
            name += ch;
        else if (!name.empty() && name.back() != ' ')
            name += ' ';
    }
    if (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

raster::TwipRect clientArea() {
    const raster::TwipRect& frame = control("Frame1").rect;
    return {0, 0, frame.left + frame.width, frame.top + frame.height};
}

raster::TwipRect chartArea() {
    return {plot::kTemperatureLeft, plot::kTop, plot::kRangeRight - plot::kTemperatureLeft,
            plot::kBottom - plot::kTop};
}

} // namespace form
