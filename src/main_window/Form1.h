#pragma once

#include "engine/CalculationValues.h"
#include "form/FormState.h"
#include "platform/Form.h"

#include <QString>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class AccessibleArea;
class Timer;
} // namespace platform

namespace main_window {

class PictureActions;

// The main window: three input boxes, "Calcolo" for the printed report and
// "Grafico" for the near-range plot, redrawn on every tick of Timer1. Its
// controls carry their design names (Text1, Command2, Label9, Timer1...) as
// object names.
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

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    friend class Form1Driver; // types into the boxes and clicks the buttons

    void createControls();
    void createAxisLabels();
    void describeControls(); // accessible names and descriptions, in Italian
    void setAxisLabelsVisible(bool visible);
    void createAccessibleAreas();
    // What the plot shows, in words, for a screen reader.
    QString plotSummary() const;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void calcola();
    // grafica, with Timer1 stopped first if it fails, so the error is reported
    // once; whether it drew anything.
    bool graficaOrStop();

    QLineEdit* Text1 = nullptr; // temperature, degF
    QLineEdit* Text2 = nullptr; // salinity, parts per thousand
    QLineEdit* Text4 = nullptr; // calculation depth, ft
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    std::array<QLabel*, 8> axisLabels_{}; // Label1 to Label8
    platform::Timer* Timer1 = nullptr;
    PictureActions* actions_ = nullptr;
    platform::AccessibleArea* notice_ = nullptr; // says results aloud
    platform::AccessibleArea* chart_ = nullptr;  // the plot, for a screen reader

    form::FormState state_;
};

} // namespace main_window
