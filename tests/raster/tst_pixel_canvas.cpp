// The pixel canvas on pixels of its own, as the web page uses it: sized from
// device-independent pixels at the ratio, filled, drawn on and read back.
#include "raster/PixelCanvas.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using raster::Colour;
using raster::PixelCanvas;
using raster::Point;
using raster::Rect;
using raster::Rgb;

namespace {

constexpr Rgb kPaper = 0xFFFFFFFF;
constexpr Rgb kInk = 0xFF123456;
constexpr Rgb kButtonFace = 0xFFF0F0F0;

raster::Palette palette() {
    raster::Palette p;
    p.foreground = kInk;
    p.system[5] = kPaper;
    p.system[15] = kButtonFace;
    return p;
}

struct Row {
    const char* name;
    double ratio;
    raster::Size logical;
    std::function<void(PixelCanvas&)> draw;
    Rgb colour;               // of every pixel drawn
    std::vector<Point> drawn; // device pixels, row by row
    Rect changed;             // device-independent pixels
    std::uint64_t revisions;  // counted by the drawing
};

const std::vector<Row> kRows = {
    {"pset at 1x",
     1.0,
     {20, 10},
     [](PixelCanvas& c) { c.pset(150, 75, raster::kRed); },
     0xFFFF0000,
     {{10, 5}},
     {10, 5, 1, 1},
     1},
    {"pset at 1.5x is two device pixels square",
     1.5,
     {20, 10},
     [](PixelCanvas& c) { c.pset(150, 75, raster::kRed); },
     0xFFFF0000,
     {{15, 7}, {16, 7}, {15, 8}, {16, 8}},
     {10, 4, 2, 2},
     1},
    {"a whole pixel stays whole at 1.4x, where the scale rounds down",
     1.4,
     {10, 10},
     [](PixelCanvas& c) { c.pset(75, 75, raster::kRed); },
     0xFFFF0000,
     {{7, 7}},
     {5, 5, 1, 1},
     1},
    {"run of dots at 2x",
     2.0,
     {10, 5},
     [](PixelCanvas& c) { c.psetRun(0, 15, 45, 0, 3, raster::kBlue); },
     0xFF0000FF,
     {{0, 2},
      {1, 2},
      {6, 2},
      {7, 2},
      {12, 2},
      {13, 2},
      {0, 3},
      {1, 3},
      {6, 3},
      {7, 3},
      {12, 3},
      {13, 3}},
     {0, 1, 7, 1},
     1},
    {"the last device column and row at 1.5x, nothing beyond",
     1.5,
     {7, 5},
     [](PixelCanvas& c) {
         c.pset(-15, -15, raster::kRed); // all off the picture
         c.pset(105, 0, raster::kRed);   // half off it
         c.pset(90, 60, raster::kRed);
     },
     0xFFFF0000,
     {{10, 0}, {10, 1}, {9, 6}, {10, 6}, {9, 7}, {10, 7}},
     {6, 0, 2, 6},
     2},
    {"line at 1x in the foreground colour",
     1.0,
     {20, 10},
     [](PixelCanvas& c) { c.line(15, 30, 60, 30, std::nullopt); },
     kInk,
     {{1, 2}, {2, 2}, {3, 2}, {4, 2}},
     {1, 2, 4, 1},
     1},
    {"circle of radius one at 2x in a system colour",
     2.0,
     {10, 10},
     [](PixelCanvas& c) { c.circle(75, 75, 7.5f, raster::systemColour(15)); },
     kButtonFace,
     {{10, 9},
      {11, 9},
      {9, 10},
      {10, 10},
      {11, 10},
      {12, 10},
      {9, 11},
      {10, 11},
      {11, 11},
      {12, 11},
      {10, 12},
      {11, 12}},
     {4, 4, 3, 3},
     1},
    {"a batch counts once, a dot drawn again not at all",
     1.0,
     {20, 10},
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
     },
     0xFFFF0000,
     {{0, 0}, {19, 9}},
     {0, 0, 20, 10},
     1},
};

bool check(const Row& row) {
    PixelCanvas canvas(row.logical, row.ratio, palette());
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
    const std::uint64_t revisions = canvas.revision() - filled;
    const float twipsPerDevice = float(15.0 / row.ratio);
    const bool readBack =
        drawn.empty() || canvas.pixelAt(float(drawn[0].x) * twipsPerDevice,
                                        float(drawn[0].y) * twipsPerDevice) == row.colour;
    if (ok && drawn == row.drawn && changed == row.changed && revisions == row.revisions &&
        readBack)
        return true;
    std::printf("FAIL %s: %zu pixels drawn (%zu expected)%s, changed %d %d %d %d, %llu revisions\n",
                row.name, drawn.size(), row.drawn.size(), ok ? "" : " in another colour",
                changed.left, changed.top, changed.width, changed.height,
                static_cast<unsigned long long>(revisions));
    for (const Point& p : drawn)
        std::printf("  (%d, %d)\n", p.x, p.y);
    return false;
}

} // namespace

int main() {
    int failed = 0;
    for (const Row& row : kRows)
        failed += check(row) ? 0 : 1;
    std::printf("%zu rows, %d failed\n", kRows.size(), failed);
    return failed == 0 ? 0 : 1;
}
