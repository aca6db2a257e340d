#include "main_window/Form1.h"

#include "engine/Numeric.h"
#include "engine/Report.h"
#include "form/FormDescription.h"
#include "main_window/ContextMenu.h"
#include "main_window/ErrorBox.h"
#include "platform/AccessibleArea.h"
#include "platform/Controls.h"
#include "platform/FormFont.h"
#include "platform/PrintedTextView.h"
#include "platform/QtGeometry.h"
#include "platform/Timer.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include <map>

namespace main_window {

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QFont fontOf(const form::FontDesign& font) {
    return platform::formFont(font.points, font.bold);
}

QSize pixelSize(const raster::TwipRect& rect) {
    return platform::toQRect(rect).size();
}

platform::LabelSizing labelSizing(form::LabelSizing sizing) {
    return sizing == form::LabelSizing::Auto ? platform::LabelSizing::Auto
                                             : platform::LabelSizing::Wrap;
}

// A box whose text is not read whole says so, as its tooltip and its
// description; otherwise its description is the design's.
void tellHowRead(QLineEdit& box) {
    const QString notice = text(engine::readingNotice(box.text().toStdString()));
    box.setToolTip(notice);
    box.setAccessibleDescription(
        notice.isEmpty() ? text(form::control(box.objectName().toStdString()).description)
                         : notice);
}

template <typename Widget> Widget* named(Widget* widget, std::string_view name) {
    widget->setObjectName(text(name));
    return widget;
}

} // namespace

Form1::Form1(QWidget* parent)
    : Form(
          pixelSize(form::clientArea()), fontOf(form::kReportFont),
          [this](const QString& message) { makeErrorBox(this, message)->exec(); }, parent) {
    setWindowTitle(text(form::kWindowTitle));
    setAccessibleName(text(form::kWindowName));
    setBackColor(form::kStartBackColour);
    createControls();
    createAccessibleAreas();
    const QRect used = childrenRect();
    resize(pixelSize(form::clientArea()).expandedTo(QSize(used.right() + 1, used.bottom() + 1)));
    plotTimer_ = named(new platform::Timer(this, form::kTickIntervalMs, false), "Timer1");
    plotTimer_->setHandler([this] { plotTimerTicked(); });
    named(new platform::Timer(this, form::kTickIntervalMs, true), "Timer2"); // never wakes us
    // A tick that found nothing to draw lets Timer1 rest until the picture changes.
    connect(this, &Form::pictureChanged, plotTimer_, &platform::Timer::wake);
    menu_ = new ContextMenu(*this);
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QWidget* focus = focusWidget() ? focusWidget() : this;
        menu_->menu().exec(focus->mapToGlobal(focus->rect().center()));
    });
    connect(calcolo_, &QPushButton::clicked, this, &Form1::calcoloClicked);
    connect(grafico_, &QPushButton::clicked, this, &Form1::graficoClicked);
    // As loaded: the axis captions wait for the plot.
    for (QLabel* label : axisLabels_)
        label->setVisible(false);
}

Form1::~Form1() = default;

void Form1::createControls() {
    std::map<std::string_view, QWidget*> containers{{"", this}};
    QWidget* previous = nullptr;
    for (const form::ControlDesign& design : form::controls()) {
        QWidget* control = createControl(design, containers.at(design.container));
        containers[design.name] = control;
        control->setAccessibleName(text(form::accessibleName(design)));
        control->setAccessibleDescription(text(design.description));
        if (control->focusPolicy() & Qt::TabFocus) {
            if (previous)
                setTabOrder(previous, control);
            previous = control;
        }
    }
    for (std::size_t i = 0; i < axisLabels_.size(); ++i)
        axisLabels_[i] = findChild<QLabel*>(text(form::axisCaptions()[i].name));
    temperature_ = findChild<QLineEdit*>(QStringLiteral("Text1"));
    salinity_ = findChild<QLineEdit*>(QStringLiteral("Text2"));
    depth_ = findChild<QLineEdit*>(QStringLiteral("Text4"));
    for (QLineEdit* box : {temperature_, salinity_, depth_})
        connect(box, &QLineEdit::textChanged, this, [box] { tellHowRead(*box); });
    calcolo_ = findChild<QPushButton*>(QStringLiteral("Command1"));
    grafico_ = findChild<QPushButton*>(QStringLiteral("Command2"));
    temperature_->setFocus();
}

QWidget* Form1::createControl(const form::ControlDesign& design, QWidget* container) {
    const platform::ControlDesign placed{text(design.caption), design.rect, fontOf(design.font)};
    switch (design.kind) {
    case form::ControlKind::Frame:
        return named(platform::makeFrame(container, placed), design.name);
    case form::ControlKind::TextBox:
        return named(platform::makeTextBox(container, placed), design.name);
    case form::ControlKind::CommandButton:
        return named(platform::makeCommandButton(container, placed), design.name);
    case form::ControlKind::Label:
        break;
    }
    return named(platform::makeLabel(container, placed, labelSizing(design.sizing), design.colour),
                 design.name);
}

void Form1::createAccessibleAreas() {
    notice_ =
        named(new platform::AccessibleArea(this, QAccessible::Notification), form::kNotice.name);
    notice_->setAccessibleName(text(form::kNotice.name));
    notice_->setGeometry(0, 0, 0, 0);
    notice_->hide();
    chart_ = named(new platform::AccessibleArea(this, QAccessible::Chart), form::kChart.name);
    chart_->setAccessibleName(text(form::kChart.name));
    chart_->setAccessibleDescription(text(form::kChart.description));
    chart_->setGeometry(platform::toQRect(form::chartArea()));
    chart_->hide();
    printedText().setAccessibleName(text(form::kReport.name));
    printedText().setAccessibleDescription(text(form::kReport.description));
}

void Form1::apply(const form::Reaction& r) {
    using Timer = form::Reaction::Timer;
    if (r.timer == Timer::Start || r.timer == Timer::Stop)
        plotTimer_->setEnabled(r.timer == Timer::Start);
    else if (r.timer == Timer::Rest)
        plotTimer_->rest();
    if (r.clearPicture)
        surface().cls();
    if (r.backColour)
        setBackColor(*r.backColour);
    if (r.axisCaptionsShown)
        for (QLabel* label : axisLabels_)
            label->setVisible(*r.axisCaptionsShown);
    if (r.chartShown) {
        if (*r.chartShown)
            chart_->setAccessibleDescription(text(r.chartSummary));
        chart_->setVisible(*r.chartShown);
    }
    print(r.report);
    if (r.draw)
        apply(state_.draw(surface().canvas()));
    if (!r.announcement.empty())
        notice_->announce(text(r.announcement));
    if (!r.error.empty())
        reportError(text(r.error));
}

void Form1::print(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.empty())
            surface().print({});
        else
            surface().print({platform::PrintItem::Spc(engine::kReportIndentBlanks), text(line)});
    }
}

void Form1::calcoloClicked() {
    runHandler([this] {
        apply(state_.calcolo(temperature_->text().toStdString(), salinity_->text().toStdString(),
                             depth_->text().toStdString()));
    });
}

void Form1::graficoClicked() {
    runHandler([this] { apply(state_.grafico()); });
}

void Form1::plotTimerTicked() {
    runHandler([this] { apply(state_.draw(surface().canvas())); });
}

WindowView Form1::view() const {
    return {surface(),
            size(),
            plotShown(),
            values(),
            surface().palette().color(QPalette::Active, QPalette::WindowText),
            logicalDpiY(),
            captions()};
}

std::vector<Caption> Form1::captions() const {
    std::vector<Caption> all;
    for (const form::ControlDesign& design : form::controls()) {
        if (design.kind != form::ControlKind::Label)
            continue;
        const auto* label = findChild<QLabel*>(text(design.name));
        const QPalette& palette = label->palette();
        all.push_back(
            {label->text(), label->geometry(), label->font(),
             design.colour ? std::optional(palette.color(QPalette::WindowText)) : std::nullopt,
             palette.color(QPalette::Window), label->wordWrap(), !label->isHidden(),
             design.axisCaption});
    }
    return all;
}

QString Form1::reportText() const {
    std::vector<std::string> lines;
    for (const QString& line : surface().lines())
        lines.push_back(line.toStdString());
    return text(engine::reportText(lines));
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
    menu_->menu().exec(event->globalPos());
}

} // namespace main_window
