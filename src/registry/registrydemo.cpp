#include "registry/registrydemo.h"

#include "data/database.h"
#include "registry/customerpaymentstore.h"
#include "registry/customerstore.h"
#include "registry/paymenttermstore.h"

#include <algorithm>

namespace {

struct Sample {
    const char* nome;
    const char* ragione;
    const char* ragione2;
    const char* piva;
    const char* indirizzo;
    const char* cap;
    const char* citta;
    const char* prov;
};

const Sample kSamples[] = {
    {"ACCIAI BRIANZA", "Acciai Brianza S.r.l.", "", "02841560960", "Via dell'Industria 14", "20851", "Lissone", "MB"},
    {"BERTOLDI COSTRUZIONI", "Bertoldi Costruzioni S.p.A.", "", "01457230223", "Via Brennero 112", "38121", "Trento",
     "TN"},
    {"CARPENTERIA L'INCUDINE", "Carpenteria L'Incudine S.n.c.", "di Rota Mario & C.", "03318790163",
     "Via Papa Giovanni XXIII 8", "24040", "Bonate Sopra", "BG"},
    {"COMUNE DI CANTÙ", "Comune di Cantù", "Ufficio Tecnico", "00419150131", "Piazza Parini 4", "22063", "Cantù", "CO"},
    {"D'ANGELO SERRAMENTI", "D'Angelo Serramenti di D'Angelo Luca", "", "04122810874", "Via Etnea 301", "95030",
     "Gravina di Catania", "CT"},
    {"EDIL FORLÌ", "Edil Forlì S.r.l.", "", "03906480409", "Viale dell'Appennino 77", "47121", "Forlì", "FC"},
    {"FERRAMENTA GALLI", "Ferramenta Galli di Galli Anna", "", "01984520187", "Corso Cavour 21", "27100", "Pavia",
     "PV"},
    {"GRU E SOLLEVAMENTI PADANI", "Gru e Sollevamenti Padani S.r.l.", "", "02210570350", "Via Emilia 455", "42122",
     "Reggio Emilia", "RE"},
    {"IDRAULICA BONFANTI", "Idraulica Bonfanti S.a.s.", "di Bonfanti Pietro & C.", "01652140136", "Via Manzoni 9",
     "23900", "Lecco", "LC"},
    {"L'ARTE DEL FERRO", "L'Arte del Ferro di Pozzi Giulia", "", "03774410967", "Via Garibaldi 56", "20811",
     "Cesano Maderno", "MB"},
    {"MARMI NICOLÒ", "Marmi Nicolò S.r.l.", "", "01348890458", "Via Aurelia 1200", "54033", "Carrara", "MS"},
    {"NAUTICA SANT'ELIA", "Nautica Sant'Elia S.r.l.", "Cantiere navale", "02977730106", "Calata Gadda 3", "16126",
     "Genova", "GE"},
    {"OFFICINE RIVA", "Officine Riva S.p.A.", "", "00871470167", "Via Roma 140", "24068", "Seriate", "BG"},
    {"PELLEGRINI IMPIANTI", "Pellegrini Impianti S.r.l.", "", "04455120230", "Via Mantova 18", "37139", "Verona", "VR"},
    {"QUADRIFOGLIO ARREDI", "Quadrifoglio Arredi S.r.l.", "", "02099910305", "Via Nazionale 44", "33048",
     "San Giovanni al Natisone", "UD"},
    {"ROSSI GIUSEPPE", "Rossi Giuseppe", "", "", "Via Verdi 3", "22070", "Appiano Gentile", "CO"},
    {"SCALE E RINGHIERE SAVOIA", "Scale e Ringhiere Savoia S.n.c.", "", "09126540013", "Corso Francia 210", "10143",
     "Torino", "TO"},
    {"TECNOMECCANICA ERBÈ", "Tecnomeccanica Erbè S.r.l.", "", "03561200233", "Via dell'Artigianato 2", "37060", "Erbè",
     "VR"},
    {"UNIVERSITÀ DELL'INSUBRIA", "Università degli Studi dell'Insubria", "Servizio Patrimonio", "02481820120",
     "Via Ravasi 2", "21100", "Varese", "VA"},
    {"VILLA FERRARI", "Villa Ferrari Agriturismo", "", "02733560987", "Località Cà Bianca 1", "25080",
     "Polpenazze del Garda", "BS"},
    {"ZANETTI CANCELLI", "Zanetti Cancelli di Zanetti Marco", "", "01123870246", "Via Vicenza 98", "36015", "Schio",
     "VI"},
};

// The terms and banks of the first customers (by their place in kSamples): Ri.Ba. with the bank's
// ABI and CAB, a direct debit with the IBAN, transfers and cash.
struct SamplePayment {
    int customer;
    const char* condizione;
    const char* iban;
    const char* abi;
    const char* cab;
    const char* banca;
};

const SamplePayment kPayments[] = {
    {0, "Ri.Ba. 30/60 gg f.m.", "", "05034", "33300", "Banco BPM - Lissone"},
    {1, "Ri.Ba. 30/60/90 gg f.m.", "", "08304", "01802", "Cassa Rurale di Trento"},
    {2, "Ri.Ba. 60 gg f.m.", "", "03069", "53230", "Intesa Sanpaolo - Bonate Sopra"},
    {3, "Bonifico 30 gg d.f.", "", "", "", ""},
    {4, "Addebito diretto SDD 30 gg f.m.", "IT05A0503616900000000012345", "05036", "16900", "Banco BPM - Gravina"},
    {5, "Bonifico 30/60/90 gg d.f.", "", "", "", ""},
    {6, "Rimessa diretta", "", "", "", ""},
    {7, "Ri.Ba. 30 gg f.m.", "", "02008", "12800", "UniCredit - Reggio Emilia"},
};

} // namespace

namespace RegistryDemo {

DbStatus fill()
{
    Transaction tx;
    if (!tx.started())
        return DbError::notStarted();
    QList<qint64> ids;
    for (const Sample& s : kSamples) {
        Customer c;
        c.nome = QString::fromUtf8(s.nome);
        c.ragione = QString::fromUtf8(s.ragione);
        c.ragione2 = QString::fromUtf8(s.ragione2);
        c.piva = QString::fromUtf8(s.piva);
        // Companies give their VAT number as tax code; a private person has neither here.
        c.cf = c.piva;
        c.indirizzo = QString::fromUtf8(s.indirizzo);
        c.cap = QString::fromUtf8(s.cap);
        c.citta = QString::fromUtf8(s.citta);
        c.prov = QString::fromUtf8(s.prov);
        const auto r = CustomerStore::insert(c);
        if (!r)
            return r.error();
        ids.append(r.value());
    }
    const auto terms = PaymentTermStore::all();
    if (!terms)
        return terms.error();
    for (const SamplePayment& p : kPayments) {
        const auto term = std::find_if(terms->cbegin(), terms->cend(), [&](const PaymentTerm& t) {
            return t.descrizione == QString::fromUtf8(p.condizione);
        });
        // The user may have deleted a shipped term: the customer then has none.
        const qint64 id = term == terms->cend() ? 0 : term->id;
        if (auto err = CustomerPaymentStore::save(ids.at(p.customer), {id, QString::fromUtf8(p.iban),
                                                                       QString::fromUtf8(p.abi), QString::fromUtf8(p.cab),
                                                                       QString::fromUtf8(p.banca)}))
            return err;
    }
    return tx.commit();
}

DbResult<QList<qint64>> primiClienti(int n)
{
    auto q = Database::select(QStringLiteral("SELECT Id FROM Anagrafica WHERE Valid = 1 ORDER BY Id LIMIT ?"), {n});
    if (!q)
        return q.error();
    QList<qint64> customers;
    while (q.value().next())
        customers.append(q.value().value(0).toLongLong());
    return customers;
}

} // namespace RegistryDemo
