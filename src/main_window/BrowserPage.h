#pragma once

#include <QString>

namespace main_window {

// The page for the browser, raggio-limite.html: the same calculator in one
// file that any browser opens from disk, for students who cannot install
// anything. The program hands it out as it was installed beside it, or, not
// installed, as its build made it.
class BrowserPage {
  public:
    // Where the page is, or empty when neither place has it.
    static QString location();

    // The page written whole or not at all; false with an Italian reason in *problem.
    static bool save(const QString& path, QString* problem);
};

} // namespace main_window
