#include "app/usage.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

struct Line {
    const char* synopsis;
    const char* description;
};

constexpr Line kCommands[] = {
    {"pdf TIPO CHIAVE -o FILE",
     "Scrive in PDF un documento memorizzato, con le stesse pagine della stampa dal suo editor. Tipi e chiavi: "
     "anagrafica NOME, fattura NUMERO (per esempio fattura 12/26), ddt NUMERO, preventivo NUMERO, documento NUMERO."},
    {"pdf registro-fatture ANNO [--cliente ID] -o FILE",
     "Il registro delle fatture dell'anno, come lo elenca e lo stampa la sua finestra, con i totali dell'anno."},
    {"pdf registro-ddt ANNO [--cliente ID] -o FILE", "Il registro dei DDT dell'anno."},
    {"csv fatture ANNO [--cliente ID] -o FILE",
     "Le fatture dell'anno per il commercialista, una riga per fattura: separatore \";\", virgola decimale, "
     "UTF-8, date gg/mm/aaaa."},
    {"xlsx fatture ANNO [--cliente ID] -o FILE",
     "Le stesse fatture in un foglio di Excel: numeri, codici cliente, partite IVA e codici fiscali come testo (con "
     "gli zeri iniziali), importi come numeri con due decimali, date come date."},
    {"xml fattura NUMERO [--nuovo-nome] -o FILE",
     "La fattura elettronica (FatturaPA) di una fattura memorizzata. Una fattura già esportata riprende il nome (il "
     "progressivo) che ha già; con --nuovo-nome ne riceve uno nuovo, per un file scartato dal Sistema di "
     "Interscambio."},
    {"xml anno ANNO [--nuovo-nome] -o CARTELLA",
     "Le fatture elettroniche di tutte le fatture dell'anno, con i nomi che il Sistema di Interscambio si aspetta; "
     "quelle già esportate con lo stesso nome."},
    {"fattura-da-ddt CLIENTE_ID [--anno ANNO]",
     "Mostra i DDT dell'anno non ancora fatturati del cliente e le righe della fattura differita, senza scrivere "
     "nulla. L'anno predefinito è quello in corso."},
    {"riba --da GG/MM/AAAA --a GG/MM/AAAA -o FILE",
     "Presenta alla banca le Ri.Ba. non pagate e non ancora presentate che scadono nel periodo, come il pulsante "
     "PRESENTAZIONE RI.BA. dello scadenzario: scrive il file CBI \"RIBA\" (record di 120 caratteri, CR LF) e segna "
     "le rate come presentate, elencandole. Il codice SIA e la banca dell'azienda e l'ABI e il CAB di ogni cliente "
     "devono essere compilati: altrimenti rifiuta, senza scrivere nulla. Senza Ri.Ba. nel periodo non scrive alcun "
     "file."},
    {"--database URL init", "Crea le tabelle in un database PostgreSQL senza tabelle."},
    {"migrate --to URL",
     "Copia il database della cartella di lavoro in un database PostgreSQL senza tabelle, in una sola "
     "transazione, e confronta i conteggi e le somme delle due parti; se qualcosa non va, il database del server "
     "resta vuoto."},
    {"migrate --from FILE.mdb",
     "Importa il database Access del programma precedente (Dati\\Corvalisto.mdb) nel database della cartella di "
     "lavoro (creato se manca) o del server, che non deve contenere ancora clienti, articoli, categorie o documenti: "
     "chiavi, testi, date e importi come li mostrava il programma precedente, la numerazione prosegue. Una sola "
     "transazione: se qualcosa non va non viene scritto nulla. Stampa le righe e le somme lette e scritte "
     "di ogni tabella e gli avvisi."},
};

constexpr Line kOptions[] = {
    {"--dir CARTELLA", "Cartella di lavoro (dati, impostazioni, immagini). Senza, vale $CORVALISTO_DIR oppure ~/Corvalisto."},
    {"--database URL",
     "Database PostgreSQL condiviso, postgresql://utente@server:porta/nome, al posto del file in Dati/. L'indirizzo "
     "non contiene mai la password: la prende libpq da ~/.pgpass o da $PGPASSWORD."},
    {"--demo", "Riempie una cartella di lavoro nuova e vuota (o un database PostgreSQL senza tabelle) con dati di esempio, poi "
     "la apre. Rifiuta una cartella che contiene già dei dati."},
    {"--floppy CARTELLA", "Cartella del backup (menu Utility, Backup), al posto della chiavetta USB."},
    {"-o, --output FILE", "File da scrivere (comandi pdf, csv, xlsx, xml fattura, riba); cartella per xml anno."},
    {"--cliente ID", "Solo il cliente di questo codice (registri, csv e xlsx)."},
    {"--nuovo-nome", "Un nuovo nome di file anche per le fatture già esportate (comando xml)."},
    {"--anno ANNO", "Anno dei DDT da fatturare (comando fattura-da-ddt)."},
    {"--da GG/MM/AAAA", "Prima scadenza delle Ri.Ba. da presentare (comando riba)."},
    {"--a GG/MM/AAAA", "Ultima scadenza delle Ri.Ba. da presentare (comando riba)."},
    {"--to URL", "Database PostgreSQL in cui copiare i dati (comando migrate)."},
    {"--from FILE.mdb", "Database Access del programma precedente da importare (comando migrate)."},
    {"-h, --help", "Mostra l'aiuto ed esce."},
    {"-v, --version", "Mostra la versione ed esce."},
};

constexpr int kWidth = 80;
constexpr int kIndent = 6;

// Synopsis on its own line, description wrapped below it: long synopses need no columns.
void append(QString& text, const Line& line)
{
    text += QStringLiteral("  %1\n").arg(QString::fromUtf8(line.synopsis));
    QString row;
    const QStringList words = QString::fromUtf8(line.description).split(QLatin1Char(' '));
    for (const QString& word : words) {
        if (!row.isEmpty() && kIndent + row.size() + 1 + word.size() > kWidth) {
            text += QString(kIndent, QLatin1Char(' ')) + row + QLatin1Char('\n');
            row.clear();
        }
        row += (row.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    text += QString(kIndent, QLatin1Char(' ')) + row + QLatin1Char('\n');
}

} // namespace

namespace Usage {

QString helpText()
{
    QString text = QStringLiteral("Uso: corvalisto [OPZIONI] [COMANDO]\n"
                                  "Corvalisto %1, gestionale per la carpenteria metallica.\n\n"
                                  "Senza comando apre la finestra principale sulla cartella di lavoro.\n\n"
                                  "Comandi (non aprono finestre, non creano la cartella di lavoro né il database):\n")
                       .arg(QCoreApplication::applicationVersion());
    for (const Line& line : kCommands)
        append(text, line);
    text += QStringLiteral("\nOpzioni:\n");
    for (const Line& line : kOptions)
        append(text, line);
    return text;
}

} // namespace Usage
