#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;

namespace platform {
class AccessibleArea;
}

namespace main_window {

// "Verifica il calcolo": a student's own five steps, checked against the
// calculation of the window's three boxes as "Calcolo" reads them, each
// verdict with her value, the program's and the note beside her box, and the
// summary said to a screen reader. The words of the check all come from the
// practice layer. Invio checks, Esc closes: closing is no error.
class CheckDialog : public QDialog {
    Q_OBJECT

  public:
    // The three boxes' texts now: temperature, salinity, depth.
    using Inputs = std::function<std::array<std::string, 3>()>;

    CheckDialog(QWidget* parent, Inputs inputs);

    // What a check says first: the first wrong step, or why there is no check.
    QString summary() const;

  private:
    void check();
    // Clears every box's verdict, then says the summary.
    void tell(const QString& summary);

    Inputs inputs_;
    std::array<QLineEdit*, 5> answers_{};
    std::array<QLabel*, 5> verdicts_{};
    QLabel* summary_ = nullptr;
    platform::AccessibleArea* notice_ = nullptr; // says the summary aloud
};

} // namespace main_window
