#pragma once

#include "main_window/Dialogs.h"
#include "main_window/WindowView.h"

#include <QMenu>
#include <QObject>
#include <QPageLayout>
#include <QPointer>

#include <functional>
#include <memory>

namespace form {
class FormState;
struct Offers;
} // namespace form

class QAction;
class QDialog;
class QMessageBox;
class QPrinter;

namespace main_window {

class HelpWindow;

// What the window shows, taken out of it: the window's context menu and its
// shortcuts to copy the printed text or the picture, save the picture as PNG,
// export it as a PDF page and print it; the calculation sheet, as a PDF or
// on paper; and a check of the student's own steps. A failure is reported through the
// window's error seam, and the window carries on.
class ContextMenu : public QObject {
    Q_OBJECT

  public:
    using View = std::function<WindowView()>;
    using ErrorReporter = std::function<void(const QString& message)>;

    // window: the menu's shortcuts act there, and its dialogs open over it;
    // state: the form's, whose last calculation the sheet shows; view: what
    // the window shows now; reportError: the window's error seam.
    ContextMenu(QWidget& window, const form::FormState& state, View view,
                ErrorReporter reportError);
    ~ContextMenu() override;

    QMenu& menu() { return menu_; }
    void setDialogs(std::unique_ptr<Dialogs> dialogs) { dialogs_ = std::move(dialogs); }
    // Enables the entries that the form's state offers now.
    void offer(const form::Offers& offers);

  private:
    QAction* add(const char* name, const QKeySequence& shortcut, void (ContextMenu::*run)());

    void copyText();
    void copyImage();
    void saveImage();
    void exportPdf();
    void print();
    void exportSheet();
    void printSheet();
    void checkWorking();
    void savePage();

    using Save = std::function<bool(const QString& path, QString* problem)>;
    // Asks for a file and saves there; a failure goes to the window's error seam.
    void saveAs(const char* caption, const char* suggestedName, const char* filter,
                const Save& save);
    using Print = std::function<bool(QPrinter& printer, QString* problem)>;
    // Asks for a printer, its paper in the orientation, and prints there; a
    // failure goes to the window's error seam.
    void printOn(QPageLayout::Orientation orientation, const Print& print);

    QWidget& window_;
    const form::FormState& state_;
    View view_;
    ErrorReporter reportError_;
    QMenu menu_;
    QAction* copyText_ = nullptr;
    QAction* exportSheet_ = nullptr; // both need a completed "Calcolo"
    QAction* printSheet_ = nullptr;
    std::unique_ptr<Dialogs> dialogs_;

    // The help (F1) and the about box, last in the menu; each opened once, then
    // raised again, and neither blocks the window.
    void addHelpEntries();
    void showHelp();
    void showAbout();
    HelpWindow* help_ = nullptr;
    QPointer<QMessageBox> about_;
    QPointer<QDialog> check_; // "Verifica il calcolo", while it is open
};

} // namespace main_window
