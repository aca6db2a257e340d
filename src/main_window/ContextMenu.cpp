#include "main_window/ContextMenu.h"

#include "form/CalculationSheet.h"
#include "form/FormDescription.h"
#include "form/FormState.h"
#include "main_window/BrowserPage.h"
#include "main_window/CheckDialog.h"
#include "main_window/HelpWindow.h"
#include "main_window/Picture.h"
#include "main_window/PrintedDocument.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>

namespace main_window {

ContextMenu::ContextMenu(QWidget& window, const form::FormState& state, View view,
                         ErrorReporter reportError)
    : QObject(&window), window_(window), state_(state), view_(std::move(view)),
      reportError_(std::move(reportError)), dialogs_(std::make_unique<SystemDialogs>()) {
    copyText_ =
        add("Copia testo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &ContextMenu::copyText);
    add("Copia immagine", {}, &ContextMenu::copyImage);
    add("Salva immagine…", QKeySequence(Qt::CTRL | Qt::Key_S), &ContextMenu::saveImage);
    add("Esporta PDF…", {}, &ContextMenu::exportPdf);
    add("Stampa…", QKeySequence(Qt::CTRL | Qt::Key_P), &ContextMenu::print);
    exportSheet_ = add("Esporta scheda PDF…", {}, &ContextMenu::exportSheet);
    printSheet_ = add("Stampa scheda…", {}, &ContextMenu::printSheet);
    add("Verifica il calcolo…", {}, &ContextMenu::checkWorking);
    add("Salva la pagina per il browser…", {}, &ContextMenu::savePage);
    menu_.setAccessibleName(QStringLiteral("Risultati"));
    offer(state_.offers());
    addHelpEntries();
}

ContextMenu::~ContextMenu() = default;

QAction* ContextMenu::add(const char* name, const QKeySequence& shortcut,
                          void (ContextMenu::*run)()) {
    QAction* action = menu_.addAction(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(action); // the shortcut works without the menu
    connect(action, &QAction::triggered, this, run);
    return action;
}

void ContextMenu::offer(const form::Offers& offers) {
    copyText_->setEnabled(offers.copyReport);
    exportSheet_->setEnabled(offers.sheet);
    printSheet_->setEnabled(offers.sheet);
}

void ContextMenu::copyText() {
    QGuiApplication::clipboard()->setText(Picture::text(view_()));
}

void ContextMenu::copyImage() {
    QGuiApplication::clipboard()->setImage(Picture::image(view_()));
}

void ContextMenu::saveImage() {
    saveAs("Salva immagine", "raggio-limite.png", "Immagini PNG (*.png)",
           [this](const QString& path, QString* problem) {
               return Picture::savePng(view_(), path, problem);
           });
}

void ContextMenu::exportPdf() {
    saveAs("Esporta PDF", "raggio-limite.pdf", "Documenti PDF (*.pdf)",
           [this](const QString& path, QString* problem) {
               return Picture::savePdf(view_(), path, problem);
           });
}

void ContextMenu::saveAs(const char* caption, const char* suggestedName, const char* filter,
                         const Save& save) {
    const QString path =
        dialogs_->saveFileName(&window_, QString::fromUtf8(caption),
                               QString::fromUtf8(suggestedName), QString::fromUtf8(filter));
    QString problem;
    if (!path.isEmpty() && !save(path, &problem))
        reportError_(problem);
}

void ContextMenu::printOn(QPageLayout::Orientation orientation, const Print& print) {
    // On the printer's own paper: a page fits on A4 and on US Letter alike.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(orientation);
    if (!dialogs_->choosePrinter(&window_, printer))
        return;
    QString problem;
    if (!print(printer, &problem))
        reportError_(problem);
}

void ContextMenu::print() {
    printOn(QPageLayout::Landscape, [this](QPrinter& printer, QString* problem) {
        return Picture::print(view_(), printer, problem);
    });
}

void ContextMenu::addHelpEntries() {
    add("Guida", QKeySequence(Qt::Key_F1), &ContextMenu::showHelp);
    add("Informazioni su Raggio limite", {}, &ContextMenu::showAbout);
}

void ContextMenu::showHelp() {
    if (!help_)
        help_ = new HelpWindow(&window_);
    help_->present();
}

void ContextMenu::showAbout() {
    if (!about_) {
        about_ = new QMessageBox(QMessageBox::Information,
                                 QStringLiteral("Informazioni su Raggio limite"),
                                 HelpWindow::aboutText(), QMessageBox::Close, &window_);
        about_->setAttribute(Qt::WA_DeleteOnClose);
        about_->setWindowModality(Qt::NonModal);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void ContextMenu::checkWorking() {
    if (!check_) {
        auto* dialog = new CheckDialog(&window_, [this] {
            std::array<std::string, 3> texts;
            for (std::size_t i = 0; i < texts.size(); ++i)
                texts[i] = window_.findChild<QLineEdit*>(QString::fromUtf8(form::kInputBoxes[i]))
                               ->text()
                               .toStdString();
            return texts;
        });
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        check_ = dialog;
    }
    check_->open(); // modal to the window, without blocking it
    check_->raise();
    check_->activateWindow();
}

void ContextMenu::savePage() {
    saveAs("Salva la pagina per il browser", "raggio-limite.html", "Pagine HTML (*.html)",
           &BrowserPage::save);
}

void ContextMenu::exportSheet() {
    saveAs("Esporta scheda PDF", "scheda-di-calcolo.pdf", "Documenti PDF (*.pdf)",
           [this](const QString& path, QString* problem) {
               return PrintedDocument::savePdf(form::calculationSheet(state_.lastCalculation()),
                                               path, problem);
           });
}

void ContextMenu::printSheet() {
    printOn(QPageLayout::Portrait, [this](QPrinter& printer, QString* problem) {
        return PrintedDocument::print(form::calculationSheet(state_.lastCalculation()), printer,
                                      problem);
    });
}

} // namespace main_window
