#pragma once

#include "platform/Form.h"
#include "plot/NearRangePlot.h"
#include "ray/FormVariables.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class Timer;
}

// The main window: three input boxes, "Calcolo" for the printed report and
// "Grafico" for the near-range plot, redrawn on every tick of Timer1.
class Form1 : public platform::Form {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Draws the near-range plot over what the window shows.
    void grafica();

    const FormVariables& variables() const { return variables_; }

    // The controls, named as in the window's design.
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QLineEdit* Text1 = nullptr; // temperature, degF
    QLineEdit* Text2 = nullptr; // salinity, parts per thousand
    QLineEdit* Text4 = nullptr; // calculation depth, ft
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    std::array<QLabel*, 8> axisLabels{}; // Label1 to Label8
    QLabel* Label9 = nullptr;
    platform::Timer* Timer1 = nullptr;
    platform::Timer* Timer2 = nullptr;

  private:
    void createControls();
    void createAxisLabels();
    void describeControls(); // accessible names and descriptions, in Italian
    void setAxisLabelsVisible(bool visible);

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void calcola();
    // grafica, with Timer1 stopped first if it fails, so the error is reported once.
    void graficaOrStop();

    FormVariables variables_;
    NearRangePlot plot_;
};
