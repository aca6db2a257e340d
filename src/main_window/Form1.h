#pragma once

#include "engine/CalculationValues.h"
#include "form/FormState.h"
#include "main_window/WindowView.h"
#include "platform/Form.h"

#include <array>

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
// names (Text1, Command2, Label9, Timer1...) as object names; what the window
// shows at the start and after a click or a tick, the form's state decides.
class Form1 : public platform::Form {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    const engine::CalculationValues& values() const { return state_.values(); }
    // Whether the window shows the plot ("Grafico" was the last click).
    bool plotShown() const { return state_.plotShown(); }

    // What the window shows, without its boxes and buttons, to copy, save or
    // print: its picture, with the captions that its description puts over it.
    WindowView view() const;
    // The printed lines, as `calcolo` prints them; empty when none are printed.
    QString reportText() const;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void ratioChanged() override;

  private:
    void createControls();
    QWidget* createControl(const form::ControlDesign& design, QWidget* container);
    void createAccessibleAreas();
    void apply(const form::Reaction& reaction);

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
