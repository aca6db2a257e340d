#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace main_window {

// The file and print dialogs the window asks, behind a seam that tests
// replace so that none of them ever waits on a dialog.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // The chosen file, or empty when the user cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& caption,
                                 const QString& suggestedName, const QString& filter) = 0;
    // Whether the user chose to print, with the printer set up.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The desktop's own dialogs. A save dialog starts in the user's Pictures
// or Documents folder, and then in the folder last chosen.
class SystemDialogs final : public Dialogs {
  public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                         const QString& filter) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;

  private:
    QString lastFolder_;
};

} // namespace main_window
