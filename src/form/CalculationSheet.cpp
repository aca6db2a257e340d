#include "form/CalculationSheet.h"

#include "engine/Report.h"

#include <string>

namespace form {

namespace {

constexpr auto kTitle = "Raggio limite – scheda di calcolo";
// Where the table's columns start, points from the margin: the box, its text, its value.
const std::vector<double> kInputColumns = {0.0, 150.0, 290.0};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Table inputs(const CompletedCalculation& done) {
    const engine::UsedValues used = engine::usedValues(done.calculation.values);
    const std::string* typed[] = {&done.temperature, &done.salinity, &done.depth};
    const std::string* usedText[] = {&used.temperature, &used.salinity, &used.depth};
    Table table{kInputColumns, {"Casella", "Testo immesso", "Valore usato"}, {}};
    for (std::size_t i = 0; i < std::size(kInputBoxes); ++i)
        table.rows.push_back({std::string(control(control(kInputBoxes[i]).container).caption),
                              "«" + *typed[i] + "»", trimmed(*usedText[i])});
    return table;
}

} // namespace

FieldLines nameClassAndDate() {
    return {{{"Nome", 30}, {"Classe", 8}, {"Data", 14}}};
}

Document calculationSheet(const std::optional<CompletedCalculation>& done) {
    Page page{{Title{kTitle}}};
    if (!done) {
        page.blocks.push_back(
            Message{"Nessun calcolo da mettere nella scheda: premere prima «Calcolo»."});
        return {kTitle, {page}};
    }
    page.blocks.insert(page.blocks.end(),
                       {nameClassAndDate(), Heading{"Dati del calcolo"}, inputs(*done),
                        Heading{"Resoconto di «Calcolo»"},
                        ReportLines{engine::reportLines(done->calculation)}, Heading{"Grafico"},
                        Plot{done->calculation.values, plotArea(), axisCaptions()}});
    return {kTitle, {page}};
}

} // namespace form
