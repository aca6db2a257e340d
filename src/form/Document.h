#pragma once

#include "engine/CalculationValues.h"
#include "form/FormDescription.h"
#include "raster/Twips.h"

#include <span>
#include <string>
#include <variant>
#include <vector>

// Documents as data: what the program puts on paper, page by page, in blocks
// from the top of each page down. The window's painter (a PDF, a printer) and
// the page for the browser each render any document; neither writes a
// document's texts, and each keeps its own typography.
namespace form {

// The document's name, large, at the top of a page.
struct Title {
    std::string text;
};

// A section's name, after a gap.
struct Heading {
    std::string text;
};

// Lines to write on, side by side, each after its caption: "Nome: ____".
struct Field {
    std::string caption;
    int length = 0; // the line's, in characters of the text
};
struct FieldLines {
    std::vector<Field> fields;
};

// Rows of cells under a bold header. Each column starts at its place, in
// points from the left margin.
struct Table {
    std::vector<double> columnStarts;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// Lines as the program prints them, in a monospaced face, every blank kept.
struct ReportLines {
    std::vector<std::string> lines;
};

// A labelled space for a student's answer, with the answer's unit after it.
struct AnswerSpace {
    std::string label;
    std::string unit;
};
struct AnswerSpaces {
    std::vector<AnswerSpace> spaces;
};

// The plot that "Grafico" draws from the values, ink on paper, with the
// window's axis captions at their places over it: the window's area, scaled
// to the width between the margins.
struct Plot {
    engine::CalculationValues values;
    raster::TwipRect area;
    std::span<const ControlDesign> captions;
};

// A sentence on its own, where the document has nothing else to say.
struct Message {
    std::string text;
};

using Block =
    std::variant<Title, Heading, FieldLines, Table, ReportLines, AnswerSpaces, Plot, Message>;

// One sheet of paper; each page of a document begins a new one.
struct Page {
    std::vector<Block> blocks;
};

struct Document {
    std::string name; // as a PDF's title
    std::vector<Page> pages;
};

// What every page must fit in, in points, so that it prints whole on A4 and
// on US Letter alike: A4's width (the narrower, 595 pt as printers round
// 210 mm), US Letter's height (the shorter, 11 in) and a margin all round.
struct PaperBox {
    double width = 0.0;
    double height = 0.0;
    double margin = 0.0;

    double textWidth() const { return width - 2 * margin; }
    double textHeight() const { return height - 2 * margin; }
};
inline constexpr double kPointsPerInch = 72.0;
inline constexpr PaperBox kAnyPaper{595.0, 11.0 * kPointsPerInch, 42.5};

} // namespace form
