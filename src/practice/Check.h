#pragma once

#include "practice/CsvWriter.h"
#include "practice/Step.h"
#include "practice/Working.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace engine {
struct Calculation;
}

namespace practice {

// The verdict on one step of a student's working.
struct StepCheck {
    Step step = Step::Velocity;
    Verdict verdict = Verdict::Missing;
    std::optional<Answer> yours;      // what she wrote, if anything
    double expected = 0.0;            // the program's value, in full (S a whole number)
    std::optional<double> difference; // hers less the program's, when hers is a number
    std::string rule;                 // the rule behind the note, when one explains it
    std::string note;                 // for her, in Italian; empty for a plain agreement

    std::string expectedText() const;   // in full: 4928.573
    std::string differenceText() const; // six significant digits: 0.027; empty when none
    // Hers, the program's and the difference, as every face shows them:
    // "tuo 4928.6, atteso 4928.573, differenza 0.027"; "atteso 548" when not given.
    std::string comparison() const;
    // What a face shows beside her answer, a line each: the verdict ("giusto"),
    // the comparison, and the note when there is one.
    std::vector<std::string> lines() const;
};

// A student's working checked step by step against the program: each given
// step is giusto, coerente or sbagliato, each other one mancante. Every text
// that a face shows of it comes from here.
class Check {
  public:
    // The calculation of the three boxes (engine::Calculation::fromTexts)
    // and her working; answers that are not numbers are judged sbagliato.
    Check(const engine::Calculation& calculation, const Working& working);

    const std::array<StepCheck, kSteps.size()>& steps() const { return steps_; }
    const StepCheck& step(Step step) const { return steps_[indexOf(step)]; }

    std::optional<Step> firstWrong() const;
    int count(Verdict verdict) const;
    int points() const { return count(Verdict::Right) + count(Verdict::Consistent); }
    bool passed() const { return !firstWrong(); } // no step sbagliato

    // One sentence, the first wrong step named first; what a screen reader
    // is told: "Primo passo sbagliato: raggio. Giusti 3, coerenti 0,
    // sbagliati 2, mancanti 0."
    std::string summary() const;

    // The summary, then each step with her value, the program's, the
    // difference and the note: what `raggio-limite verifica` prints.
    std::string text() const;

    // One record a step, under the header passo,tuo,atteso,esito,nota: the
    // step's id, her number, the program's, the verdict and the note.
    std::string csv(const CsvDialect& dialect) const;

  private:
    std::array<StepCheck, kSteps.size()> steps_;
};

} // namespace practice
