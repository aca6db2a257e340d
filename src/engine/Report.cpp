#include "engine/Report.h"

#include "engine/Calculation.h"
#include "engine/NumberFormat.h"
#include "engine/Numeric.h"

namespace engine {

UsedValues usedValues(const CalculationValues& v) {
    return {"T = " + formatNumber(v.T) + "°F", "sa = " + formatInteger(v.sa) + " pt x 1000 ",
            "D= " + formatInteger(v.D) + "ft"};
}

std::vector<std::string> reportLines(const Calculation& c) {
    const CalculationValues& v = c.values;
    const RayPoint& s = c.point;
    const UsedValues used = usedValues(v);
    return {
        "prof. max dello strato: d1= " + formatInteger(v.d1) + "ft",
        "quota di calcolo: " + used.depth,
        "deltaD= " + formatInteger(c.deltaD) +
            "differenza tra quota di calcolo e profondità max (in ft)",
        "temperatura nello strato: " + used.temperature,
        "salinità: " + used.salinity,
        "",
        "calcolo velocità del suono = 4411 + 11.25 T - 0.045 T^2 + 0.0182 d1 + 4.3 ( sa - 34) "
        "in ft/sec",
        "velocità del suono = " + formatNumber(Int(s.vel)) + "ft/sec",
        "",
        "gradiente nello strato = " + formatNumber(kGradient),
        "calcolo del raggio = velocità suono / gradiente ",
        "raggio in ft = " + formatNumber(Int(s.r1)),
        "",
        "calcolo del coseno angolo radenza: Cos(teta)= (1 + DeltaD) / raggio",
        "Cos(teta)= " + formatNumber(s.cosTeta),
        "",
        "calcolo dell 'angolo di radenza in radianti = ArcCos(teta)",
        "teta= " + formatNumber(s.teta) + "rad.",
        "",
        "calcolo dell' ascissa: S = r1 Sen(teta)/3  Yd",
        "S= " + formatInteger(v.S) + "Yd",
    };
}

std::string reportText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

} // namespace engine
