#include "engine/InputBoxes.h"

namespace engine {

std::string plainCaption(std::string_view caption) {
    std::string plain;
    for (const char c : caption) {
        if (c != ' ')
            plain += c;
        else if (!plain.empty() && plain.back() != ' ')
            plain += ' ';
    }
    if (!plain.empty() && plain.back() == ' ')
        plain.pop_back();
    return plain;
}

} // namespace engine
