#pragma once

#include "engine/DoubleDouble.h"

// Where the engine's sine and arctangent start from: the double-doubles
// nearest to atan(i / 128) for i = 0..128, and to sin(j / 128) and
// cos(j / 128) for j = 0..101 (past pi / 4). tools/trig_tables.cpp writes them.
namespace engine {

constexpr int kTablePointsPerUnit = 128;
extern const dd::Value kArctangentTable[129];
extern const dd::Value kSineTable[102];
extern const dd::Value kCosineTable[102];

} // namespace engine
