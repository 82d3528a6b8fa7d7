#include "quotes/ui/formregpre.h"

#include "data/textcolumns.h"
#include "ddt/ui/formregddt.h"
#include "invoices/ui/formregfatt.h"
#include "papers/paperseries.h"
#include "printing/ui/printrequest.h"
#include "quotes/quotepaper.h"
#include "quotes/quoterows.h"
#include "quotes/quotestore.h"
#include "registry/ui/frmsceltacliente.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/papereditor.h"
#include "shell/ui/registerwindow.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using PaperEditor::labelFor;
using PaperEditor::pictureButton;

namespace {

const QString kAvviso = QStringLiteral("AVVISO");

QString giaEsistente(const QString& num)
{
    return QStringLiteral("Preventivo ") + num + QStringLiteral(" già esistente");
}

QComboBox* intestazione(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(30);
    combo->lineEdit()->setMaxLength(TextColumns::Preventivi::Int1);
    return combo;
}

QPlainTextEdit* testo(QWidget* parent, const char* name)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

FormRegPre::FormRegPre(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRegPre"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("PREVENTIVI")));
    m_frame = new FocusFrame(this, true);
    m_modificato = new ModifiedFlag(this);
    m_chiusura = new CloseGuard(this);

    const QString tips[4] = {QStringLiteral("Primo preventivo"), QStringLiteral("Preventivo precedente"),
                             QStringLiteral("Preventivo successivo"), QStringLiteral("Ultimo preventivo")};
    PaperEditor::titolo(this, m_labelInt, QStringLiteral("Registra Preventivo"), m_lblRec, QStringLiteral("Preventivo"),
                        m_cmd, tips, [this](int i) { sposta(i); });

    m_num = PaperEditor::numeroBox(this);
    m_data = PaperEditor::dateBox(this, "TxtData");
    m_cli3 = new QComboBox(this);
    m_cli3->setObjectName(QStringLiteral("ComboCli3"));
    m_cli3->setMinimumContentsLength(30);
    m_idCli = PaperEditor::idClienteBox(this);
    m_btnCli =
        pictureButton(this, "BtnCli", QStyle::SP_FileDialogDetailedView, QStringLiteral("Verifica dati cliente"));
    m_nuovoCli = WindowBehaviour::button(this, "BtnNuovoCli", QStringLiteral("&NUOVO CLIENTE"),
                                         QStringLiteral("Inserisce NUOVO cliente in Anagrafica"));
    m_nuovoCli->setEnabled(false);
    m_cli = intestazione(this, "ComboCli");
    m_cli2 = intestazione(this, "ComboCli2");
    m_des = PaperEditor::testoCarta(this);
    m_note = testo(this, "TxtNote");
    m_note->setMaximumHeight(m_note->fontMetrics().height() * 4);

    PaperEditor::pulsantiStampa(this, m_ant, m_stampa, m_pdf);
    m_annulla = WindowBehaviour::button(this, "BtnAnnulla", QStringLiteral("&ANNULLA"));
    m_registra = WindowBehaviour::button(this, "BtnRegistra", QStringLiteral("&REGISTRA PREVENTIVO"));
    // A recalled quote goes on into an invoice or a DDT.
    m_fattura = WindowBehaviour::button(this, "BtnFattura", QStringLiteral("&FATTURA"),
                                        QStringLiteral("Nuova fattura con il testo del preventivo"));
    m_ddt = WindowBehaviour::button(this, "BtnDdt", QStringLiteral("&DDT"),
                                    QStringLiteral("Nuovo DDT con il testo del preventivo"));
    m_fattura->hide();
    m_ddt->hide();

    // Layout.
    QGridLayout* header =
        PaperEditor::testata(this, m_num, m_data, QStringLiteral("Cliente Anagr."), m_cli3, m_btnCli, m_nuovoCli);
    header->addWidget(labelFor(this, QStringLiteral("Cliente Libero"), m_cli), 2, 0);
    header->addWidget(m_cli, 2, 1, 1, 3);
    WindowBehaviour::setAccessible(m_cli2, QStringLiteral("Cliente Libero, seconda riga"));
    header->addWidget(m_cli2, 3, 1, 1, 3);
    header->setColumnStretch(3, 1);

    QHBoxLayout* buttons =
        PaperEditor::rigaPulsanti({m_ant, m_stampa, m_pdf}, {m_fattura, m_ddt, m_annulla, m_registra});

    auto* root = new QVBoxLayout(this);
    root->addLayout(PaperEditor::rigaTitolo(m_labelInt, m_lblRec, m_cmd));
    root->addLayout(header);
    root->addWidget(labelFor(this, QStringLiteral("TESTO:"), m_des));
    root->addWidget(m_des, 1);
    root->addWidget(labelFor(this, QStringLiteral("NOTE :"), m_note));
    root->addWidget(m_note);
    root->addLayout(buttons);

    QWidget* tracked[] = {m_annulla, m_ant,    m_btnCli, m_nuovoCli, m_pdf,  m_registra, m_stampa,
                          m_data,    m_des,    m_note,   m_cli,      m_cli2, m_cli3,     m_cmd[0],
                          m_cmd[1],  m_cmd[2], m_cmd[3], m_fattura,  m_ddt};
    for (QWidget* w : tracked)
        m_frame->track(w);

    // Events. Choosing a registry customer is no change of the quote.
    m_modificato->watch(m_data);
    m_modificato->watch(m_des);
    m_modificato->watch(m_note);
    m_modificato->watch(m_cli);
    m_modificato->watch(m_cli2);
    m_data->installEventFilter(this);
    connect(m_cli3, &QComboBox::currentIndexChanged, this, [this](int index) { m_idCli->setCurrentIndex(index); });
    connect(m_registra, &QPushButton::clicked, this, &FormRegPre::registra);
    connect(m_annulla, &QPushButton::clicked, this, &FormRegPre::annulla);
    connect(m_btnCli, &QPushButton::clicked, this, &FormRegPre::verificaCliente);
    PaperEditor::limitaNote(m_note, TextColumns::Preventivi::Note);
    connect(m_nuovoCli, &QPushButton::clicked, this, &FormRegPre::nuovoCliente);
    connect(m_fattura, &QPushButton::clicked, this, [this] { daPreventivo(true); });
    connect(m_ddt, &QPushButton::clicked, this, [this] { daPreventivo(false); });
    connect(m_stampa, &QPushButton::clicked, this, &FormRegPre::stampaCopie);
    PaperEditor::collegaStampa(
        this, m_ant, m_pdf, QuotePaper::kTipo, [this] { return std::any(datiPreventivo()); },
        [this] { return m_num->text(); });

    PaperEditor::finestra(this, m_lblRec, m_cmd);
}

bool FormRegPre::Carica(const QString& num)
{
    return PaperEditor::carica<Quote>(
        this, QStringLiteral("Preventivo"), num, m_numRichiamo, [this] { nuovo(); }, &QuoteStore::load,
        [this](const Quote& q) { mostraRichiamato(q); });
}

void FormRegPre::riempiIntestazioni()
{
    QComboBox* const combos[2] = {m_cli, m_cli2};
    for (int riga = 1; riga <= 2; ++riga) {
        QComboBox* combo = combos[riga - 1];
        const QString shown = combo->currentText();
        combo->clear();
        const auto lines = QuoteStore::intestazioni(riga);
        if (!lines)
            WindowBehaviour::showDbError(this, lines.error());
        else
            combo->addItems(lines.value());
        combo->setCurrentIndex(-1);
        combo->setEditText(shown);
    }
}

void FormRegPre::nuovo()
{
    riempiIntestazioni();
    PaperEditor::riempiClienti(this, m_idCli, m_cli3);
    m_suffissoAnno = PaperSeries::suffisso(QDate::currentDate().year());
    const auto next = QuoteStore::prossimoNumero(m_suffissoAnno);
    if (!next)
        WindowBehaviour::showDbError(this, next.error());
    m_num->setText(next ? next.value() : QString());
    m_data->setText(Formats::shortDate(QDate::currentDate()));
    m_nuovoCli->setEnabled(true);
    m_stampa->setEnabled(false);
    m_pdf->setEnabled(false);
    m_num->setReadOnly(!app().secondario);
    m_modificato->clear();
}

void FormRegPre::mostraRichiamato(const Quote& q)
{
    PaperEditor::modoRichiamo(m_labelInt, QStringLiteral("Richiama Preventivo"), m_lblRec,
                              {m_cmd[0], m_cmd[1], m_cmd[2], m_cmd[3]}, m_annulla,
                              QStringLiteral("&ANNULLA PREVENTIVO"), m_registra);
    m_nuovoCli->setEnabled(false);
    m_fattura->show();
    m_ddt->show();
    m_num->setReadOnly(true);
    m_stampa->setEnabled(true);
    m_pdf->setEnabled(true);
    riempiIntestazioni();

    m_suffissoAnno = q.num.right(3);
    m_num->setText(q.num);
    m_posizione = PaperSeries::ordinale(q.num);
    m_totaleAnno = PaperEditor::contaSerie(this, m_lblRec, QStringLiteral("Preventivo"),
                                           QuoteStore::maxOrdinale(m_suffissoAnno), m_posizione);

    // The customer of a stored quote stays: the registry name alone, or the typed lines alone.
    const bool anagrafica = q.idAna != 0;
    PaperEditor::soloCliente(m_idCli, m_cli3, q.idAna, q.nome);
    m_cli->setEditText(anagrafica ? QString() : q.int1);
    m_cli2->setEditText(anagrafica ? QString() : q.int2);
    m_cli->setEnabled(!anagrafica);
    m_cli2->setEnabled(!anagrafica);
    m_data->setText(Formats::shortDate(q.data));
    m_des->setPlainText(TextColumns::boxLines(q.des));
    m_note->setPlainText(TextColumns::boxLines(q.note));

    m_ultimo = m_posizione == m_totaleAnno;
    m_annulla->setEnabled(m_ultimo);
    m_modificato->clear();
}

void FormRegPre::verificaCliente()
{
    // The lists of a recalled quote are not read again: its customer stays as shown.
    PaperEditor::verificaCliente(this, m_idCli, m_cli3, richiamato(),
                                 [](qint64) -> DbResult<QString> { return QString(); });
}

void FormRegPre::nuovoCliente()
{
    PaperEditor::nuovoCliente(this, m_idCli, m_cli3);
}

void FormRegPre::daPreventivo(bool fattura)
{
    qint64 idAna = m_idCli->currentText().toLongLong();
    if (idAna == 0) {
        FrmSceltaCliente scelta(m_cli->currentText(), m_cli2->currentText(), this);
        if (dialogs().exec(&scelta) != QDialog::Accepted || scelta.scelto() == 0)
            return;
        idAna = scelta.scelto();
    }
    // The text as shown: changes not yet stored go on too, and the quote is not written.
    const QString des = PaperEditor::testoMemorizzato(m_des);
    if (fattura) {
        FormRegFatt editor(this);
        if (editor.CaricaNuova(QDate::currentDate().year(), idAna, QuoteRows::righeFattura(des)))
            dialogs().exec(&editor);
    } else {
        FormRegDdt editor(this);
        if (editor.CaricaNuova(idAna, QuoteRows::righeDdt(des)))
            dialogs().exec(&editor);
    }
}

void FormRegPre::registra()
{
    if (richiamato()) {
        if (m_modificato->isSet() && !salva())
            return;
        chiudi(QDialog::Accepted);
        return;
    }
    const auto avviso = [this](const QString& text, QWidget* focus) {
        dialogs().message(this, text, kAvviso, Dialogs::Icon::Exclamation);
        focus->setFocus();
    };
    const QString num = m_num->text().trimmed();
    if (const auto err = PaperSeries::erroreNumero(num, QStringLiteral("preventivo"))) {
        avviso(*err, m_num);
        return;
    }
    const bool anagrafica = m_idCli->currentIndex() >= 0 && !m_idCli->currentText().isEmpty();
    if (!anagrafica && m_cli->currentText().isEmpty()) {
        avviso(QStringLiteral("Inserire intestazione CLIENTE o selezionarlo da Anagrafica"), m_cli);
        return;
    }
    const QString des = PaperEditor::testoMemorizzato(m_des);
    if (des.isEmpty()) {
        avviso(QStringLiteral("Nessuna DESCRIZIONE inserita"), m_des);
        return;
    }
    const auto data = PaperEditor::dataValida(this, m_data);
    if (!data || !PaperEditor::numeroLibero(this, QuoteStore::exists(num), giaEsistente(num)) ||
        !PaperEditor::conferma(this, QStringLiteral("Proseguire con il SALVATAGGIO del PREVENTIVO"),
                               QStringLiteral("Conferma SALVATAGGIO")))
        return;

    Quote q;
    q.num = num;
    q.idAna = anagrafica ? m_idCli->currentText().toLongLong() : 0;
    q.int1 = m_cli->currentText();
    q.int2 = m_cli2->currentText();
    q.data = *data;
    q.des = des;
    q.note = PaperEditor::testoMemorizzato(m_note);
    if (auto err = QuoteStore::issue(q)) {
        if (err->number == DbError::Duplicate)
            PaperEditor::giaEsistente(this, giaEsistente(num));
        else
            WindowBehaviour::showDbError(this, *err);
        return;
    }
    m_num->setText(num);
    dialogs().message(this, QStringLiteral("PREVENTIVO registrato con successo"), QString(),
                      Dialogs::Icon::Information);
    stampaCopie();
    chiudi(QDialog::Accepted);
}

bool FormRegPre::salva()
{
    const auto data = PaperEditor::dataValida(this, m_data);
    if (!data)
        return false;
    Quote q;
    q.num = m_numRichiamo;
    q.int1 = m_cli->currentText();
    q.int2 = m_cli2->currentText();
    q.data = *data;
    q.des = PaperEditor::testoMemorizzato(m_des);
    q.note = PaperEditor::testoMemorizzato(m_note);
    const auto outcome = QuoteStore::save(q);
    if (!outcome) {
        WindowBehaviour::showDbError(this, outcome.error());
        return false;
    }
    if (outcome.value() == QuoteStore::Outcome::PaperMissing) {
        dialogs().message(this, QStringLiteral("Errore durante salvataggio Preventivo"), QString(),
                          Dialogs::Icon::None);
        return true;
    }
    m_modificato->clear();
    return true;
}

void FormRegPre::annulla()
{
    if (!richiamato()) {
        chiudi(QDialog::Rejected);
        return;
    }
    const PaperEditor::TestiAnnullamento testi{
        QStringLiteral("Sicuro di voler procedere con l'annullamento di questo preventivo ?"),
        QStringLiteral("Si può annullare solo l'ultimo preventivo dell'anno"),
        QStringLiteral("Errore durante annullamento Preventivo: il preventivo non esiste più"),
        QStringLiteral("PREVENTIVO annullato con successo")};
    if (PaperEditor::annulla<QuoteStore::Outcome>(this, testi, QuoteStore::Outcome::PaperMissing,
                                                  [&] { return QuoteStore::cancel(m_num->text()); }))
        chiudi(QDialog::Accepted);
}

void FormRegPre::sposta(int comando)
{
    if (m_modificato->isSet() && !salva())
        return;
    const auto posizione = PaperEditor::sposta(
        this, comando, m_posizione, m_totaleAnno, [&] { return QuoteStore::ordinaliSerie(m_suffissoAnno); }, true);
    if (!posizione)
        return;
    Carica(QString::number(*posizione) + m_suffissoAnno);
}

void FormRegPre::chiudi(int result)
{
    m_chiusura->consenti();
    done(result);
}

bool FormRegPre::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_data && PaperEditor::realFocusOut(event))
        WindowBehaviour::checkDateBox(m_data);
    return QDialog::eventFilter(watched, event);
}

QuoteData FormRegPre::datiPreventivo() const
{
    QuoteData d;
    d.num = m_num->text();
    d.data = m_data->text();
    d.cli1 = m_cli->currentText();
    d.cli2 = m_cli2->currentText();
    d.idCliente = m_idCli->currentText().toLongLong();
    d.des = PaperEditor::testoMemorizzato(m_des);
    return d;
}

void FormRegPre::stampaCopie()
{
    PrintRequest::printCopies(this, QuotePaper::kTipo, datiPreventivo());
}
