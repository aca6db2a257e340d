#include "form/CalculationSheet.h"
#include "form/FormDescription.h"
#include "form/FormState.h"
#include "raster/PixelCanvas.h"

#include "ExpectedText.h"

#include <QTest>

#include <sstream>

namespace {

using form::Reaction;

std::string shown(const std::optional<bool>& b, const char* yes, const char* no) {
    return b ? (*b ? yes : no) : "";
}

// A reaction as a reviewer reads it: one line a member that changes something.
std::string describe(const Reaction& r) {
    const char* timers[] = {"", "avvia", "ferma", "riposa"};
    std::ostringstream out;
    const auto line = [&](const std::string& name, const std::string& value) {
        if (!value.empty())
            out << "  " << name << ": " << value << '\n';
    };
    line("timer", timers[int(r.timer)]);
    line("pulisce", r.clearPicture ? "sì" : "");
    line("sfondo", r.backColour ? std::to_string(*r.backColour & 0xFFu) : "");
    line("didascalie", shown(r.axisCaptionsShown, "mostrate", "nascoste"));
    line("grafico", shown(r.chartShown, "mostrato", "nascosto"));
    line("descrizione", r.chartSummary);
    for (const std::string& l : r.report)
        line("stampa", "«" + l + "»");
    line("disegna", r.draw ? "sì" : "");
    line("copia l'immagine", r.copyPicture ? "sì" : "");
    line("dice", r.announcement);
    line("errore", r.error);
    std::string offers;
    for (const auto& [offered, name] : {std::pair{r.offers.copyReport, "copia testo"},
                                        {r.offers.savePlot, "salva grafico"},
                                        {r.offers.sheet, "scheda"}})
        offers += offered ? (offers.empty() ? "" : ", ") + std::string(name) : "";
    line("offre", offers);
    return out.str();
}

std::string values(const form::FormState& state) {
    const engine::CalculationValues& v = state.values();
    std::ostringstream out;
    out.precision(17);
    out << "  valori: T " << v.T << ", sa " << v.sa << ", d1 " << v.d1 << ", D " << v.D << ", r1 "
        << v.r1 << ", S " << v.S << ", Spunto " << v.Spunto << ", Dpunto " << v.Dpunto
        << (state.plotShown() ? "; grafico mostrato" : "") << '\n';
    return out.str();
}

// Runs the events, each a click or a drawing, and tells what each answered.
std::string run(const QStringList& events) {
    form::FormState state;
    const raster::Rect client = form::clientArea().toPixels();
    raster::PixelCanvas picture({client.width, client.height}, 1.0, raster::Palette{});
    std::string told;
    for (const QString& event : events) {
        told += "== " + event.toStdString() + '\n';
        const QStringList texts = event.section(' ', 1).split('|');
        if (event == "avvio")
            told += describe(state.start());
        else if (event.startsWith("calcolo"))
            told +=
                describe(state.calcolo(texts.value(0).toStdString(), texts.value(1).toStdString(),
                                       texts.value(2).toStdString()));
        else if (event == "grafico")
            told += describe(state.grafico());
        else
            told += describe(state.draw(picture));
        told += values(state);
    }
    return told;
}

std::string joined(const std::vector<std::string>& texts, const char* between) {
    std::string all;
    for (const std::string& t : texts)
        all += (all.empty() ? "" : between) + t;
    return all;
}

// A document as a reviewer reads it: one line a block, its rows and lines indented.
struct DescribeBlock {
    std::ostringstream& out;

    void operator()(const form::Title& b) { out << "titolo: " << b.text << '\n'; }
    void operator()(const form::Heading& b) { out << "intestazione: " << b.text << '\n'; }
    void operator()(const form::FieldLines& b) {
        out << "campi:";
        for (const form::Field& f : b.fields)
            out << ' ' << f.caption << " (" << f.length << ')';
        out << '\n';
    }
    void operator()(const form::Table& b) {
        out << "tabella, colonne da";
        for (const double start : b.columnStarts)
            out << ' ' << start;
        out << " pt:\n  " << joined(b.header, " | ") << '\n';
        for (const auto& row : b.rows)
            out << "  " << joined(row, " | ") << '\n';
    }
    void operator()(const form::ReportLines& b) {
        out << "righe:\n";
        for (const std::string& line : b.lines)
            out << "  «" << line << "»\n";
    }
    void operator()(const form::AnswerSpaces& b) {
        out << "risposte:";
        for (const form::AnswerSpace& a : b.spaces)
            out << ' ' << a.label << " (" << a.unit << ')';
        out << '\n';
    }
    void operator()(const form::Plot& b) {
        out << "grafico di T " << b.values.T << ", sa " << b.values.sa << ", D " << b.values.D
            << ", area " << b.area.left << ' ' << b.area.top << ' ' << b.area.width << " x "
            << b.area.height << " twip, didascalie";
        for (const form::ControlDesign& c : b.captions)
            out << ' ' << c.name;
        out << '\n';
    }
    void operator()(const form::Message& b) { out << "messaggio: " << b.text << '\n'; }
};

std::string describe(const form::Document& document) {
    std::ostringstream out;
    out << "documento: " << document.name << '\n';
    for (const form::Page& page : document.pages) {
        out << "== pagina\n";
        for (const form::Block& block : page.blocks)
            std::visit(DescribeBlock{out}, block);
    }
    return out.str();
}

} // namespace

class TestFormState : public QObject {
    Q_OBJECT

  private slots:
    // What each click and tick has the window and the page do, from a
    // table of sequences, against tests/form/expected/.
    void reactions_data() {
        QTest::addColumn<QStringList>("events");
        QTest::newRow("calcolo-grafico-ticks")
            << QStringList{"avvio", "calcolo 60|35|10", "grafico", "disegna", "disegna", "disegna"};
        QTest::newRow("first-plot-before-calcolo")
            << QStringList{"grafico", "disegna", "disegna", "disegna"};
        QTest::newRow("failing-calcolo-keeps-values") << QStringList{
            "calcolo 60|35|10", "calcolo 60|35|16", "calcolo abc|x|", "grafico", "disegna"};
        QTest::newRow("failing-plot-stops-its-timer")
            << QStringList{"calcolo 500|35|15", "grafico", "disegna", "calcolo 60|35|14"};
        QTest::newRow("calcolo-while-plotting") << QStringList{"calcolo 60|35|-18000",
                                                               "grafico",
                                                               "disegna",
                                                               "calcolo 60|35|10",
                                                               "grafico",
                                                               "disegna",
                                                               "disegna"};
    }
    void reactions() {
        QFETCH(QStringList, events);
        QVERIFY(expected_text::matches(QTest::currentDataTag(), run(events)));
    }

    // The calculation sheet, before any Calcolo and after the last one that
    // completed (a failed one after it changes nothing), as data.
    void calculationSheet_data() {
        QTest::addColumn<QStringList>("events");
        QTest::newRow("sheet-before-calcolo") << QStringList{"calcolo 60|35|16"};
        QTest::newRow("sheet-of-the-last-calcolo")
            << QStringList{"calcolo 60,5|35.4|10.4", "grafico", "calcolo 60|35|16"};
    }
    void calculationSheet() {
        QFETCH(QStringList, events);
        form::FormState state;
        for (const QString& event : events) {
            const QStringList texts = event.section(' ', 1).split('|');
            if (event == "grafico")
                state.grafico();
            else
                state.calcolo(texts.value(0).toStdString(), texts.value(1).toStdString(),
                              texts.value(2).toStdString());
        }
        QVERIFY(expected_text::matches(QTest::currentDataTag(),
                                       describe(form::calculationSheet(state.lastCalculation()))));
    }

    // The window's description: what a screen reader calls each control, and
    // the client area that the layout needs.
    void description() {
        std::string names;
        for (const form::ControlDesign& c : form::controls())
            names += std::string(c.name) + ": «" + form::accessibleName(c) + "»\n";
        const raster::TwipRect area = form::clientArea();
        names += "area: " + std::to_string(area.width) + " x " + std::to_string(area.height) + '\n';
        QVERIFY(expected_text::matches("description", names));
    }
};

QTEST_MAIN(TestFormState)
#include "tst_form_state.moc"
