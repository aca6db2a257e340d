#include "main_window/ContextMenu.h"

#include "main_window/BrowserPage.h"
#include "main_window/Form1.h"
#include "main_window/HelpWindow.h"
#include "main_window/Picture.h"
#include "main_window/Sheet.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>

namespace main_window {

ContextMenu::ContextMenu(Form1& form)
    : QObject(&form), form_(form), dialogs_(std::make_unique<SystemDialogs>()) {
    copyText_ =
        add("Copia testo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &ContextMenu::copyText);
    add("Copia immagine", {}, &ContextMenu::copyImage);
    add("Salva immagine…", QKeySequence(Qt::CTRL | Qt::Key_S), &ContextMenu::saveImage);
    add("Esporta PDF…", {}, &ContextMenu::exportPdf);
    add("Stampa…", QKeySequence(Qt::CTRL | Qt::Key_P), &ContextMenu::print);
    exportSheet_ = add("Esporta scheda PDF…", {}, &ContextMenu::exportSheet);
    printSheet_ = add("Stampa scheda…", {}, &ContextMenu::printSheet);
    add("Salva la pagina per il browser…", {}, &ContextMenu::savePage);
    menu_.setAccessibleName(QStringLiteral("Risultati"));
    // Every Calcolo, completed or failed, changes the picture.
    connect(&form_, &platform::Form::pictureChanged, this, &ContextMenu::updateEnabled);
    updateEnabled();
    addHelpEntries();
}

ContextMenu::~ContextMenu() = default;

QAction* ContextMenu::add(const char* name, const QKeySequence& shortcut,
                          void (ContextMenu::*run)()) {
    QAction* action = menu_.addAction(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    form_.addAction(action); // the shortcut works without the menu
    connect(action, &QAction::triggered, this, run);
    return action;
}

void ContextMenu::updateEnabled() {
    copyText_->setEnabled(!form_.surface().lines().isEmpty());
    exportSheet_->setEnabled(form_.lastCalculation().has_value());
    printSheet_->setEnabled(form_.lastCalculation().has_value());
}

void ContextMenu::copyText() {
    QGuiApplication::clipboard()->setText(form_.reportText());
}

void ContextMenu::copyImage() {
    QGuiApplication::clipboard()->setImage(Picture::image(form_.view()));
}

void ContextMenu::saveImage() {
    saveAs("Salva immagine", "raggio-limite.png", "Immagini PNG (*.png)",
           [this](const QString& path, QString* problem) {
               return Picture::savePng(form_.view(), path, problem);
           });
}

void ContextMenu::exportPdf() {
    saveAs("Esporta PDF", "raggio-limite.pdf", "Documenti PDF (*.pdf)",
           [this](const QString& path, QString* problem) {
               return Picture::savePdf(form_.view(), path, problem);
           });
}

void ContextMenu::saveAs(const char* caption, const char* suggestedName, const char* filter,
                         const Save& save) {
    const QString path =
        dialogs_->saveFileName(&form_, QString::fromUtf8(caption), QString::fromUtf8(suggestedName),
                               QString::fromUtf8(filter));
    QString problem;
    if (!path.isEmpty() && !save(path, &problem))
        form_.reportError(problem);
}

void ContextMenu::printOn(QPageLayout::Orientation orientation, const Print& print) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
    if (!dialogs_->choosePrinter(&form_, printer))
        return;
    QString problem;
    if (!print(printer, &problem))
        form_.reportError(problem);
}

void ContextMenu::print() {
    printOn(QPageLayout::Landscape, [this](QPrinter& printer, QString* problem) {
        return Picture::print(form_.view(), printer, problem);
    });
}

void ContextMenu::addHelpEntries() {
    add("Guida", QKeySequence(Qt::Key_F1), &ContextMenu::showHelp);
    add("Informazioni su Raggio limite", {}, &ContextMenu::showAbout);
}

void ContextMenu::showHelp() {
    if (!help_)
        help_ = new HelpWindow(&form_);
    help_->present();
}

void ContextMenu::showAbout() {
    if (!about_) {
        about_ = new QMessageBox(QMessageBox::Information,
                                 QStringLiteral("Informazioni su Raggio limite"),
                                 HelpWindow::aboutText(), QMessageBox::Close, &form_);
        about_->setAttribute(Qt::WA_DeleteOnClose);
        about_->setWindowModality(Qt::NonModal);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void ContextMenu::savePage() {
    saveAs("Salva la pagina per il browser", "raggio-limite.html", "Pagine HTML (*.html)",
           &BrowserPage::save);
}

void ContextMenu::exportSheet() {
    saveAs("Esporta scheda PDF", "scheda-di-calcolo.pdf", "Documenti PDF (*.pdf)",
           [this](const QString& path, QString* problem) {
               return Sheet::savePdf(form_.lastCalculation(), form_.captions(), path, problem);
           });
}

void ContextMenu::printSheet() {
    printOn(QPageLayout::Portrait, [this](QPrinter& printer, QString* problem) {
        return Sheet::print(form_.lastCalculation(), form_.captions(), printer, problem);
    });
}

} // namespace main_window
