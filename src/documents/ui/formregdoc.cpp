#include "documents/ui/formregdoc.h"

#include "data/textcolumns.h"
#include "documents/documentpaper.h"
#include "documents/documentstore.h"
#include "papers/paperseries.h"
#include "printing/ui/printrequest.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/papereditor.h"
#include "shell/ui/registerwindow.h"
#include "shell/ui/windowbehaviour.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using PaperEditor::labelFor;

namespace {

// A document keeps the date of its registration.
QLineEdit* lockedDateBox(QWidget* parent)
{
    auto* box = PaperEditor::dateBox(parent, "TxtData");
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

} // namespace

FormRegDoc::FormRegDoc(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRegDoc"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("DOCUMENTI")));
    m_frame = new FocusFrame(this, true);
    m_modificato = new ModifiedFlag(this);
    m_chiusura = new CloseGuard(this);

    const QString tips[4] = {QStringLiteral("Primo documento"), QStringLiteral("Documento precedente"),
                             QStringLiteral("Documento successivo"), QStringLiteral("Ultimo documento")};
    PaperEditor::titolo(this, m_labelInt, QStringLiteral("Nuovo Documento"), m_lblRec, QStringLiteral("Documento"),
                        m_cmd, tips, [this](int i) { sposta(i); });

    m_num = PaperEditor::numeroBox(this);
    m_data = lockedDateBox(this);
    m_des = PaperEditor::testoCarta(this);

    PaperEditor::pulsantiStampa(this, m_ant, m_stampa, m_pdf);
    m_annulla = WindowBehaviour::button(this, "BtnAnnulla", QStringLiteral("&ANNULLA"));
    m_registra = WindowBehaviour::button(this, "BtnRegistra", QStringLiteral("&REGISTRA DOCUMENTO"));

    auto* root = new QVBoxLayout(this);
    root->addLayout(PaperEditor::rigaTitolo(m_labelInt, m_lblRec, m_cmd));
    root->addLayout(PaperEditor::rigaPulsanti({labelFor(this, QStringLiteral("Numero"), m_num), m_num,
                                               labelFor(this, QStringLiteral("Data"), m_data), m_data},
                                              {}));
    root->addWidget(labelFor(this, QStringLiteral("TESTO:"), m_des));
    root->addWidget(m_des, 1);
    root->addLayout(PaperEditor::rigaPulsanti({m_ant, m_stampa, m_pdf}, {m_annulla, m_registra}));

    QWidget* tracked[] = {m_annulla, m_ant, m_pdf, m_registra, m_stampa, m_des, m_cmd[0], m_cmd[1], m_cmd[2], m_cmd[3]};
    for (QWidget* w : tracked)
        m_frame->track(w);
    m_modificato->watch(m_des);

    PaperEditor::collegaStampa(
        this, m_ant, m_pdf, DocumentPaper::kTipo, [this] { return std::any(datiDocumento()); },
        [this] { return m_num->text(); });
    connect(m_stampa, &QPushButton::clicked, this, &FormRegDoc::stampaDocumento);
    connect(m_registra, &QPushButton::clicked, this, &FormRegDoc::registra);
    connect(m_annulla, &QPushButton::clicked, this, &FormRegDoc::annulla);
    PaperEditor::finestra(this, m_lblRec, m_cmd);
}

bool FormRegDoc::Carica(const QString& num)
{
    return PaperEditor::carica<Documento>(
        this, QStringLiteral("Documento"), num, m_numRichiamo, [this] { nuovo(); }, &DocumentStore::load,
        [this](const Documento& d) { mostraRichiamato(d); });
}

void FormRegDoc::nuovo()
{
    m_suffissoAnno = PaperSeries::suffisso(QDate::currentDate().year());
    const auto next = DocumentStore::prossimoNumero(m_suffissoAnno);
    if (!next)
        WindowBehaviour::showDbError(this, next.error());
    m_num->setText(next ? next.value() : QString());
    m_data->setText(Formats::shortDate(QDate::currentDate()));
    m_stampa->setEnabled(false);
    m_pdf->setEnabled(false);
    m_modificato->clear();
}

void FormRegDoc::mostraRichiamato(const Documento& d)
{
    PaperEditor::modoRichiamo(m_labelInt, QStringLiteral("Richiama Documento"), m_lblRec,
                              {m_cmd[0], m_cmd[1], m_cmd[2], m_cmd[3]}, m_annulla, QStringLiteral("&ELIMINA DOCUMENTO"),
                              m_registra);
    m_stampa->setEnabled(true);
    m_pdf->setEnabled(true);
    m_suffissoAnno = d.num.right(3);
    m_num->setText(d.num);
    m_posizione = PaperSeries::ordinale(d.num);
    m_totaleAnno = PaperEditor::contaSerie(this, m_lblRec, QStringLiteral("Documento"),
                                           DocumentStore::maxOrdinale(m_suffissoAnno), m_posizione);
    m_data->setText(Formats::shortDate(d.data));
    m_des->setPlainText(TextColumns::boxLines(d.des));
    m_ultimo = m_posizione == m_totaleAnno;
    m_annulla->setEnabled(m_ultimo);
    m_modificato->clear();
}

void FormRegDoc::registra()
{
    if (richiamato()) {
        if (m_modificato->isSet())
            salvaDocumento();
        chiudi(true);
        return;
    }
    const QString des = PaperEditor::testoMemorizzato(m_des);
    if (des.isEmpty()) {
        dialogs().message(this, QStringLiteral("Nessun TESTO inserito"), QStringLiteral("AVVISO"),
                          Dialogs::Icon::Exclamation);
        m_des->setFocus();
        return;
    }
    if (dialogs().message(this, QStringLiteral("Proseguire con il SALVATAGGIO del DOCUMENTO"),
                          QStringLiteral("Conferma SALVATAGGIO"), Dialogs::Icon::Question,
                          Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    const Documento d{m_num->text(), Formats::parseDate(m_data->text()).value_or(QDate::currentDate()), des};
    if (auto err = DocumentStore::registra(d)) {
        if (err->number != DbError::Duplicate) {
            WindowBehaviour::showDbError(this, *err);
            return;
        }
        // Another program took the number meanwhile: the next free one is offered.
        dialogs().message(this, err->text, QStringLiteral("Impossibile procedere"), Dialogs::Icon::Exclamation);
        nuovo();
        m_modificato->set();
        return;
    }
    dialogs().message(this, QStringLiteral("DOCUMENTO registrato con successo"), QString(), Dialogs::Icon::Information);
    if (dialogs().message(this, QStringLiteral("Effettuare la STAMPA ora ?"), QStringLiteral("Stampa Documento"),
                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes)
        stampaDocumento();
    chiudi(true);
}

bool FormRegDoc::salvaDocumento()
{
    const auto saved = DocumentStore::salva(m_numRichiamo, PaperEditor::testoMemorizzato(m_des));
    if (!saved) {
        WindowBehaviour::showDbError(this, saved.error());
        return false;
    }
    if (!saved.value()) {
        dialogs().message(this, QStringLiteral("Errore durante salvataggio Documento"), QString(), Dialogs::Icon::None);
        return false;
    }
    m_modificato->clear();
    return true;
}

void FormRegDoc::annulla()
{
    if (!richiamato()) {
        chiudi(false);
        return;
    }
    const PaperEditor::TestiAnnullamento testi{
        QStringLiteral("Sicuro di voler procedere con l'eliminazione di questo documento ?"),
        QStringLiteral("Si può eliminare solo l'ultimo documento dell'anno"),
        QStringLiteral("Il documento ") + m_num->text() + QStringLiteral(" non esiste più: è già stato eliminato"),
        QStringLiteral("DOCUMENTO eliminato con successo")};
    if (PaperEditor::annulla<SeriesStore::Outcome>(this, testi, SeriesStore::Outcome::PaperMissing,
                                                   [&] { return DocumentStore::elimina(m_num->text()); }))
        chiudi(true);
}

void FormRegDoc::sposta(int comando)
{
    if (m_modificato->isSet())
        salvaDocumento();
    const auto posizione = PaperEditor::sposta(
        this, comando, m_posizione, m_totaleAnno, [&] { return DocumentStore::ordinaliSerie(m_suffissoAnno); }, true);
    if (posizione)
        Carica(QString::number(*posizione) + m_suffissoAnno);
}

void FormRegDoc::chiudi(bool registrato)
{
    m_chiusura->consenti();
    done(registrato ? QDialog::Accepted : QDialog::Rejected);
}

Documento FormRegDoc::datiDocumento() const
{
    return {m_num->text(), Formats::parseDate(m_data->text()).value_or(QDate()), PaperEditor::testoMemorizzato(m_des)};
}

void FormRegDoc::stampaDocumento()
{
    PrintRequest::printOne(this, DocumentPaper::kTipo, datiDocumento());
}
