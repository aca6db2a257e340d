// What the page's "Verifica" panel calls: a student's working checked
// against the three boxes, the exercises of a set by their codes, and the
// links that fill the boxes. Every text it shows comes from here, as JSON.
#include "Json.h"

#include "engine/Calculation.h"
#include "engine/RuntimeError.h"
#include "practice/Check.h"
#include "practice/ExerciseSet.h"
#include "practice/Working.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

using practice::ExerciseSet;

const char* answer(std::string json) {
    static std::string text; // the last answer, until the next call
    text = std::move(json);
    return text.c_str();
}

std::string stepsOf(const practice::Check& check) {
    std::string json = "[";
    for (const practice::StepCheck& s : check.steps())
        json += (json.size() > 1 ? "," : "") +
                Json()
                    .add("id", practice::namesOf(s.step).id)
                    .add("esito", practice::wordOf(s.verdict))
                    .add("confronto", s.comparison())
                    .add("nota", s.note)
                    .add("sbagliato", s.verdict == practice::Verdict::Wrong)
                    .str();
    return json + "]";
}

// The exercise, as the panel shows it and the boxes take it; null, with the
// reason in *why, when the set has none such.
std::string exercise(std::uint64_t seed, int number, std::string* why) {
    const auto set = ExerciseSet::make(seed, number, practice::ExerciseRanges{}, why);
    if (!set)
        return "null";
    const practice::Exercise& e = set->back();
    return Json()
        .add("codice", e.code())
        .add("testo", "Esercizio " + e.code() + ": " + e.inputs())
        .raw("caselle", "[" + Json::quoted(e.temperature()) + "," + Json::quoted(e.salinityText()) +
                            "," + Json::quoted(e.depthText()) + "]")
        .str();
}

// %XX in a link's value as the byte it stands for; nothing for a broken one.
std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        int byte = 0;
        for (const char c : text.substr(i + 1, 2)) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return std::nullopt;
            byte = byte * 16 + digit;
        }
        out += char(byte);
        i += 2;
    }
    return out;
}

// What a link asks: the exercise of a code, or any of the three boxes.
struct Link {
    std::optional<std::string> code;
    std::array<std::optional<std::string>, 3> boxes; // t, s, q
};

std::optional<Link> readLink(std::string_view hash) {
    static constexpr std::string_view kBoxKeys[] = {"t", "s", "q"};
    Link link;
    while (!hash.empty()) {
        const std::size_t end = hash.find('&');
        const std::string_view part = hash.substr(0, end);
        hash = end == std::string_view::npos ? std::string_view() : hash.substr(end + 1);
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = part.substr(0, equals);
        const auto value = unescaped(part.substr(equals + 1));
        std::optional<std::string>* slot = key == "esercizio" ? &link.code : nullptr;
        for (std::size_t i = 0; i < 3; ++i)
            if (key == kBoxKeys[i])
                slot = &link.boxes[i];
        if (!slot || *slot || !value)
            return std::nullopt; // unknown, given twice or broken
        *slot = *value;
    }
    const bool anyBox = link.boxes[0] || link.boxes[1] || link.boxes[2];
    if (link.code.has_value() == anyBox)
        return std::nullopt; // both, or neither
    return link;
}

std::string optionalText(const std::optional<std::string>& text) {
    return text ? Json::quoted(*text) : "null";
}

std::string linkAnswer(const Link& link, const std::string& exerciseJson,
                       const std::string& notice) {
    return Json()
        .raw("caselle", "[" + optionalText(link.boxes[0]) + "," + optionalText(link.boxes[1]) +
                            "," + optionalText(link.boxes[2]) + "]")
        .raw("esercizio", exerciseJson)
        .add("avviso", notice)
        .str();
}

} // namespace

extern "C" {

// The five steps' boxes: each one's id and caption, in the report's order.
EMSCRIPTEN_KEEPALIVE const char* rl_passi() {
    std::string json = "[";
    for (const practice::Step step : practice::kSteps)
        json += (json.size() > 1 ? "," : "") + Json()
                                                   .add("id", practice::namesOf(step).id)
                                                   .add("casella", practice::namesOf(step).box)
                                                   .str();
    return answer(json + "]");
}

// Her five steps checked against the three boxes, read as "Calcolo" reads
// them: the summary, the step a message names (a text that is not a
// number) and each step's verdict, comparison and note; no steps where the
// boxes do not compute or a step is not a number.
EMSCRIPTEN_KEEPALIVE const char* rl_verifica(const char* temperature, const char* salinity,
                                             const char* depth, const char* velocity,
                                             const char* radius, const char* cosine,
                                             const char* angle, const char* range) {
    practice::Working working;
    const char* texts[] = {velocity, radius, cosine, angle, range};
    for (const practice::Step step : practice::kSteps)
        working.set(step, texts[practice::indexOf(step)]);
    if (const auto problem = working.problem()) {
        const char* named = "";
        for (const practice::Step step : practice::kSteps)
            if (working.answer(step) && !working.number(step)) {
                named = practice::namesOf(step).id;
                break;
            }
        return answer(
            Json().add("sommario", *problem).add("casella", named).raw("passi", "null").str());
    }
    try {
        const practice::Check check(engine::Calculation::fromTexts(temperature, salinity, depth),
                                    working);
        return answer(Json()
                          .add("sommario", check.summary())
                          .add("casella", "")
                          .raw("passi", stepsOf(check))
                          .str());
    } catch (const engine::RuntimeError& error) {
        return answer(
            Json().add("sommario", error.what()).add("casella", "").raw("passi", "null").str());
    }
}

// "Nuovo esercizio": after the exercise of the code, the next of its set;
// with no code, or past the set's last, the first of the seed given.
EMSCRIPTEN_KEEPALIVE const char* rl_nuovo(const char* code, double seed) {
    std::string why;
    if (const auto current = *code ? ExerciseSet::readCode(code, &why) : std::nullopt)
        if (std::string next = exercise(current->seed, current->number + 1, &why); next != "null")
            return answer(std::move(next));
    return answer(exercise(std::uint64_t(seed), 1, &why));
}

// A link's part after "#": #esercizio=2027-07 opens that exercise of the
// default ranges, #t=52.3&s=36&q=4 fills those boxes. What to fill, and the
// notice for a link that does neither.
EMSCRIPTEN_KEEPALIVE const char* rl_collegamento(const char* hash) {
    const std::string_view given(hash);
    const std::optional<Link> link = readLink(given);
    if (!link)
        return answer(linkAnswer({}, "null",
                                 "Il collegamento «#" + std::string(given) +
                                     "» non si capisce: si scrive #esercizio=2027-07 oppure "
                                     "#t=52.3&s=36&q=4. Le caselle restano come erano."));
    if (!link->code)
        return answer(linkAnswer(*link, "null", ""));
    std::string why;
    const auto code = ExerciseSet::readCode(*link->code, &why);
    const std::string found = code ? exercise(code->seed, code->number, &why) : "null";
    if (found == "null")
        return answer(linkAnswer(
            {}, "null", "Il collegamento non vale: " + why + ". Le caselle restano come erano."));
    return answer(linkAnswer({}, found, ""));
}

} // extern "C"
