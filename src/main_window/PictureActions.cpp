#include "main_window/PictureActions.h"

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

PictureActions::PictureActions(Form1& form)
    : QObject(&form), form_(form), dialogs_(std::make_unique<SystemDialogs>()) {
    copyText_ = add("Copia testo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                    &PictureActions::copyText);
    add("Copia immagine", {}, &PictureActions::copyImage);
    add("Salva immagine…", QKeySequence(Qt::CTRL | Qt::Key_S), &PictureActions::saveImage);
    add("Esporta PDF…", {}, &PictureActions::exportPdf);
    add("Stampa…", QKeySequence(Qt::CTRL | Qt::Key_P), &PictureActions::print);
    exportSheet_ = add("Esporta scheda PDF…", {}, &PictureActions::exportSheet);
    printSheet_ = add("Stampa scheda…", {}, &PictureActions::printSheet);
    menu_.setAccessibleName(QStringLiteral("Risultati"));
    // Every Calcolo, completed or failed, changes the picture.
    connect(&form_, &platform::Form::pictureChanged, this, &PictureActions::updateEnabled);
    updateEnabled();
    addHelpEntries();
}

PictureActions::~PictureActions() = default;

QAction* PictureActions::add(const char* name, const QKeySequence& shortcut,
                             void (PictureActions::*run)()) {
    QAction* action = menu_.addAction(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    form_.addAction(action); // the shortcut works without the menu
    connect(action, &QAction::triggered, this, run);
    return action;
}

void PictureActions::updateEnabled() {
    copyText_->setEnabled(!form_.surface().lines().isEmpty());
    exportSheet_->setEnabled(Sheet::available(form_));
    printSheet_->setEnabled(Sheet::available(form_));
}

void PictureActions::copyText() {
    QGuiApplication::clipboard()->setText(form_.surface().lines().join(QLatin1Char('\n')) +
                                          QLatin1Char('\n'));
}

void PictureActions::copyImage() {
    QGuiApplication::clipboard()->setImage(Picture::image(form_));
}

void PictureActions::saveImage() {
    saveAs("Salva immagine", "raggio-limite.png", "Immagini PNG (*.png)", &Picture::savePng);
}

void PictureActions::exportPdf() {
    saveAs("Esporta PDF", "raggio-limite.pdf", "Documenti PDF (*.pdf)", &Picture::savePdf);
}

void PictureActions::saveAs(const char* caption, const char* suggestedName, const char* filter,
                            Save save) {
    const QString path =
        dialogs_->saveFileName(&form_, QString::fromUtf8(caption), QString::fromUtf8(suggestedName),
                               QString::fromUtf8(filter));
    QString problem;
    if (!path.isEmpty() && !save(form_, path, &problem))
        form_.reportError(problem);
}

void PictureActions::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!dialogs_->choosePrinter(&form_, printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        form_.reportError(QStringLiteral("Impossibile stampare: la stampante non risponde."));
        return;
    }
    // The picture as large as the page allows, drawn at the printer's resolution.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = std::min(page.width() / form_.width(), page.height() / form_.height());
    painter.scale(scale, scale);
    Picture::paint(form_, painter);
    painter.end();
}

void PictureActions::addHelpEntries() {
    add("Guida", QKeySequence(Qt::Key_F1), &PictureActions::showHelp);
    add("Informazioni su Raggio limite", {}, &PictureActions::showAbout);
}

void PictureActions::showHelp() {
    if (!help_)
        help_ = new HelpWindow(&form_);
    help_->present();
}

void PictureActions::showAbout() {
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

void PictureActions::exportSheet() {
    saveAs("Esporta scheda PDF", "scheda-di-calcolo.pdf", "Documenti PDF (*.pdf)", &Sheet::savePdf);
}

void PictureActions::printSheet() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!dialogs_->choosePrinter(&form_, printer))
        return;
    QString problem;
    if (!Sheet::print(form_, printer, &problem))
        form_.reportError(problem);
}

} // namespace main_window
