#include "practice/ExerciseFiles.h"

#include "practice/Digits.h"

namespace practice::exercise_files {

namespace {

const char* const kListColumns[] = {"codice", "temperatura", "salinita", "quota", "velocita",
                                    "raggio", "coseno",      "teta",     "S"};

// What is between the tags: the texts here hold no markup of their own.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string question(const Exercise& e) {
    return "<p>Esercizio " + e.code() + ". " + e.setting() +
           "</p><p>Calcola la distanza orizzontale S, in iarde (Yd), dal punto del raggio limite "
           "alla quota di calcolo D = " +
           e.depthText() +
           " ft al suo punto più basso, come la calcola Raggio limite: "
           "S = Int(r1 · sin(teta) / 3), la parte intera.</p><p>Scrivi S come numero intero.</p>";
}

std::string workedValues(const Exercise& e) {
    const engine::RayPoint& p = e.calculation.point;
    return "<p>velocità del suono = " + digits::shortest(p.vel) +
           " ft/s; raggio r1 = " + digits::shortest(p.r1) +
           " ft; Cos(teta) = " + digits::shortest(p.cosTeta) +
           "; teta = " + digits::shortest(p.teta) + " rad; S = " + std::to_string(p.S) + " Yd.</p>";
}

} // namespace

std::string list(const std::vector<Exercise>& set, const CsvDialect& dialect) {
    CsvWriter csv(dialect);
    for (const char* column : kListColumns)
        csv.text(column);
    csv.endRecord();
    for (const Exercise& e : set) {
        const engine::RayPoint& p = e.calculation.point;
        csv.text(e.code()).number(e.calculation.values.T).whole(e.salinity).whole(e.depth);
        csv.number(p.vel).number(p.r1).number(p.cosTeta).number(p.teta).whole(p.S);
        csv.endRecord();
    }
    return csv.bytes();
}

std::string moodle(const std::vector<Exercise>& set, const ExerciseRanges& ranges) {
    const std::string seed = set.empty() ? "" : std::to_string(set.front().seed);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";
    xml += "  <question type=\"category\">\n    <category>\n      <text>$course$/top/Raggio "
           "limite/Seme " +
           seed +
           "</text>\n    </category>\n    <info format=\"html\">\n"
           "      <text>" +
           escaped("<p>" + std::to_string(set.size()) + " esercizi del seme " + seed + ": " +
                   ranges.description() + ".</p>") +
           "</text>\n    </info>\n  </question>\n";
    for (const Exercise& e : set) {
        xml += "  <question type=\"numerical\">\n";
        xml += "    <name>\n      <text>Raggio limite " + e.code() + "</text>\n    </name>\n";
        xml += "    <questiontext format=\"html\">\n      <text>" + escaped(question(e)) +
               "</text>\n    </questiontext>\n";
        xml += "    <generalfeedback format=\"html\">\n      <text>" + escaped(workedValues(e)) +
               "</text>\n    </generalfeedback>\n";
        xml += "    <defaultgrade>1</defaultgrade>\n    <penalty>0.3333333</penalty>\n"
               "    <hidden>0</hidden>\n    <idnumber>" +
               e.code() + "</idnumber>\n";
        xml += "    <answer fraction=\"100\" format=\"moodle_auto_format\">\n      <text>" +
               std::to_string(e.calculation.point.S) +
               "</text>\n      <tolerance>0</tolerance>\n      <feedback format=\"html\">\n"
               "        <text>" +
               escaped("<p>Giusto.</p>") + "</text>\n      </feedback>\n    </answer>\n";
        xml += "    <unitgradingtype>0</unitgradingtype>\n    <unitpenalty>0.1</unitpenalty>\n"
               "    <showunits>3</showunits>\n    <unitsleft>0</unitsleft>\n";
        xml += "  </question>\n";
    }
    return xml + "</quiz>\n";
}

} // namespace practice::exercise_files
