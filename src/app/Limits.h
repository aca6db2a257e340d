#pragma once

// The command line's limits, which its messages and its help quote.
namespace app {

constexpr long long kMostTableRows = 10'000'000;
constexpr int kLargestScale = 8; // of grafico's PNG

} // namespace app
