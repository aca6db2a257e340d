#include "main_window/Form1.h"

#include "engine/Numeric.h"
#include "form/FormDescription.h"
#include "main_window/Captions.h"
#include "main_window/ContextMenu.h"
#include "main_window/ErrorBox.h"
#include "main_window/Picture.h"
#include "main_window/ReactionPainter.h"
#include "platform/AccessibleArea.h"
#include "platform/Controls.h"
#include "platform/PrintedTextView.h"
#include "platform/QtColours.h"
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

QSize pixelSize(const raster::TwipRect& rect) {
    return platform::toQRect(rect).size();
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
    createControls();
    createAccessibleAreas();
    const QRect used = childrenRect();
    resize(pixelSize(form::clientArea()).expandedTo(QSize(used.right() + 1, used.bottom() + 1)));
    plotTimer_ = named(new platform::Timer(this, form::kTickIntervalMs, false), "Timer1");
    plotTimer_->setHandler([this] { plotTimerTicked(); });
    named(new platform::Timer(this, form::kTickIntervalMs, true), "Timer2"); // never wakes us
    // A tick that found nothing to draw lets Timer1 rest until the picture changes.
    connect(this, &Form::pictureChanged, plotTimer_, &platform::Timer::wake);
    menu_ = new ContextMenu(
        *this, state_, [this] { return view(); },
        [this](const QString& message) { reportError(message); });
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QWidget* focus = focusWidget() ? focusWidget() : this;
        menu_->menu().exec(focus->mapToGlobal(focus->rect().center()));
    });
    connect(calcolo_, &QPushButton::clicked, this, &Form1::calcoloClicked);
    connect(grafico_, &QPushButton::clicked, this, &Form1::graficoClicked);
    apply(state_.start());
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
    const QString caption = text(design.caption);
    const QRect box = captionBox(design);
    const QFont font = fontOf(design.font);
    switch (design.kind) {
    case form::ControlKind::Frame:
        return named(platform::makeFrame(container, caption, box, font), design.name);
    case form::ControlKind::TextBox:
        return named(platform::makeTextBox(container, box, font), design.name);
    case form::ControlKind::CommandButton:
        return named(platform::makeCommandButton(container, caption, box, font), design.name);
    case form::ControlKind::Label:
        break;
    }
    const QPalette& colours = palette();
    return named(
        platform::makeLabel(container, caption, box, font, design.sizing == form::LabelSizing::Wrap,
                            design.colour ? platform::toQColor(*design.colour, colours)
                                          : colours.color(QPalette::Active, QPalette::WindowText),
                            platform::toQColor(form::kCaptionBackColour, colours)),
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
    printedText().setAccessibleName(text(form::kReport.name));
    printedText().setAccessibleDescription(text(form::kReport.description));
}

void Form1::apply(const form::Reaction& r) {
    if (const auto timer = form::timerAfter(r.timer)) {
        plotTimer_->setEnabled(timer->running);
        if (timer->resting)
            plotTimer_->rest();
    }
    paintReaction(surface(), r);
    if (r.axisCaptionsShown)
        for (QLabel* label : axisLabels_)
            label->setVisible(*r.axisCaptionsShown);
    if (r.chartShown) {
        if (*r.chartShown)
            chart_->setAccessibleDescription(text(r.chartSummary));
        chart_->setVisible(*r.chartShown);
    }
    menu_->offer(r.offers);
    if (r.draw)
        apply(state_.draw(surface().canvas()));
    if (!r.announcement.empty())
        notice_->announce(text(r.announcement));
    if (!r.error.empty())
        reportError(text(r.error));
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

void Form1::ratioChanged() {
    runHandler([this] { apply(state_.newRatio()); });
}

void Form1::plotTimerTicked() {
    runHandler([this] { apply(state_.draw(surface().canvas())); });
}

WindowView Form1::view() const {
    const QPalette& colours = surface().palette();
    return {surface(),
            size(),
            plotShown(),
            values(),
            colours.color(QPalette::Active, QPalette::WindowText),
            logicalDpiY(),
            captionsOf(colours, plotShown())};
}

QString Form1::reportText() const {
    return Picture::text(view());
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
    menu_->menu().exec(event->globalPos());
}

} // namespace main_window
