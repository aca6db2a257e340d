#pragma once

#include <QString>

#include <clocale>

// Whether the test runs in the locale that LC_ALL asks for: on a system
// without it, the C library stays in "C" and an Italian run proves nothing.
namespace test_locale {

inline bool asAsked() {
    const char* now = std::setlocale(LC_ALL, nullptr);
    return !qEnvironmentVariableIsSet("LC_ALL") ||
           (now && qEnvironmentVariable("LC_ALL") == QLatin1String(now));
}

inline const char* const kMissing =
    "the locale that LC_ALL names is missing (script/setup makes it)";

} // namespace test_locale
