#include "main_window/HelpWindow.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace main_window {

namespace {

constexpr QSize kSize(680, 620); // pixels: a page of text without scrolling sideways
constexpr int kMargin = 12;      // pixels around the text
const char kLicence[] = "GPL-3.0-or-later";

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Guida di Raggio limite"));
    setAccessibleName(windowTitle());
    text_ = new QTextBrowser(this);
    text_->setAccessibleName(QStringLiteral("Guida"));
    text_->setAccessibleDescription(
        QStringLiteral("Il testo della guida, da leggere con le frecce riga per riga"));
    // A caret that the arrow keys move, so that a screen reader follows the reading.
    text_->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    text_->document()->setDocumentMargin(kMargin);
    text_->setSource(QUrl(QStringLiteral("qrc:/guida/guida.html")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins({});
    layout->addWidget(text_);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(kSize);
}

void HelpWindow::present() {
    show();
    raise();
    activateWindow();
    text_->setFocus();
}

QString HelpWindow::aboutText() {
    return QStringLiteral("Raggio limite %1\nLicenza: %2\nQt %3")
        .arg(QStringLiteral(RAGGIO_LIMITE_VERSION), QLatin1String(kLicence),
             QLatin1String(qVersion()));
}

} // namespace main_window
