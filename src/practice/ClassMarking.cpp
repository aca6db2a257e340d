#include "practice/ClassMarking.h"

#include "practice/CsvReader.h"
#include "practice/Digits.h"
#include "practice/ExerciseSet.h"

#include "engine/RuntimeError.h"

#include <algorithm>
#include <array>
#include <map>

namespace practice {

namespace {

enum class Column {
    Name,
    Code,
    Temperature,
    Salinity,
    Depth,
    Velocity,
    Radius,
    Cosine,
    Angle,
    Range
};
constexpr std::size_t kColumnCount = 10;
constexpr Column kInputColumns[] = {Column::Temperature, Column::Salinity, Column::Depth};
constexpr Column kStepColumns[] = {Column::Velocity, Column::Radius, Column::Cosine, Column::Angle,
                                   Column::Range};

struct ColumnName {
    const char* name; // lower case, without accents
    Column column;
};

constexpr ColumnName kColumnNames[] = {
    {"nome", Column::Name},
    {"codice", Column::Code},
    {"temperatura", Column::Temperature},
    {"salinita", Column::Salinity},
    {"quota", Column::Depth},
    {"velocita", Column::Velocity},
    {"raggio", Column::Radius},
    {"coseno", Column::Cosine},
    {"cos(teta)", Column::Cosine},
    {"teta", Column::Angle},
    {"s", Column::Range},
    {"ascissa", Column::Range},
};

const char* const kInputNames[] = {"la temperatura", "la salinità", "la quota"};

const std::string kColumnsHelp = "le colonne sono nome, codice (oppure temperatura, salinita e "
                                 "quota) e i passi velocita, raggio, coseno, teta e S";

constexpr std::size_t at(Column column) {
    return static_cast<std::size_t>(column);
}

// A header's name as it is looked up: no blanks around it, lower case, the
// accented vowels plain.
std::string normalized(std::string_view text) {
    static const std::pair<std::string_view, char> kAccents[] = {
        {"à", 'a'}, {"á", 'a'}, {"è", 'e'}, {"é", 'e'}, {"ì", 'i'}, {"í", 'i'},
        {"ò", 'o'}, {"ó", 'o'}, {"ù", 'u'}, {"ú", 'u'}, {"À", 'a'}, {"È", 'e'},
        {"É", 'e'}, {"Ì", 'i'}, {"Ò", 'o'}, {"Ù", 'u'}};
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        const auto accent =
            std::find_if(std::begin(kAccents), std::end(kAccents),
                         [&](const auto& a) { return text.substr(i).starts_with(a.first); });
        if (accent != std::end(kAccents)) {
            plain += accent->second;
            i += accent->first.size();
        } else {
            const char c = text[i++];
            plain += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        }
    }
    const std::size_t first = plain.find_first_not_of(" \t");
    return first == std::string::npos
               ? std::string()
               : plain.substr(first, plain.find_last_not_of(" \t") - first + 1);
}

std::string onLine(int line, const std::string& what) {
    return "riga " + std::to_string(line) + ": " + what;
}

// Where each known column lies in the records; -1 where the file has none.
using Layout = std::array<int, kColumnCount>;

std::optional<Layout> layoutOf(const CsvRecord& header, std::string* problem) {
    Layout layout;
    layout.fill(-1);
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = normalized(header.fields[i]);
        const auto known = std::find_if(std::begin(kColumnNames), std::end(kColumnNames),
                                        [&](const ColumnName& c) { return name == c.name; });
        if (known == std::end(kColumnNames)) {
            *problem = onLine(header.line,
                              "colonna sconosciuta «" + header.fields[i] + "»: " + kColumnsHelp);
            return std::nullopt;
        }
        if (layout[at(known->column)] >= 0) {
            *problem = onLine(header.line, "la colonna «" + header.fields[i] + "» c'è due volte");
            return std::nullopt;
        }
        layout[at(known->column)] = int(i);
    }
    const auto has = [&](Column c) { return layout[at(c)] >= 0; };
    const bool inputs = std::all_of(std::begin(kInputColumns), std::end(kInputColumns), has);
    if (!has(Column::Name))
        *problem = onLine(header.line, "manca la colonna nome: " + kColumnsHelp);
    else if (!has(Column::Code) && !inputs)
        *problem = onLine(header.line, "manca la colonna codice, o le colonne temperatura, "
                                       "salinita e quota: " +
                                           kColumnsHelp);
    else if (std::none_of(std::begin(kStepColumns), std::end(kStepColumns), has))
        *problem = onLine(header.line, "manca una colonna dei passi: " + kColumnsHelp);
    return problem->empty() ? std::optional<Layout>(layout) : std::nullopt;
}

std::string fieldOf(const CsvRecord& record, const Layout& layout, Column column) {
    const int i = layout[at(column)];
    const std::string& text = i >= 0 && std::size_t(i) < record.fields.size()
                                  ? record.fields[std::size_t(i)]
                                  : std::string();
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos
               ? std::string()
               : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The exercises that the rows' codes name, each seed's set made once, as
// long as the longest code needs.
class Exercises {
  public:
    explicit Exercises(const ExerciseRanges& ranges) : ranges_(ranges) {}

    void want(const std::string& code) {
        std::string ignored;
        if (const auto c = ExerciseSet::readCode(code, &ignored))
            longest_[c->seed] = std::max(longest_[c->seed], c->number);
    }

    const Exercise* find(const std::string& code, std::string* problem) {
        const auto c = ExerciseSet::readCode(code, problem);
        if (!c)
            return nullptr;
        std::vector<Exercise>& set = made_[c->seed];
        if (int(set.size()) < c->number) {
            auto made = ExerciseSet::make(c->seed, std::max(longest_[c->seed], c->number), ranges_,
                                          problem);
            if (!made)
                return nullptr;
            set = std::move(*made);
        }
        return &set[std::size_t(c->number - 1)];
    }

  private:
    ExerciseRanges ranges_;
    std::map<std::uint64_t, int> longest_;
    std::map<std::uint64_t, std::vector<Exercise>> made_;
};

// The three inputs of a row, read as numbers with either decimal point.
std::optional<engine::Calculation> calculationOf(const std::array<std::string, 3>& texts,
                                                 std::string* problem) {
    std::array<std::string, 3> boxes;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (texts[i].empty()) {
            *problem = std::string("manca ") + kInputNames[i] + ", o il codice";
            return std::nullopt;
        }
        const std::optional<WrittenNumber> number = WrittenNumber::read(texts[i]);
        if (!number) {
            *problem = std::string(kInputNames[i]) + ": " + WrittenNumber::notANumber(texts[i]);
            return std::nullopt;
        }
        boxes[i] = digits::shortest(number->value);
    }
    try {
        return engine::Calculation::fromTexts(boxes[0], boxes[1], boxes[2]);
    } catch (const engine::RuntimeError& error) {
        std::string message = error.what();
        std::replace(message.begin(), message.end(), '\n', ' ');
        message.erase(std::unique(message.begin(), message.end(),
                                  [](char a, char b) { return a == ' ' && b == ' '; }),
                      message.end());
        *problem = boxes[0] + ", " + boxes[1] + ", " + boxes[2] + ": " + message;
        return std::nullopt;
    }
}

// How the class's CSV names a step's column: as the exercise list does.
const char* columnOf(Step step) {
    return step == Step::Range ? "S" : namesOf(step).id;
}

std::string inputsOf(const engine::CalculationValues& v) {
    return digits::shortest(v.T) + " °F, " + std::to_string(v.sa) + " ‰, " + std::to_string(v.D) +
           " ft";
}

bool sameInputs(const engine::CalculationValues& one, const engine::CalculationValues& other) {
    return one.T == other.T && one.sa == other.sa && one.D == other.D;
}

std::optional<MarkedStudent> marked(const CsvRecord& record, const Layout& layout,
                                    std::size_t columns, Exercises& exercises,
                                    std::string* problem) {
    if (record.fields.size() > columns) {
        *problem =
            onLine(record.line, std::to_string(record.fields.size()) +
                                    " campi, ma l'intestazione ne ha " + std::to_string(columns));
        return std::nullopt;
    }
    const std::string name = fieldOf(record, layout, Column::Name);
    const std::string code = fieldOf(record, layout, Column::Code);
    std::array<std::string, 3> inputTexts;
    for (std::size_t i = 0; i < inputTexts.size(); ++i)
        inputTexts[i] = fieldOf(record, layout, kInputColumns[i]);
    const bool inputsGiven = std::any_of(inputTexts.begin(), inputTexts.end(),
                                         [](const std::string& t) { return !t.empty(); });
    std::string why;
    std::optional<engine::Calculation> calculation;
    const Exercise* exercise = nullptr;
    if (name.empty())
        why = "manca il nome";
    else if (!code.empty() && (exercise = exercises.find(code, &why)))
        calculation = exercise->calculation;
    if (why.empty() && (code.empty() || inputsGiven)) {
        const auto typed = calculationOf(inputTexts, &why);
        if (exercise && typed && !sameInputs(typed->values, exercise->calculation.values))
            why = "i dati non sono quelli dell'esercizio " + exercise->code() + " (" +
                  exercise->inputs() + ")";
        calculation = calculation ? calculation : typed;
    }
    if (!why.empty()) {
        *problem = onLine(record.line, why);
        return std::nullopt;
    }
    Working working;
    for (std::size_t i = 0; i < std::size(kStepColumns); ++i)
        working.set(kSteps[i], fieldOf(record, layout, kStepColumns[i]));
    return MarkedStudent{record.line,
                         name,
                         exercise ? exercise->code() : std::string(),
                         exercise ? exercise->inputs() : inputsOf(calculation->values),
                         *calculation,
                         working,
                         Check(*calculation, working)};
}

} // namespace

std::optional<ClassMarking> ClassMarking::read(std::string_view bytes, const ExerciseRanges& ranges,
                                               std::string* problem) {
    const std::optional<CsvFile> file = CsvFile::read(bytes, problem);
    if (!file)
        return std::nullopt;
    if (file->records.size() < 2) {
        *problem = file->records.empty() ? "il file è vuoto"
                                         : "il file ha solo l'intestazione, nessuno studente";
        return std::nullopt;
    }
    const std::optional<Layout> layout = layoutOf(file->records.front(), problem);
    if (!layout)
        return std::nullopt;
    Exercises exercises(ranges);
    for (const CsvRecord& record : file->records)
        exercises.want(fieldOf(record, *layout, Column::Code));
    ClassMarking marking;
    for (std::size_t i = 1; i < file->records.size(); ++i) {
        std::optional<MarkedStudent> student = marked(
            file->records[i], *layout, file->records.front().fields.size(), exercises, problem);
        if (!student)
            return std::nullopt;
        marking.students_.push_back(std::move(*student));
    }
    return marking;
}

std::string ClassMarking::text() const {
    std::string text;
    int points = 0;
    for (const MarkedStudent& s : students_) {
        text += s.name + (s.code.empty() ? "" : ", esercizio " + s.code) + " (" + s.inputs +
                "): punti " + std::to_string(s.check.points()) + " su " +
                std::to_string(kSteps.size()) + "\n" + s.check.text() + "\n";
        points += s.check.points();
    }
    const std::size_t count = students_.size();
    return text + "Classe di " + std::to_string(count) + (count == 1 ? " studente" : " studenti") +
           ": in media " + digits::fixed(double(points) / double(count), 1) + " punti su " +
           std::to_string(kSteps.size()) + ".\n";
}

std::string ClassMarking::csv(const CsvDialect& dialect) const {
    CsvWriter csv(dialect);
    for (const char* column : {"nome", "codice", "temperatura", "salinita", "quota"})
        csv.text(column);
    for (const Step step : kSteps)
        csv.text(columnOf(step));
    csv.text("punti").text("primo_sbagliato").text("note").endRecord();
    for (const MarkedStudent& s : students_) {
        const engine::CalculationValues& v = s.calculation.values;
        csv.text(s.name).text(s.code).number(v.T).whole(v.sa).whole(v.D);
        std::string notes;
        for (const StepCheck& step : s.check.steps()) {
            csv.text(wordOf(step.verdict));
            if (!step.note.empty())
                notes += (notes.empty() ? "" : " | ") + std::string(namesOf(step.step).label) +
                         ": " + step.note;
        }
        const std::optional<Step> wrong = s.check.firstWrong();
        csv.whole(s.check.points()).text(wrong ? columnOf(*wrong) : "").text(notes);
        csv.endRecord();
    }
    return csv.bytes();
}

} // namespace practice
