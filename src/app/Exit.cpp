#include "app/Exit.h"

#include "app/Arguments.h"
#include "app/Limits.h"
#include "app/StandardOutput.h"
#include "engine/Calculation.h"
#include "practice/ExerciseRanges.h"
#include "practice/ExerciseSet.h"

#include <cstdio>

namespace app {

namespace {

const char kHelp[] = R"(Uso: raggio-limite [SOTTOCOMANDO] [ARGOMENTI]

Senza argomenti apre la finestra. Con un sottocomando calcola senza finestra.

  calcolo TEMPERATURA SALINITA QUOTA
      Stampa le 21 righe che "Calcolo" scrive nella finestra.
      I valori si leggono come nelle caselle: "." per i decimali, 60,5 vale 60.
      Esempio: raggio-limite calcolo 60 35 10

  tabella --temperatura A[:B[:PASSO]] --salinita A[:B[:PASSO]] --quota A[:B[:PASSO]]
          [--formato csv|csv-it|testo]
      Una riga per ogni combinazione (la temperatura varia più lentamente,
      poi la salinità, poi la quota), in CSV con l'intestazione
      temperatura,salinita,quota,velocita,raggio,coseno,teta,S,errore
      (csv-it: punto e virgola e virgola decimale, per un foglio di calcolo
      in italiano) oppure in colonne allineate con --formato testo. Salinità e quota
      entrano nel calcolo come numeri interi: i loro intervalli devono dare
      solo interi. Si scrive anche --salinità. Al massimo %1 righe.
      Esempio: raggio-limite tabella --temperatura 50:70:10 --salinita 35 --quota 0:15:5

  grafico TEMPERATURA SALINITA QUOTA -o FILE.png|FILE.pdf [--scala N]
      Salva il grafico che la finestra mostra dopo "Calcolo" e "Grafico":
      PNG come sullo schermo (--scala 2 per il doppio dei pixel, da più di 0
      a %2: i pixel della finestra e della pagina a quel rapporto), oppure
      PDF di una pagina, a vettori. Scrive il nome del file.
      Esempio: raggio-limite grafico 60 35 10 -o raggio.png

  scheda TEMPERATURA SALINITA QUOTA -o FILE.pdf
      Salva la scheda di calcolo: una pagina A4 con i dati, le 21 righe del
      calcolo e il grafico. Scrive il nome del file.
      Esempio: raggio-limite scheda 60 35 10 -o scheda.pdf

  pagina -o FILE.html
      Salva la pagina per il browser: la stessa calcolatrice in un solo file,
      che si apre da disco anche senza rete. Scrive il nome del file.
      Esempio: raggio-limite pagina -o raggio-limite.html

  verifica TEMPERATURA SALINITA QUOTA [--velocita V] [--raggio R] [--coseno C]
           [--teta A] [--ascissa S] [--formato testo|csv|csv-it]
      Verifica i passi di un calcolo fatto a mano. Ogni passo dato è giusto
      (entro un'unità dell'ultima cifra scritta; S esatto), coerente
      (sbagliato, ma giusto sui propri valori precedenti), sbagliato (con la
      svista probabile) o, se non dato, mancante; con il valore del
      programma, la differenza e una nota. La prima riga nomina il primo
      passo sbagliato. I passi si scrivono con la virgola o il punto per i
      decimali (4928,6) e anche con un esponente (6.08e-3). In CSV:
      passo,tuo,atteso,esito,nota. Esce con 1 se un passo è sbagliato.
      Esempio: raggio-limite verifica 60 35 10 --velocita 4928,6 --ascissa 548

  verifica --risposte FILE.csv [--formato testo|csv|csv-it]
           [--temperatura A:B] [--salinita A:B] [--quota A:B]
      Corregge le risposte di una classe: un CSV, con la virgola o con il
      punto e virgola, con le colonne nome, codice (oppure temperatura,
      salinita e quota) e i passi velocita, raggio, coseno, teta e S; una
      cella vuota è un passo mancante. Di ogni studente i verdetti e i punti
      (i passi giusti e coerenti, su 5). I codici si ritrovano con gli
      intervalli dati a esercizi. FILE "-" è lo standard input.

  esercizi --numero N --seme S [--temperatura A:B] [--salinita A:B] [--quota A:B]
           [-o FILE.pdf] [--soluzioni FILE.pdf] [--moodle FILE.xml]
           [--csv FILE.csv | --csv-it FILE.csv]
      Da 1 a %3 esercizi diversi, ciascuno calcolabile e con un codice
      SEME-NN; lo stesso seme con gli stessi intervalli dà sempre gli stessi,
      e l'esercizio k è lo stesso per ogni N. Intervalli predefiniti:
      %4
      (la temperatura con un decimale, salinità e quota intere, la quota al
      massimo 15). Senza file l'elenco va sullo standard output in CSV,
      con l'intestazione codice,temperatura,salinita,quota,velocita,raggio,
      coseno,teta,S; --csv-it lo scrive con punto e virgola e virgola
      decimale; --moodle scrive un quiz per Moodle, una domanda per
      esercizio (S in Yd, esatto); -o le schede per gli studenti, un foglio
      A4 per esercizio senza risposte (codice, nome, classe e data, i dati,
      uno spazio per ciascuno dei cinque passi); --soluzioni la chiave, per
      ogni codice i cinque valori per intero e il resoconto di Calcolo. Ogni
      file è scritto intero o per niente. Scrive i nomi dei file.
      Esempio: raggio-limite esercizi --numero 25 --seme 2027 -o esercizi.pdf
               --soluzioni chiave.pdf --moodle quiz.xml

  -h, --help       questo aiuto
  -v, --version    la versione

Stato d'uscita: 0 riuscito, 1 errore di calcolo, di lettura o di scrittura (e per
verifica un passo sbagliato), 2 uso sbagliato.
)";

// Every message of the command line names the program first, as other tools'
// messages do, so that it stands out in a script's log.
void tell(const QString& message) {
    std::fputs(qPrintable(QStringLiteral("raggio-limite: %1\n").arg(message)), stderr);
}

} // namespace

int Exit::usageError(const QString& problem) {
    tell(QStringLiteral("%1. Vedere raggio-limite --help.").arg(problem));
    return kUsage;
}

int Exit::failure(const QString& message) {
    tell(message);
    return kFailed;
}

int Exit::finish(StandardOutput& out) {
    return out.finish() ? kDone : failure(out.problem());
}

int Exit::printed(const QString& text) {
    StandardOutput out;
    out.write(text);
    return finish(out);
}

int Exit::help() {
    return printed(QString::fromUtf8(kHelp)
                       .arg(kMostTableRows)
                       .arg(kLargestScale)
                       .arg(practice::ExerciseSet::kMostExercises)
                       .arg(QString::fromStdString(practice::ExerciseRanges().description())));
}

void Exit::notice(const QString& notice) {
    tell(QStringLiteral("avviso: %1").arg(notice));
}

void Exit::readingNotices(const QStringList& texts) {
    for (const std::string& notice :
         engine::readingNotices(texts.value(0).toStdString(), texts.value(1).toStdString(),
                                texts.value(2).toStdString()))
        Exit::notice(QString::fromStdString(notice));
}

std::optional<int> Exit::read(Arguments& arguments, const QStringList& given) {
    if (const auto problem = arguments.parse(given))
        return usageError(*problem);
    if (arguments.helpAsked())
        return help();
    return std::nullopt;
}

} // namespace app
