#pragma once

#include "engine/RuntimeError.h"

namespace engine {

// The link of the ray step's chain where an error arose.
enum class RayStage { SoundSpeed, Radius, Cosine, Angle, Range };

// A run-time error of the ray step, with the stage it arose in and the radius
// (ft) when that was already known, so that callers can tell the user why.
class RayStepError : public RuntimeError {
  public:
    RayStepError(const RuntimeError& error, RayStage stage, double r1)
        : RuntimeError(error), stage_(stage), r1_(r1) {}

    RayStage stage() const { return stage_; }
    double r1() const { return r1_; }

  private:
    RayStage stage_;
    double r1_;
};

} // namespace engine
