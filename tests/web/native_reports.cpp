// What "Calcolo" shows natively for each line of standard input, the three
// box texts separated by tabs: one JSON string a line, "ok" and the report's
// lines joined by newlines, or "err" and the message. The page's engine,
// run under node, must give the same strings (engine_test.mjs).
#include "engine/Report.h"
#include "form/FormState.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

std::string json(const std::string& text) {
    std::string out = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += char(c);
        }
    }
    return out + '"';
}

std::string field(const std::string& line, std::size_t index) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i)
        start = line.find('\t', start) + 1;
    return line.substr(start, line.find('\t', start) - start);
}

} // namespace

int main() {
    form::FormState state;
    for (std::string line; std::getline(std::cin, line);) {
        const form::Reaction r = state.calcolo(field(line, 0), field(line, 1), field(line, 2));
        const std::string shown =
            r.error.empty() ? "ok\n" + engine::reportText(r.report) : "err\n" + r.error;
        std::cout << json(shown) << '\n';
    }
    return std::cout.flush() ? 0 : 1;
}
