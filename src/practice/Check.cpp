#include "practice/Check.h"

#include "practice/Digits.h"
#include "practice/Rules.h"

#include "engine/Calculation.h"
#include "engine/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace practice {

namespace {

// How far a slip's value may lie from hers, relative to it, when she carried
// her own rounding through the slip.
constexpr double kSlipMargin = 2e-4;
// A right value gets a rule's advice only where the rule's value would miss
// the program's by this share of it: a visibly spoilt value, not a digit.
constexpr double kVisibleShare = 0.01;
constexpr int kDifferenceDigits = 6;
const std::string kIndent = "    ";

// S is a whole number of yards and must be exact; the others agree within
// one unit of the last digit she wrote.
bool agrees(Step step, const WrittenNumber& yours, double value) {
    return step == Step::Range ? yours.value == value : yours.agreesWith(value);
}

// Whether a slip can account for her value: it lies nearer to the slip's
// value than to what the same earlier values give without the slip, and
// than to the program's value, and agrees with it or comes close.
bool explains(Step step, const WrittenNumber& yours, double slip, double baseline,
              double expected) {
    const double miss = std::fabs(yours.value - slip);
    return miss < std::fabs(yours.value - baseline) && miss < std::fabs(yours.value - expected) &&
           (agrees(step, yours, slip) || miss <= kSlipMargin * std::fabs(slip));
}

template <typename Compute> std::optional<double> attempted(Compute compute) {
    try {
        return compute();
    } catch (const engine::RuntimeError&) {
        return std::nullopt;
    }
}

// The step before it is judged: mancante, with the program's value.
StepCheck unjudged(const engine::Calculation& calculation, const Working& working, Step step) {
    StepCheck result;
    result.step = step;
    result.yours = working.answer(step);
    result.expected = valueAt(calculation.point, step);
    return result;
}

// Judges the steps in order, keeping three chains of earlier values to try
// the rules on: hers as she wrote them (the steps she skipped carried
// forward from them), hers as her calculator most likely held them (the
// exact value of whatever accounted for each of her numbers), and the
// program's.
class Judge {
  public:
    Judge(const engine::Calculation& calculation, const Working& working)
        : calculation_(calculation), working_(working) {
        const engine::RayPoint& p = calculation.point;
        program_.values = {p.vel, p.r1, p.cosTeta, p.teta};
        written_.own = carried_.own = true;
    }

    StepCheck judge(Step step) {
        StepCheck result = unjudged(calculation_, working_, step);
        const WrittenNumber* hers = working_.number(step);
        std::optional<double> accounted;
        if (hers) {
            accounted = judged(*hers, result);
        } else if (result.yours) { // not a number
            result.verdict = Verdict::Wrong;
            result.note = WrittenNumber::notANumber(result.yours->text);
        }
        if (indexOf(step) < Chain::kSize)
            extend(step, hers, accounted);
        return result;
    }

  private:
    // The verdict and the note on her number; the value that accounts for
    // it, where one does.
    std::optional<double> judged(const WrittenNumber& hers, StepCheck& result) {
        const Step step = result.step;
        result.difference = hers.value - result.expected;
        if (agrees(step, hers, result.expected)) {
            result.verdict = Verdict::Right;
            advise(hers, result);
            return result.expected;
        }
        const Rule* nearest = nullptr;
        const Chain* nearestChain = nullptr;
        double nearestValue = 0.0;
        for (const Rule& rule : rules()) {
            if (rule.step != step)
                continue;
            for (const Chain* chain : {&written_, &carried_, &program_}) {
                const Attempt attempt{calculation_, working_, *chain, hers};
                const auto value = attempted([&] { return rule.value(attempt); });
                if (!value)
                    continue;
                if (rule.verdict == Verdict::Consistent && agrees(step, hers, *value)) {
                    noted(result, rule, attempt, *value);
                    return value;
                }
                const double baseline = attempted([&] {
                                            return carriedForward(calculation_, *chain, step);
                                        }).value_or(result.expected);
                if (rule.verdict == Verdict::Wrong &&
                    explains(step, hers, *value, baseline, result.expected) &&
                    (!nearest ||
                     std::fabs(hers.value - *value) < std::fabs(hers.value - nearestValue))) {
                    nearest = &rule;
                    nearestChain = chain;
                    nearestValue = *value;
                }
            }
        }
        if (nearest) {
            noted(result, *nearest, {calculation_, working_, *nearestChain, hers}, nearestValue);
            return nearestValue;
        }
        result.verdict = Verdict::Wrong;
        result.note = unexplained({calculation_, working_, written_, hers}, step);
        return std::nullopt;
    }

    // The note of a rule whose value, built on what she wrote, would have
    // spoilt her right value visibly.
    void advise(const WrittenNumber& hers, StepCheck& result) {
        const Attempt attempt{calculation_, working_, written_, hers};
        for (const Rule& rule : rules())
            if (rule.step == result.step && rule.advisesRight)
                if (const auto value = attempted([&] { return rule.value(attempt); });
                    value && std::fabs(*value - result.expected) >
                                 kVisibleShare * std::fabs(result.expected)) {
                    result.rule = rule.name;
                    result.note = rule.note(attempt, *value);
                    return;
                }
    }

    static void noted(StepCheck& result, const Rule& rule, const Attempt& attempt, double value) {
        result.verdict = rule.verdict;
        result.rule = rule.name;
        result.note = rule.note(attempt, value);
    }

    // Puts the judged step's value into the chains.
    void extend(Step step, const WrittenNumber* hers, std::optional<double> accounted) {
        const std::size_t i = indexOf(step);
        const double program = program_.values[i];
        written_.hers[i] = carried_.hers[i] = hers != nullptr;
        written_.written[i] = hers != nullptr;
        written_.values[i] =
            hers ? hers->value : attempted([&] {
                                     return carriedForward(calculation_, written_, step);
                                 }).value_or(program);
        const auto followed =
            attempted([&] { return carriedForward(calculation_, carried_, step); });
        double held = followed.value_or(program);
        if (hers && !(followed && agrees(step, *hers, *followed)))
            held = accounted.value_or(hers->value);
        carried_.values[i] = held;
        carried_.written[i] = hers && held == hers->value;
    }

    const engine::Calculation& calculation_;
    const Working& working_;
    Chain program_;
    Chain written_;
    Chain carried_;
};

} // namespace

Check::Check(const engine::Calculation& calculation, const Working& working) {
    Judge judge(calculation, working);
    for (const Step step : kSteps)
        steps_[indexOf(step)] = judge.judge(step);
}

std::string StepCheck::expectedText() const {
    return digits::shortest(expected);
}

std::string StepCheck::differenceText() const {
    return difference ? digits::significant(*difference, kDifferenceDigits) : std::string();
}

std::string StepCheck::comparison() const {
    std::string text;
    if (yours)
        text += "tuo " + yours->text + ", ";
    text += "atteso " + expectedText();
    if (difference)
        text += ", differenza " + differenceText();
    return text;
}

std::vector<std::string> StepCheck::lines() const {
    std::vector<std::string> told = {wordOf(verdict), comparison()};
    if (!note.empty())
        told.push_back(note);
    return told;
}

std::optional<Step> Check::firstWrong() const {
    for (const StepCheck& s : steps_)
        if (s.verdict == Verdict::Wrong)
            return s.step;
    return std::nullopt;
}

int Check::count(Verdict verdict) const {
    return int(std::count_if(steps_.begin(), steps_.end(),
                             [&](const StepCheck& s) { return s.verdict == verdict; }));
}

std::string Check::summary() const {
    const std::string counts = "Giusti " + std::to_string(count(Verdict::Right)) + ", coerenti " +
                               std::to_string(count(Verdict::Consistent)) + ", sbagliati " +
                               std::to_string(count(Verdict::Wrong)) + ", mancanti " +
                               std::to_string(count(Verdict::Missing)) + ".";
    if (const std::optional<Step> wrong = firstWrong())
        return "Primo passo sbagliato: " + std::string(namesOf(*wrong).label) + ". " + counts;
    if (count(Verdict::Missing) == int(kSteps.size()))
        return "Nessun passo da verificare: scrivi almeno un valore. " + counts;
    return "Nessun passo sbagliato. " + counts;
}

std::string Check::text() const {
    std::string text = summary() + "\n\n";
    for (const StepCheck& s : steps_) {
        const StepNames& names = namesOf(s.step);
        text += names.label;
        if (*names.unit != '\0')
            text += std::string(" (") + names.unit + ")";
        const std::vector<std::string> lines = s.lines();
        text += ": " + lines.front() + "\n";
        for (std::size_t i = 1; i < lines.size(); ++i)
            text += kIndent + lines[i] + "\n";
    }
    return text;
}

std::string Check::csv(const CsvDialect& dialect) const {
    CsvWriter csv(dialect);
    csv.text("passo").text("tuo").text("atteso").text("esito").text("nota").endRecord();
    for (const StepCheck& s : steps_) {
        csv.text(namesOf(s.step).id);
        if (s.yours && s.yours->number)
            csv.number(s.yours->number->value);
        else
            csv.text(s.yours ? s.yours->text : "");
        csv.number(s.expected).text(wordOf(s.verdict)).text(s.note).endRecord();
    }
    return csv.bytes();
}

} // namespace practice
