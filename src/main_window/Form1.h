#pragma once

#include "engine/CalculationValues.h"
#include "form/FormState.h"
#include "main_window/WindowView.h"
#include "platform/Form.h"

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace form {
struct ControlDesign;
}

namespace platform {
class AccessibleArea;
class Timer;
} // namespace platform

namespace main_window {

class ContextMenu;

// The main window: three input boxes, "Calcolo" for the printed report and
// "Grafico" for the near-range plot, redrawn on every tick of Timer1. Its
// widgets are built from the form's description and carry their design
// names (Text1, Command2, Label9, Timer1...) as object names; what a click or
// a tick does, the form's state decides.
class Form1 : public platform::Form {
    Q_OBJECT

  public:
    using CompletedCalculation = form::CompletedCalculation;

    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    const engine::CalculationValues& values() const { return state_.values(); }
    // Whether the window shows the plot ("Grafico" was the last click).
    bool plotShown() const { return state_.plotShown(); }
    // The last "Calcolo" that completed; a failed one does not replace it.
    const std::optional<CompletedCalculation>& lastCalculation() const {
        return state_.lastCalculation();
    }
    // Label1 to Label8, the plot's axis captions, shown only with the plot.
    const std::array<QLabel*, 8>& axisLabels() const { return axisLabels_; }

    // What the window shows, without its boxes and buttons, to copy, save or print.
    WindowView view() const;
    // Label1 to Label9 as they stand now.
    std::vector<Caption> captions() const;
    // The printed lines, as `calcolo` prints them; empty when none are printed.
    QString reportText() const;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    friend class Form1Driver; // types into the boxes and clicks the buttons

    void createControls();
    QWidget* createControl(const form::ControlDesign& design, QWidget* container);
    void createAccessibleAreas();
    void apply(const form::Reaction& reaction);
    void print(const std::vector<std::string>& lines);

    void calcoloClicked();
    void graficoClicked();
    void plotTimerTicked();

    QLineEdit* temperature_ = nullptr; // Text1, degF
    QLineEdit* salinity_ = nullptr;    // Text2, parts per thousand
    QLineEdit* depth_ = nullptr;       // Text4, ft
    QPushButton* calcolo_ = nullptr;   // Command1
    QPushButton* grafico_ = nullptr;   // Command2
    std::array<QLabel*, 8> axisLabels_{};
    platform::Timer* plotTimer_ = nullptr; // Timer1
    ContextMenu* menu_ = nullptr;
    platform::AccessibleArea* notice_ = nullptr; // says results aloud
    platform::AccessibleArea* chart_ = nullptr;  // the plot, for a screen reader

    form::FormState state_;
};

} // namespace main_window
