#include "form/ExerciseDocuments.h"

#include "engine/Report.h"
#include "form/CalculationSheet.h"
#include "form/FormDescription.h"
#include "practice/Check.h"
#include "practice/Exercise.h"

#include <string>

namespace form {

namespace {

// Where the tables' columns start, points from the margin.
const std::vector<double> kInputColumns = {0.0, 150.0};
const std::vector<double> kValueColumns = {0.0, 150.0, 290.0};

std::string setName(const std::vector<practice::Exercise>& set, const std::string& what) {
    return "Raggio limite – " + what +
           (set.empty() ? std::string() : ", seme " + std::to_string(set.front().seed));
}

// The three inputs, each under its box's caption in the window.
Table inputs(const practice::Exercise& exercise) {
    const std::string values[] = {exercise.temperature(), exercise.salinityText(),
                                  exercise.depthText()};
    Table table{kInputColumns, {"Dato", "Valore"}, {}};
    for (std::size_t i = 0; i < std::size(kInputBoxes); ++i)
        table.rows.push_back(
            {std::string(control(control(kInputBoxes[i]).container).caption), values[i]});
    return table;
}

// "Velocità", then the line, then "ft/s": the step's name as a sentence
// begins.
AnswerSpace answerSpace(practice::Step step) {
    const practice::StepNames& names = practice::namesOf(step);
    std::string label = names.label;
    if (label.front() >= 'a' && label.front() <= 'z')
        label.front() = char(label.front() - 'a' + 'A');
    return {label, names.unit};
}

// The program's values for the five steps, as verifica prints them.
Table values(const practice::Exercise& exercise) {
    const practice::Check check(exercise.calculation, practice::Working{});
    Table table{kValueColumns, {"Passo", "Valore", "Unità"}, {}};
    for (const practice::StepCheck& step : check.steps()) {
        const practice::StepNames& names = practice::namesOf(step.step);
        table.rows.push_back({names.label, step.expectedText(), names.unit});
    }
    return table;
}

Page sheet(const practice::Exercise& exercise) {
    AnswerSpaces answers;
    for (const practice::Step step : practice::kSteps)
        answers.spaces.push_back(answerSpace(step));
    return {{Title{"Raggio limite – esercizio " + exercise.code()}, nameClassAndDate(),
             Message{exercise.setting()}, Heading{"Dati"}, inputs(exercise),
             Heading{"Il tuo calcolo, passo per passo come «Calcolo»"}, answers}};
}

Page keyPage(const practice::Exercise& exercise) {
    return {{Title{"Raggio limite – chiave dell'esercizio " + exercise.code()}, Heading{"Dati"},
             inputs(exercise), Heading{"Valori attesi"}, values(exercise),
             Heading{"Resoconto di «Calcolo»"},
             ReportLines{engine::reportLines(exercise.calculation)}}};
}

Document each(const std::vector<practice::Exercise>& set, const std::string& name,
              Page (*page)(const practice::Exercise&)) {
    Document document{setName(set, name), {}};
    for (const practice::Exercise& exercise : set)
        document.pages.push_back(page(exercise));
    return document;
}

} // namespace

Document exerciseSheets(const std::vector<practice::Exercise>& set) {
    return each(set, "esercizi", sheet);
}

Document exerciseKey(const std::vector<practice::Exercise>& set) {
    return each(set, "chiave degli esercizi", keyPage);
}

} // namespace form
