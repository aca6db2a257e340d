#pragma once

#include <QString>

namespace platform {

// One item of a Print: text written as it is, or Spc(n), which moves the
// print position right by n blanks of the font's average character width.
struct PrintItem {
    QString text;
    int blanks = 0;

    PrintItem(QString t) : text(std::move(t)) {}             // NOLINT: items read like Print's list
    PrintItem(const char* t) : text(QString::fromUtf8(t)) {} // NOLINT
    static PrintItem Spc(int n) {
        PrintItem item{QString()};
        item.blanks = n;
        return item;
    }
};

} // namespace platform
