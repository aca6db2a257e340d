#pragma once

#include "engine/Calculation.h"
#include "engine/Report.h"

#include <QString>
#include <QStringList>

#include <string>

// The engine speaks UTF-8 std::string; the tests compare QStrings.
inline QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// The calculation of three typed texts, as "Calcolo" reads them.
inline engine::Calculation calculationOf(const QStringList& texts) {
    return engine::Calculation::fromTexts(texts[0].toStdString(), texts[1].toStdString(),
                                          texts[2].toStdString());
}

inline QStringList reportOf(const engine::Calculation& calculation) {
    QStringList lines;
    for (const std::string& line : engine::reportLines(calculation))
        lines << qText(line);
    return lines;
}
