#pragma once

#include <cstdint>
#include <vector>

namespace plot {

// The ranges of the ray steps for one radius r1 (ft). Each is exactly what
// ray::rangeYards(r1, ray::grazingAngle(ray::cosineAt(deltaD, r1))) gives,
// errors included, but is found without the trigonometry wherever that
// cannot change the result: sin(acos c) is sqrt(1 - c^2).
class RayRange {
  public:
    explicit RayRange(double r1);

    // The range in yd of the point deltaD ft from the layer's bottom.
    std::int16_t at(double deltaD) const;

    // The ranges of the ray traced upwards from depth zStart (ft) in steps of
    // zStep while above the surface, at depth z - layerDepth each, appended
    // to ranges. A step that fails raises its error, leaving the ranges
    // before it in place.
    void trace(double zStart, double zStep, double layerDepth,
               std::vector<std::int16_t>& ranges) const;

  private:
    // The floor of sqrt(1 - c^2) r1 / 3, where it cannot differ from the exact range.
    bool cheapRange(double deltaD, int& range) const;
    std::int16_t exactRange(double deltaD) const;

    double r1_;
    double r1Yards_; // r1 / 3
    double margin_;  // how near a whole yard the cheap value must not come
};

} // namespace plot
