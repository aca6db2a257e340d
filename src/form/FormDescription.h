#pragma once

#include "raster/Colour.h"
#include "raster/Palette.h"
#include "raster/Twips.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The main window, described once, without widgets: its controls as
// designed, their names for assistive technology, and the window's own
// settings. The window builds its widgets from it and the page its elements.
namespace form {

enum class ControlKind { Frame, TextBox, CommandButton, Label };

enum class LabelSizing {
    Fixed, // the box as designed, the caption on one line
    Auto,  // the size follows the caption
    Wrap,  // the width is kept, the caption wraps inside it and the height grows to hold it
};

struct FontDesign {
    double points = 0.0; // MS Sans Serif at this size
    bool bold = false;
};

struct ControlDesign {
    std::string_view name; // the object name: Frame1, Text1, Command2, Label9...
    ControlKind kind = ControlKind::Label;
    std::string_view container; // the frame it sits in; empty for the window itself
    std::string_view caption;   // as shown, blanks included; none for a text box
    raster::TwipRect rect;      // within its container
    FontDesign font;
    std::optional<raster::Colour> colour; // the caption's colour; none keeps the default
    LabelSizing sizing = LabelSizing::Fixed;
    std::string description;  // for assistive technology, in Italian
    bool axisCaption = false; // Label1 to Label8: shown only with the plot
};

// Every control, containers before what they hold, in tab order: the
// window's Tab visits the boxes and buttons in this order.
std::span<const ControlDesign> controls();
// The control of that object name, which must exist.
const ControlDesign& control(std::string_view name);
// The eight axis captions, Label1 to Label8.
std::span<const ControlDesign> axisCaptions();

// What assistive technology calls a control, the same in every face: its
// visible caption with each run of blanks as one blank and none at the
// ends, so that what is heard is what is seen; a text box takes the caption
// of the frame it sits in. The description says the rest in full words.
std::string accessibleName(const ControlDesign& control);

// The three input boxes, in the order "Calcolo" reads them.
inline constexpr std::string_view kInputBoxes[] = {"Text1", "Text2", "Text4"};

// A part of the window that has no caption of its own.
struct AreaDesign {
    std::string_view name;
    std::string_view description;
};
inline constexpr AreaDesign kReport{"Resoconto",
                                    "Le righe stampate da Calcolo, da leggere riga per riga"};
inline constexpr AreaDesign kChart{"Grafico", "Nessun grafico"};
inline constexpr AreaDesign kNotice{"Avviso", ""}; // spoken on its own

inline constexpr std::string_view kWindowTitle = "Form1";
inline constexpr std::string_view kWindowName = "Raggio limite";
inline constexpr FontDesign kReportFont{12.0, false};
inline constexpr int kTickIntervalMs = 10; // Timer1 and Timer2
inline constexpr raster::Colour kStartBackColour = raster::kMenuColour;
inline constexpr raster::Colour kPlotBackColour = raster::kButtonFaceColour;
inline constexpr raster::Colour kCaptionBackColour = raster::kButtonFaceColour; // labels are opaque

// A device pixel ratio as a window keeps it: Qt holds a window's ratio in
// whole 65536ths, cut down. The page and the command line draw their
// pictures at the ratio so kept, so that at any ratio they give the pixels
// that the window gives there.
double keptRatio(double ratio);

// The client area that the layout needs: the right edge and bottom of Frame1.
raster::TwipRect clientArea();
// Where the plot's two panels lie, which a screen reader knows as a chart.
raster::TwipRect chartArea();
// The part of the window that a picture of the plot shows: both panels and
// their axis captions.
raster::TwipRect plotArea();

// The desktop's colours where no desktop gives its own, as Qt's own palette
// has them: the window on a plain desktop, and the page always. Black text,
// grey menus and button faces, white windows.
inline constexpr raster::Rgb kPlainText = 0xFF000000u;
inline constexpr raster::Rgb kPlainFace = 0xFFEFEFEFu;
inline constexpr raster::Rgb kPlainPaper = 0xFFFFFFFFu;
raster::Palette plainDesktopColours();

} // namespace form
