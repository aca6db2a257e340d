#include "main_window/CheckDialog.h"

#include "engine/Calculation.h"
#include "engine/RuntimeError.h"
#include "platform/AccessibleArea.h"
#include "practice/Check.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace main_window {

namespace {

constexpr int kAnswerWidth = 160;  // pixels: room for 0,99998153623777
constexpr int kVerdictWidth = 420; // pixels: a note wraps within it

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString joined(const std::vector<std::string>& lines) {
    QStringList told;
    for (const std::string& line : lines)
        told << text(line);
    return told.join(QLatin1Char('\n'));
}

} // namespace

CheckDialog::CheckDialog(QWidget* parent, Inputs inputs)
    : QDialog(parent), inputs_(std::move(inputs)) {
    setWindowTitle(QStringLiteral("Verifica il calcolo"));
    auto* intro = new QLabel(
        QStringLiteral("Scrivi i tuoi valori, con la virgola o il punto decimale: ogni passo è "
                       "confrontato con il calcolo delle tre caselle, come lo fa «Calcolo»."),
        this);
    intro->setWordWrap(true);
    auto* grid = new QGridLayout;
    for (const practice::Step step : practice::kSteps) {
        const auto row = int(practice::indexOf(step));
        const QString caption = QString::fromUtf8(practice::namesOf(step).box);
        auto* label = new QLabel(caption, this); // made first: read before its box
        auto* answer = new QLineEdit(this);
        answer->setObjectName(QString::fromUtf8(practice::namesOf(step).id));
        answer->setAccessibleName(caption);
        answer->setMinimumWidth(kAnswerWidth);
        label->setBuddy(answer);
        auto* verdict = new QLabel(this);
        verdict->setWordWrap(true);
        verdict->setMinimumWidth(kVerdictWidth);
        grid->addWidget(label, row, 0);
        grid->addWidget(answer, row, 1);
        grid->addWidget(verdict, row, 2);
        answers_[std::size_t(row)] = answer;
        verdicts_[std::size_t(row)] = verdict;
    }
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setAccessibleName(QStringLiteral("Esito"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* checkButton =
        buttons->addButton(QStringLiteral("Verifica"), QDialogButtonBox::ActionRole);
    checkButton->setDefault(true); // Invio in a box checks
    buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    connect(checkButton, &QPushButton::clicked, this, &CheckDialog::check);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    notice_ = new platform::AccessibleArea(this, QAccessible::Notification);
    notice_->setGeometry(0, 0, 0, 0);
    notice_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    answers_.front()->setFocus();
}

QString CheckDialog::summary() const {
    return summary_->text();
}

void CheckDialog::tell(const QString& summary) {
    for (std::size_t i = 0; i < answers_.size(); ++i) {
        verdicts_[i]->clear();
        verdicts_[i]->setAccessibleName(QString());
        answers_[i]->setAccessibleDescription(QString());
    }
    summary_->setText(summary);
    summary_->setAccessibleDescription(summary);
    notice_->announce(summary);
}

void CheckDialog::check() {
    practice::Working working;
    for (const practice::Step step : practice::kSteps)
        working.set(step, answers_[practice::indexOf(step)]->text().trimmed().toStdString());
    if (const auto problem = working.problem()) {
        tell(text(*problem));
        for (const practice::Step step : practice::kSteps)
            if (working.answer(step) && !working.number(step))
                return answers_[practice::indexOf(step)]->setFocus(); // to mend it
        return;
    }
    const std::array<std::string, 3> boxes = inputs_();
    try {
        const practice::Check check(engine::Calculation::fromTexts(boxes[0], boxes[1], boxes[2]),
                                    working);
        tell(text(check.summary()));
        for (const practice::StepCheck& step : check.steps()) {
            const QString lines = joined(step.lines());
            const std::size_t i = practice::indexOf(step.step);
            verdicts_[i]->setText(lines);
            verdicts_[i]->setAccessibleName(lines);
            answers_[i]->setAccessibleDescription(lines);
        }
    } catch (const engine::RuntimeError& error) {
        tell(QString::fromUtf8(error.what()));
    }
    layout()->activate();
    adjustSize(); // every note whole
}

} // namespace main_window
