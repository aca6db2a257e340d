// The pixel canvas on pixels of its own, as the web page uses it: sized from
// device-independent pixels at the ratio, filled, drawn on and read back.
#include "raster/PixelCanvas.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <sstream>
#include <vector>

using raster::PixelCanvas;
using raster::Point;
using raster::Rect;
using raster::Rgb;

namespace {

constexpr Rgb kPaper = 0xFFFFFFFF, kInk = 0xFF123456, kButtonFace = 0xFFF0F0F0;
constexpr Rgb kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

struct Row {
    const char* name;
    double ratio;
    raster::Size logical;
    std::function<void(PixelCanvas&)> draw;
    Rgb colour;         // of every pixel drawn
    const char* drawn;  // device pixels "x,y", row by row
    Rect changed;       // device-independent pixels
    unsigned revisions; // counted by the drawing
};

Row row(const char* name, double ratio, raster::Size logical, Rgb colour, const char* drawn,
        Rect changed, unsigned revisions, std::function<void(PixelCanvas&)> draw) {
    return {name, ratio, logical, draw, colour, drawn, changed, revisions};
}

const std::vector<Row> kRows = {
    row("pset at 1.5x is two device pixels square", 1.5, {20, 10}, kRed, "15,7 16,7 15,8 16,8",
        {10, 4, 2, 2}, 1, [](PixelCanvas& c) { c.pset(150, 75, raster::kRed); }),
    row("a whole pixel stays whole at 1.4x, where the scale rounds down", 1.4, {10, 10}, kRed,
        "7,7", {5, 5, 1, 1}, 1, [](PixelCanvas& c) { c.pset(75, 75, raster::kRed); }),
    row("run of dots at 2x", 2.0, {10, 5}, kBlue,
        "0,2 1,2 6,2 7,2 12,2 13,2 0,3 1,3 6,3 7,3 12,3 13,3", {0, 1, 7, 1}, 1,
        [](PixelCanvas& c) { c.psetRun(0, 15, 45, 0, 3, raster::kBlue); }),
    row("the last device column and row at 1.5x, nothing beyond", 1.5, {7, 5}, kRed,
        "10,0 10,1 9,6 10,6 9,7 10,7", {6, 0, 2, 6}, 2,
        [](PixelCanvas& c) {
            c.pset(-15, -15, raster::kRed);                 // all off the picture
            c.line(500, 17460, 14200, 17460, raster::kRed); // so is this line
            c.pset(105, 0, raster::kRed);                   // half off it
            c.pset(90, 60, raster::kRed);
        }),
    row("a run over a dot already there: only the dots that changed to repaint", 1.0, {5, 5}, kRed,
        "1,0 1,1 1,2", {1, 1, 1, 2}, 2,
        [](PixelCanvas& c) {
            c.pset(15, 0, raster::kRed);
            c.takeChanged();
            c.psetRun(15, 0, 0, 15, 3, raster::kRed);
        }),
    row("runs partly off the picture at 2x, clipped", 2.0, {5, 3}, kBlue,
        "0,0 1,0 2,0 3,0 8,0 9,0 0,1 1,1 2,1 3,1 8,1 9,1 9,2 9,3 9,4 9,5", {0, 0, 5, 3}, 4,
        [](PixelCanvas& c) {
            c.psetRun(-15, 0, 15, 0, 3, raster::kBlue); // from left of it
            c.psetRun(60, 0, 15, 0, 2, raster::kBlue);  // to right of it
            c.psetRun(68, 30, 0, 15, 9, raster::kBlue); // down its last column and below
            c.psetRun(68, 0, 0, 15, 2, raster::kBlue);  // half of each square beyond it
        }),
    row("line at 1x in the foreground colour", 1.0, {20, 10}, kInk, "1,2 2,2 3,2 4,2", {1, 2, 4, 1},
        1, [](PixelCanvas& c) { c.line(15, 30, 60, 30, std::nullopt); }),
    row("circle of radius one at 2x in a system colour", 2.0, {10, 10}, kButtonFace,
        "10,9 11,9 9,10 10,10 11,10 12,10 9,11 10,11 11,11 12,11 10,12 11,12", {4, 4, 3, 3}, 1,
        [](PixelCanvas& c) { c.circle(75, 75, 7.5f, raster::systemColour(15)); }),
    row("a dot and a line at 3x, the pen three device pixels square", 3.0, {6, 5}, kRed,
        "6,3 7,3 8,3 6,4 7,4 8,4 6,5 7,5 8,5 0,9 1,9 2,9 3,9 4,9 5,9 0,10 1,10 2,10 3,10 4,10 "
        "5,10 0,11 1,11 2,11 3,11 4,11 5,11",
        {0, 1, 3, 3}, 2,
        [](PixelCanvas& c) {
            c.pset(30, 15, raster::kRed);
            c.line(0, 45, 15, 45, raster::kRed);
        }),
    row("a run and a circle at 4x, the pen four device pixels square", 4.0, {5, 4}, kBlue,
        "0,0 1,0 2,0 3,0 4,0 5,0 6,0 7,0 0,1 1,1 2,1 3,1 4,1 5,1 6,1 7,1 0,2 1,2 2,2 3,2 4,2 5,2 "
        "6,2 7,2 0,3 1,3 2,3 3,3 4,3 5,3 6,3 7,3 10,9 11,9 12,9 13,9 9,10 10,10 11,10 12,10 "
        "13,10 14,10 9,11 10,11 11,11 12,11 13,11 14,11 9,12 10,12 11,12 12,12 13,12 14,12 9,13 "
        "10,13 11,13 12,13 13,13 14,13 10,14 11,14 12,14 13,14",
        {0, 0, 4, 4}, 2,
        [](PixelCanvas& c) {
            c.psetRun(0, 0, 15, 0, 2, raster::kBlue);
            c.circle(37.5f, 37.5f, 3.75f, raster::kBlue);
        }),
    row("a batch counts once, a dot drawn again not at all", 1.0, {20, 10}, kRed, "0,0 19,9",
        {0, 0, 20, 10}, 1,
        [](PixelCanvas& c) {
            const std::uint64_t before = c.revision();
            {
                const PixelCanvas::Batch batch(c);
                c.pset(0, 0, raster::kRed);
                c.pset(285, 135, raster::kRed);
                if (c.revision() != before || !c.takeChanged().isEmpty())
                    c.pset(150, 75, raster::kRed); // counted before the batch ended: a stray dot
            }
            c.pset(285, 135, raster::kRed);
        }),
};

std::vector<Point> pointsOf(const char* text) {
    std::vector<Point> points;
    std::istringstream in(text);
    for (Point p; in >> p.x && in.ignore() && in >> p.y;)
        points.push_back(p);
    return points;
}

bool check(const Row& row) {
    raster::Palette palette;
    palette.foreground = kInk;
    palette.system[5] = kPaper;
    palette.system[15] = kButtonFace;
    PixelCanvas canvas(row.logical, row.ratio, palette);
    canvas.fill(raster::systemColour(5));
    canvas.takeChanged();
    const std::uint64_t filled = canvas.revision();
    row.draw(canvas);
    const raster::PixelBuffer& pixels = canvas.buffer();
    std::vector<Point> drawn;
    bool ok = true;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            const Rgb rgb = pixels.row(y)[x];
            if (rgb != kPaper)
                drawn.push_back({x, y});
            ok = ok && (rgb == kPaper || rgb == row.colour);
        }
    const Rect changed = canvas.takeChanged();
    const float twipsPerDevice = float(15.0 / row.ratio);
    ok = ok && drawn == pointsOf(row.drawn) && changed == row.changed &&
         canvas.revision() - filled == row.revisions &&
         (drawn.empty() || canvas.pixelAt(float(drawn[0].x) * twipsPerDevice,
                                          float(drawn[0].y) * twipsPerDevice) == row.colour);
    std::printf("%s %s: changed %d %d %d %d, drawn", ok ? "ok" : "FAIL", row.name, changed.left,
                changed.top, changed.width, changed.height);
    for (const Point& p : drawn)
        std::printf(" %d,%d", p.x, p.y);
    std::printf("\n");
    return ok;
}

// Each device pixel starts where toDevice reaches it: the float before lands
// in the pixel before.
int failedPixelStarts() {
    int failed = 0;
    for (const double ratio : {1.0, 1.25, 1.4, 1.5, 2.0, 3.0}) {
        const raster::DeviceMapping mapping(ratio);
        for (int device = -50; device < 3000; ++device) {
            const float start = mapping.pixelStart(device);
            const float before = std::nextafter(start, -INFINITY);
            if (mapping.toDevice(start) != device || mapping.toDevice(before) != device - 1) {
                std::printf("FAIL pixel %d at %gx starts at %.9g\n", device, ratio, double(start));
                ++failed;
            }
        }
    }
    return failed;
}

} // namespace

int main() {
    int failed = failedPixelStarts();
    for (const Row& row : kRows)
        failed += check(row) ? 0 : 1;
    std::printf("%zu rows, %d failed\n", kRows.size(), failed);
    return failed == 0 ? 0 : 1;
}
