#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// A JSON object written member by member: what the bindings hand the page.
class Json {
  public:
    Json& add(std::string_view key, std::string_view text) { return raw(key, quoted(text)); }
    Json& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
    Json& add(std::string_view key, bool value) { return raw(key, value ? "true" : "false"); }
    Json& add(std::string_view key, int value) { return raw(key, std::to_string(value)); }
    Json& add(std::string_view key, double value) { return raw(key, number(value)); }
    // A member whose value is JSON already: an object, an array, null.
    Json& raw(std::string_view key, std::string_view json) {
        text_ += text_.empty() ? "{" : ",";
        text_ += quoted(key) + ":" + std::string(json);
        return *this;
    }
    std::string str() const { return text_.empty() ? "{}" : text_ + "}"; }

    static std::string number(double value) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.17g", value);
        return digits;
    }

    static std::string quoted(std::string_view text) {
        std::string out = "\"";
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                out += escape;
            } else {
                out += c;
            }
        }
        return out + '"';
    }

  private:
    std::string text_;
};
