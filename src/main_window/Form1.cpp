#include "main_window/Form1.h"

#include "engine/Report.h"
#include "engine/RuntimeError.h"
#include "main_window/ErrorBox.h"
#include "main_window/PictureActions.h"
#include "platform/AccessibleArea.h"
#include "platform/Controls.h"
#include "platform/FormFont.h"
#include "platform/PrintedTextView.h"
#include "platform/Timer.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace main_window {

using platform::formFont;
using platform::LabelSizing;

namespace {

// The client area that the layout needs: the right edge and bottom of Frame1.
constexpr QSize kClientSize(15015 / raster::kTwipsPerPixel, 10215 / raster::kTwipsPerPixel);
constexpr raster::Colour kStartBackColour = raster::systemColour(4); // menu
constexpr raster::Colour kPlotBackColour = raster::systemColour(15); // button face
using raster::kBlue;
using raster::kRed;
constexpr int kTimerIntervalMs = 10;
constexpr double kSmallPoints = 9.75;
constexpr double kLargePoints = 12.0;

QFont regular() {
    return formFont(kSmallPoints, false);
}
QFont bold() {
    return formFont(kSmallPoints, true);
}

template <typename Control> Control* named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

} // namespace

Form1::Form1(QWidget* parent)
    : Form(
          kClientSize, formFont(kLargePoints, false),
          [this](const QString& message) { makeErrorBox(this, message)->exec(); }, parent) {
    setWindowTitle(QStringLiteral("Form1"));
    setAccessibleName(QStringLiteral("Raggio limite"));
    setBackColor(kStartBackColour);
    createControls();
    createAxisLabels();
    createAccessibleAreas();
    describeControls();
    const QRect used = childrenRect();
    resize(kClientSize.expandedTo(QSize(used.right() + 1, used.bottom() + 1)));
    Timer1 = named(new platform::Timer(this, kTimerIntervalMs, false), "Timer1");
    Timer1->setHandler([this] { Timer1_Timer(); });
    named(new platform::Timer(this, kTimerIntervalMs, true),
          "Timer2"); // no handler: never wakes us
    // A tick that found nothing to draw lets Timer1 rest until the picture changes.
    connect(this, &Form::pictureChanged, Timer1, &platform::Timer::wake);
    actions_ = new PictureActions(*this);
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QWidget* focus = focusWidget() ? focusWidget() : this;
        actions_->menu().exec(focus->mapToGlobal(focus->rect().center()));
    });
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createControls() {
    const QFont large = formFont(kLargePoints, true);
    auto* Frame1 = named(
        platform::makeFrame(this, {"immissione dati", {5760, 8760, 9255, 1455}, large}), "Frame1");
    auto* Frame2 =
        named(platform::makeFrame(Frame1, {"Temperatura (°F)", {240, 360, 2055, 855}, regular()}),
              "Frame2");
    Text1 = named(platform::makeTextBox(Frame2, {{}, {240, 360, 615, 330}, regular()}), "Text1");
    auto* Frame3 = named(
        platform::makeFrame(Frame1, {"Salinità  (pt x 1000)", {2680, 360, 2055, 855}, regular()}),
        "Frame3");
    auto* Frame5 = named(
        platform::makeFrame(Frame1, {"Quota di calc. (ft)", {5120, 360, 2055, 855}, regular()}),
        "Frame5");
    Text2 = named(platform::makeTextBox(Frame3, {{}, {240, 360, 615, 300}, regular()}), "Text2");
    Text4 = named(platform::makeTextBox(Frame5, {{}, {240, 360, 615, 300}, regular()}), "Text4");
    Command1 =
        named(platform::makeCommandButton(Frame1, {"Calcolo", {7560, 480, 1335, 615}, large}),
              "Command1");
    Command2 =
        named(platform::makeCommandButton(this, {"Grafico", {13320, 7920, 1335, 615}, large}),
              "Command2");
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text4);
    setTabOrder(Text4, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();
}

void Form1::createAxisLabels() {
    const auto axis = [this](const char* caption, raster::TwipRect rect, LabelSizing sizing,
                             std::optional<raster::Colour> colour) {
        return platform::makeLabel(this, {QString::fromUtf8(caption), rect, bold()}, sizing,
                                   colour);
    };
    axisLabels_ = {
        axis("80", {4800, 120, 255, 240}, LabelSizing::Auto, kBlue),
        axis("0", {480, 120, 615, 255}, LabelSizing::Wrap, kBlue),
        axis("0 ", {240, 240, 195, 240}, LabelSizing::Auto, kBlue),
        axis("- 100 ft", {0, 6720, 690, 240}, LabelSizing::Auto, kBlue),
        axis("temp. -gradi F ( 4°F/div.)", {1560, 0, 2505, 240}, LabelSizing::Auto, kBlue),
        axis(" prof.         feet (5ft/div.)", {120, 3480, 1125, 1080}, LabelSizing::Wrap, kBlue),
        axis("distanza  - yd ( 50 yd/div.)", {7560, 0, 2670, 240}, LabelSizing::Auto, {}),
        axis("1000", {14160, 120, 495, 240}, LabelSizing::Auto, {}),
    };
    for (std::size_t i = 0; i < axisLabels_.size(); ++i)
        axisLabels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    named(
        platform::makeLabel(this,
                            {QStringLiteral("Profondità  max  fissata per i calcoli :   D = 15 ft"),
                             {720, 9720, 4335, 375},
                             regular()},
                            LabelSizing::Wrap, kRed),
        "Label9");
}

void Form1::createAccessibleAreas() {
    notice_ = named(new platform::AccessibleArea(this, QAccessible::Notification), "Avviso");
    notice_->setGeometry(0, 0, 0, 0);
    notice_->hide();
    chart_ = named(new platform::AccessibleArea(this, QAccessible::Chart), "Grafico");
    const raster::TwipRect plotArea{500, 500, 13700, 6400}; // both panels' grids
    chart_->setGeometry(platform::toQRect(plotArea));
    chart_->hide();
}

QString Form1::plotSummary() const {
    return QString::fromStdString(state_.plotSummary());
}

void Form1::describeControls() {
    const auto describe = [this](const char* control, const char* name, const char* description) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(control));
        widget->setAccessibleName(QString::fromUtf8(name));
        widget->setAccessibleDescription(QString::fromUtf8(description));
    };
    describe("Frame1", "Immissione dati", "I tre dati del calcolo e il pulsante Calcolo");
    describe("Frame2", "Temperatura", "Temperatura dell'acqua nello strato, in gradi Fahrenheit");
    describe("Frame3", "Salinità", "Salinità in parti per mille");
    describe("Frame5", "Quota di calcolo", "Quota di calcolo in piedi, al massimo 15");
    describe("Text1", "Temperatura (°F)", "Temperatura dell'acqua nello strato isotermo, in °F");
    describe("Text2", "Salinità (pt x 1000)", "Salinità in parti per mille, un numero intero");
    describe("Text4", "Quota di calcolo (ft)",
             "Profondità del punto di calcolo in piedi, da -32753 a 15");
    describe("Command1", "Calcolo",
             "Calcola velocità del suono, raggio, angolo di radenza e distanza e ne stampa i "
             "passaggi nella finestra");
    describe("Command2", "Grafico",
             "Disegna il profilo di temperatura, il raggio limite e il punto calcolato");
    const char* axisDescriptions[] = {
        "Fine della scala delle temperature, 80 °F",
        "Inizio della scala delle temperature, 0 °F",
        "Superficie, profondità 0",
        "Fondo del grafico, profondità 100 piedi",
        "Scala delle temperature, 4 °F per divisione",
        "Scala delle profondità, 5 piedi per divisione",
        "Scala delle distanze, 50 iarde per divisione",
        "Fine della scala delle distanze, 1000 iarde",
    };
    for (std::size_t i = 0; i < axisLabels_.size(); ++i) {
        axisLabels_[i]->setAccessibleName(axisLabels_[i]->text().trimmed());
        axisLabels_[i]->setAccessibleDescription(QString::fromUtf8(axisDescriptions[i]));
    }
    describe("Label9", "Profondità massima dello strato: 15 ft",
             "I calcoli assumono lo strato isotermo profondo 15 piedi");
    printedText().setAccessibleName(QStringLiteral("Resoconto"));
    printedText().setAccessibleDescription(
        QStringLiteral("Le righe stampate da Calcolo, da leggere riga per riga"));
    describe("Avviso", "Avviso", ""); // spoken on its own: no description to repeat
    describe("Grafico", "Grafico", "Nessun grafico");
}

void Form1::setAxisLabelsVisible(bool visible) {
    for (QLabel* label : axisLabels_)
        label->setVisible(visible);
}

void Form1::Form_Load() {
    setAxisLabelsVisible(false);
}

void Form1::Command1_Click() {
    runHandler([this] {
        Timer1->setEnabled(false);
        calcola();
        notice_->announce(surface().lines().last());
    });
}

void Form1::Command2_Click() {
    runHandler([this] {
        surface().cls();
        Timer1->setEnabled(true);
        setBackColor(kPlotBackColour);
        setAxisLabelsVisible(true);
        state_.grafico();
        graficaOrStop();
        chart_->setAccessibleDescription(plotSummary());
        chart_->show();
        notice_->announce(plotSummary());
    });
}

void Form1::Timer1_Timer() {
    runHandler([this] {
        if (!graficaOrStop())
            Timer1->rest();
    });
}

bool Form1::graficaOrStop() {
    try {
        return state_.draw(surface().canvas());
    } catch (const engine::RuntimeError&) {
        Timer1->setEnabled(false);
        throw;
    }
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
    actions_->menu().exec(event->globalPos());
}

void Form1::calcola() {
    setAxisLabelsVisible(false);
    surface().cls();
    chart_->hide();
    const std::vector<std::string> lines = state_.calcolo(
        Text1->text().toStdString(), Text2->text().toStdString(), Text4->text().toStdString());
    for (const std::string& line : lines) {
        if (line.empty())
            surface().print({});
        else
            surface().print({platform::PrintItem::Spc(engine::kReportIndentBlanks),
                             QString::fromStdString(line)});
    }
}

} // namespace main_window
