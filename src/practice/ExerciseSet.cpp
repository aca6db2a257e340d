#include "practice/ExerciseSet.h"

#include "practice/SplitMix64.h"

#include "engine/RuntimeError.h"

#include <map>
#include <set>

namespace practice {

namespace {

// A whole number written with digits only, up to largest.
std::optional<std::uint64_t> wholeOf(std::string_view text, std::uint64_t largest) {
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > (largest - std::uint64_t(c - '0')) / 10)
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
    }
    return value;
}

std::int64_t drawn(SplitMix64& random, const WholeRange& range) {
    return range.low + std::int64_t(random.below(range.count()));
}

// The next draw, computed; nothing when its calculation fails.
std::optional<Exercise> draw(SplitMix64& random, const ExerciseRanges& ranges) {
    Exercise e;
    e.temperatureTenths = drawn(random, ranges.temperatureTenths);
    e.salinity = std::int16_t(drawn(random, ranges.salinity));
    e.depth = std::int16_t(drawn(random, ranges.depth));
    try {
        e.calculation =
            engine::Calculation::fromTexts(e.temperature(), e.salinityText(), e.depthText());
    } catch (const engine::RuntimeError&) {
        return std::nullopt;
    }
    return e;
}

// The sound speeds of the exercises made so far, by depth: what a new one
// must keep away from.
class Made {
  public:
    bool tooAlike(const Exercise& e) const {
        const auto found = speeds_.find(e.depth);
        if (found == speeds_.end())
            return false;
        const double vel = e.calculation.point.vel;
        const auto above = found->second.upper_bound(vel - ExerciseSet::kLeastSpeedApart);
        return above != found->second.end() && *above < vel + ExerciseSet::kLeastSpeedApart;
    }
    void add(const Exercise& e) { speeds_[e.depth].insert(e.calculation.point.vel); }

  private:
    std::map<std::int16_t, std::set<double>> speeds_;
};

} // namespace

std::optional<std::vector<Exercise>> ExerciseSet::make(std::uint64_t seed, int count,
                                                       const ExerciseRanges& ranges,
                                                       std::string* problem) {
    if (count < 1 || count > kMostExercises) {
        *problem = "il numero degli esercizi va da 1 a " + std::to_string(kMostExercises);
        return std::nullopt;
    }
    SplitMix64 random(seed);
    Made made;
    std::vector<Exercise> set;
    set.reserve(std::size_t(count));
    for (int number = 1; number <= count; ++number) {
        std::optional<Exercise> next;
        for (int miss = 0; miss < kMostMisses && !next; ++miss)
            if ((next = draw(random, ranges)) && made.tooAlike(*next))
                next.reset();
        if (!next) {
            *problem = "con " + ranges.description() + " ci sono solo " +
                       std::to_string(number - 1) + " esercizi diversi e calcolabili, non " +
                       std::to_string(count) + ": allargare gli intervalli o chiederne meno";
            return std::nullopt;
        }
        next->seed = seed;
        next->number = number;
        made.add(*next);
        set.push_back(*next);
    }
    return set;
}

std::optional<ExerciseSet::Code> ExerciseSet::readCode(std::string_view code,
                                                       std::string* problem) {
    const std::size_t dash = code.rfind('-');
    const auto seed =
        dash == std::string_view::npos ? std::nullopt : wholeOf(code.substr(0, dash), kLargestSeed);
    const auto number =
        seed ? wholeOf(code.substr(dash + 1), kMostExercises) : std::optional<std::uint64_t>();
    if (!number || *number == 0) {
        *problem = "«" + std::string(code) + "» non è il codice di un esercizio: si scrive " +
                   "SEME-NUMERO, come 2027-07, con il numero da 1 a " +
                   std::to_string(kMostExercises);
        return std::nullopt;
    }
    return Code{*seed, int(*number)};
}

std::optional<Exercise> ExerciseSet::byCode(std::string_view code, const ExerciseRanges& ranges,
                                            std::string* problem) {
    const std::optional<Code> c = readCode(code, problem);
    std::optional<std::vector<Exercise>> set =
        c ? make(c->seed, c->number, ranges, problem) : std::nullopt;
    if (!set)
        return std::nullopt;
    return set->back();
}

std::optional<std::uint64_t> ExerciseSet::readSeed(std::string_view text, std::string* problem) {
    const std::optional<std::uint64_t> seed = wholeOf(text, kLargestSeed);
    if (!seed)
        *problem = "«" + std::string(text) + "» non è un seme: scrivere un numero intero da 0 a " +
                   std::to_string(kLargestSeed);
    return seed;
}

} // namespace practice
