#pragma once

#include "main_window/ContextMenu.h"
#include "main_window/Form1.h"
#include "main_window/Form1Driver.h"
#include "platform/Timer.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// The real window, shown offscreen and driven as a user would, with its
// run-time errors recorded instead of shown in a message box.
struct FormDriver {
    main_window::Form1 form;
    main_window::Form1Driver typed{form}; // the command line's way in, and its error seam
    const QStringList& errors = typed.errors();

    FormDriver() {
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("the window was not shown");
    }

    template <typename Control = QWidget> Control* control(const char* name) const {
        auto* found = form.findChild<Control*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    platform::Timer* timer1() const { return control<platform::Timer>("Timer1"); }

    // Clears the three boxes and types the texts with key presses.
    void type(const QString& temperature, const QString& salinity, const QString& depth) {
        for (auto [box, text] :
             {std::pair{"Text1", temperature}, {"Text2", salinity}, {"Text4", depth}}) {
            control<QLineEdit>(box)->clear();
            QTest::keyClicks(control<QLineEdit>(box), text);
        }
    }
    void calcolo() { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }
    void grafico() { QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton); }
    void calcolo(const QString& temperature, const QString& salinity, const QString& depth) {
        type(temperature, salinity, depth);
        calcolo();
    }

    // How many of Label1 to Label8 are shown.
    int axisLabelsShown() const {
        const auto labels = form.findChildren<QLabel*>(QRegularExpression("^Label[1-8]$"));
        return int(
            std::count_if(labels.begin(), labels.end(), [](QLabel* l) { return !l->isHidden(); }));
    }
    const QStringList& report() const { return form.surface().lines(); }

    // How many pixels of the picture differ from what the window shows,
    // outside the input frame and the "Grafico" button; -1 for another size.
    int pixelsUnlikeTheWindow(QImage picture) {
        const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        picture = picture.convertToFormat(QImage::Format_RGB32);
        if (picture.size() != shown.size())
            return -1;
        const QRegion controls =
            QRegion(control("Frame1")->geometry()) + control("Command2")->geometry();
        const qreal ratio = shown.devicePixelRatio();
        int unlike = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                unlike += !controls.contains(QPoint(int(x / ratio), int(y / ratio))) &&
                          picture.pixel(x, y) != shown.pixel(x, y);
        return unlike;
    }
    QRgb at(float xTwips, float yTwips) const { return form.surface().pixelAt(xTwips, yTwips); }
};

// Answers every dialog at once, as told: an empty path or printChosen false
// is the user cancelling.
struct FakeDialogs : main_window::Dialogs {
    QString path, printTo; // the chosen file; where the printer writes
    QPageSize paper{QPageSize::A4};
    bool printChosen = true;
    QString asked; // the last save dialog's caption, suggested name and filter
    QString saveFileName(QWidget*, const QString& caption, const QString& suggestedName,
                         const QString& filter) override {
        asked = caption + '|' + suggestedName + '|' + filter;
        return path;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFileName(printTo);
        printer.setPageSize(paper);
        return printChosen;
    }
};

// The window whose menu asks FakeDialogs.
struct MenuDriver : FormDriver {
    FakeDialogs* dialogs = new FakeDialogs;
    main_window::ContextMenu& actions = *form.findChild<main_window::ContextMenu*>();

    MenuDriver() { actions.setDialogs(std::unique_ptr<main_window::Dialogs>(dialogs)); }
    QAction* entry(const QString& name) const {
        for (QAction* action : actions.menu().actions())
            if (action->text() == name)
                return action;
        qFatal("no entry %s", qPrintable(name));
    }
};
