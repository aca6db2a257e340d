#pragma once

#include "main_window/Form1.h"

#include <QStringList>

// The real window, shown offscreen and driven as a user would, with its
// run-time errors recorded instead of shown in a message box.
struct FormDriver {
    Form1 form;
    QStringList errors;

    FormDriver();

    // Clears the three boxes and types the texts with key presses.
    void type(const QString& temperature, const QString& salinity, const QString& depth);
    void calcolo();
    void grafico();
    void calcolo(const QString& temperature, const QString& salinity, const QString& depth) {
        type(temperature, salinity, depth);
        calcolo();
    }

    bool axisLabelsVisible() const; // all eight
    bool axisLabelsHidden() const;  // all eight
    const QStringList& report() const { return form.surface().lines(); }
    QRgb at(float xTwips, float yTwips) const { return form.surface().pixelAt(xTwips, yTwips); }
};
