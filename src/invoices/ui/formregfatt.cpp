#include "invoices/ui/formregfatt.h"

#include "data/runtimeerrors.h"
#include "data/textcolumns.h"
#include "ddt/ddtlinkstore.h"
#include "invoices/creditnoterules.h"
#include "invoices/ddtinvoicing.h"
#include "invoices/einvoicestore.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicepaper.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "invoices/invoicetotals.h"
#include "invoices/ui/einvoicesave.h"
#include "invoices/ui/invoiceeditorstore.h"
#include "invoices/ui/naturabox.h"
#include "invoices/ui/ratebox.h"
#include "invoices/ui/termbox.h"
#include "papers/ui/papereditor.h"
#include "papers/ui/papergrid.h"
#include "papers/ui/registerwindow.h"
#include "printing/ui/printrequest.h"
#include "registry/ui/customercodebox.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/windowbehaviour.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

using InvoiceEditorStore::giaEsistente;
using PaperEditor::labelFor;
using PaperEditor::pictureButton;
using PaperEditor::realFocusOut;

} // namespace

FormRegFatt::FormRegFatt(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRegFatt"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("FATTURE")));
    m_frame = new FocusFrame(this, true);
    m_modificato = new ModifiedFlag(this);
    // A new invoice lives only in the window; a recalled one stores its header on closing.
    new CloseGuard(this, [this] {
        return !richiamata() && (m_modificato->isSet() || m_cli->currentIndex() >= 0 || m_righe->scritte());
    });

    m_labelInt = RegisterWindow::heading(this);
    m_labelInt->setText(QStringLiteral("Emetti Fattura"));

    m_lblRec = new QLabel(QStringLiteral("Fattura 1 di 1"), this);
    m_lblRec->setObjectName(QStringLiteral("LblRec"));
    const QString tips[4] = {QStringLiteral("Prima fattura"), QStringLiteral("Fattura precedente"),
                             QStringLiteral("Fattura successiva"), QStringLiteral("Ultima fattura")};
    PaperEditor::browseButtons(this, m_cmd, tips, [this](int i) { sposta(i); });

    m_num = new QLineEdit(this);
    m_num->setObjectName(QStringLiteral("TxtNum"));
    m_num->setReadOnly(true);
    m_num->setMaxLength(20);
    m_data = PaperEditor::dateBox(this, "TxtData");
    m_cli = new QComboBox(this);
    m_cli->setObjectName(QStringLiteral("ComboCli"));
    m_cli->setMinimumContentsLength(30);
    m_idCli = CustomerCodeBox::create(this);
    m_btnCli =
        pictureButton(this, "BtnCli", QStyle::SP_FileDialogDetailedView, QStringLiteral("Verifica dati cliente"));
    m_nuovoCli = WindowBehaviour::button(this, "BtnNuovoCli", QStringLiteral("&NUOVO CLIENTE"),
                                         QStringLiteral("Inserisce NUOVO cliente in Anagrafica"));
    m_iva = new RateBox(this);
    m_natura = new NaturaBox(m_iva, this);
    m_condizione = new TermBox(m_idCli, this);
    m_ra = new QCheckBox(QStringLiteral("R.A. 4 %"), this);
    m_ra->setObjectName(QStringLiteral("ChkRA"));
    WindowBehaviour::setAccessible(m_ra, m_ra->text());

    PaperGrid::Impostazioni righe;
    righe.nomeAccessibile = QStringLiteral("Righe della fattura");
    righe.larghezzaDescrizione = 5050;
    righe.lunghezzaDescrizione = TextColumns::ContFatt::Descrizione;
    righe.colonne = {{QStringLiteral("Q.TA"), 700, QStringLiteral("Quantità ?")},
                     {QStringLiteral("Prezzo"), 1000, QStringLiteral("Prezzo ?")},
                     {QStringLiteral("Importo"), 1000, QString()}};
    righe.selezionaRiga = QStringLiteral("Selezionare una RIGA della fattura");
    righe.testi = [](const PaperRow& r) {
        const InvoiceRow row = InvoiceRules::daRigaCarta(r);
        return QStringList{InvoiceRules::testoQta(row.qta), InvoiceRules::testoPrezzo(row.prezzo),
                           InvoiceRules::testoImporto(row)};
    };
    righe.accetta = [this](const QList<PaperRow>& rows) { return entroLimiti(rows); };
    m_righe = new PaperGrid(this, righe);

    auto* ins =
        WindowBehaviour::button(this, "BtnIns", QStringLiteral("&INS"), QStringLiteral("Inserimento NUOVA RIGA"));
    auto* vuota =
        WindowBehaviour::button(this, "BtnVuota", QStringLiteral("&VUOTA"), QStringLiteral("Inserimento NUOVA RIGA"));
    auto* eliArt = WindowBehaviour::button(this, "BtnEliArt", QStringLiteral("&ELIMINA RIGA"));

    m_imp = WindowBehaviour::amountBox(this, "TxtImp");
    m_txtIva = WindowBehaviour::amountBox(this, "TxtIva");
    m_txtRa = WindowBehaviour::amountBox(this, "TxtRA");
    m_tot = WindowBehaviour::amountBox(this, "TxtTot");
    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("TxtNote"));
    m_note->setTabChangesFocus(true);
    m_note->setMaximumHeight(m_note->fontMetrics().height() * 5);

    PaperEditor::pulsantiStampa(this, m_ant, m_stampa, m_pdf);
    m_xml = WindowBehaviour::button(this, "BtnXml", QStringLiteral("&XML"), QStringLiteral("Crea fattura elettronica"));
    m_nota = WindowBehaviour::button(this, "BtnNotaCredito", QStringLiteral("&NOTA DI CREDITO"),
                                     QStringLiteral("Emette una nota di credito a storno di questa fattura"));
    m_annulla = WindowBehaviour::button(this, "BtnAnnulla", QStringLiteral("&ANNULLA"));
    m_emetti = WindowBehaviour::button(this, "BtnEmetti", QStringLiteral("&EMETTI FATTURA"));

    // Layout.
    QHBoxLayout* top = PaperEditor::rigaTitolo(m_labelInt, m_lblRec, m_cmd);

    QGridLayout* header =
        PaperEditor::testata(this, m_num, m_data, QStringLiteral("Cliente"), m_cli, m_btnCli, m_nuovoCli);
    header->addWidget(labelFor(this, QStringLiteral("IVA"), m_iva, QStringLiteral("IVA %")), 0, 4, Qt::AlignRight);
    auto* ivaBox = new QHBoxLayout;
    ivaBox->addWidget(m_iva);
    ivaBox->addWidget(new QLabel(QStringLiteral("%"), this));
    ivaBox->addSpacing(12);
    ivaBox->addWidget(m_ra);
    ivaBox->addWidget(m_natura);
    ivaBox->addStretch();
    header->addLayout(ivaBox, 0, 5);
    header->addWidget(labelFor(this, QStringLiteral("Pagamento"), m_condizione), 2, 0);
    header->addWidget(m_condizione, 2, 1, 1, 3);
    header->setColumnStretch(3, 1);
    header->setColumnStretch(5, 1);

    QHBoxLayout* rowButtons = PaperEditor::rigaPulsanti({ins, vuota, eliArt}, {});

    auto* totals = new QGridLayout;
    const std::pair<QString, QLineEdit*> totalRows[] = {{QStringLiteral("IMPORTO IMPONIBILE"), m_imp},
                                                        {QStringLiteral("IVA"), m_txtIva},
                                                        {QStringLiteral("R.A. 4 %"), m_txtRa},
                                                        {QStringLiteral("TOTALE FATTURA"), m_tot}};
    for (int i = 0; i < 4; ++i) {
        const QString accessible = i == 2 ? QStringLiteral("Importo R.A. 4 %") : QString();
        totals->addWidget(labelFor(this, totalRows[i].first, totalRows[i].second, accessible), i, 0, Qt::AlignRight);
        totals->addWidget(totalRows[i].second, i, 1);
    }
    auto* noteBox = new QVBoxLayout;
    noteBox->addWidget(labelFor(this, QStringLiteral("NOTE :"), m_note));
    noteBox->addWidget(m_note);
    auto* lower = new QHBoxLayout;
    lower->addLayout(noteBox, 3);
    lower->addSpacing(16);
    lower->addLayout(totals, 2);

    QHBoxLayout* buttons = PaperEditor::rigaPulsanti({m_ant, m_stampa, m_pdf, m_xml, m_nota}, {m_annulla, m_emetti});

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addLayout(header);
    root->addWidget(m_righe->grid(), 1);
    root->addLayout(rowButtons);
    root->addLayout(lower);
    root->addLayout(buttons);

    QWidget* tracked[] = {m_data, m_cli,     m_btnCli, m_nuovoCli, m_condizione, m_iva,    ins,
                          vuota,  eliArt,    m_note,   m_ant,      m_stampa,     m_pdf,    m_xml,
                          m_nota, m_annulla, m_emetti, m_cmd[0],   m_cmd[1],     m_cmd[2], m_cmd[3]};
    for (QWidget* w : tracked)
        m_frame->track(w);
    QWidget* order[] = {m_num,      m_data,       m_iva,           m_ra,  m_natura, m_cli,     m_btnCli,
                        m_nuovoCli, m_condizione, m_righe->grid(), ins,   vuota,    eliArt,    m_note,
                        m_ant,      m_stampa,     m_pdf,           m_xml, m_nota,   m_annulla, m_emetti};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    // Events.
    m_modificato->watch(m_data);
    m_modificato->watch(m_note);
    m_modificato->watch(m_iva);
    m_modificato->watch(m_natura);
    m_data->installEventFilter(this);
    m_iva->installEventFilter(this);
    connect(m_iva, &QComboBox::activated, this, [this] {
        m_modificato->set();
        calcolaTotali();
    });
    connect(m_ra, &QCheckBox::toggled, this, [this] {
        calcolaTotali();
        m_modificato->set();
    });
    connect(m_cli, &QComboBox::currentIndexChanged, this, [this](int index) { m_idCli->setCurrentIndex(index); });
    PaperEditor::limitaNote(m_note, TextColumns::Fatture::Note);
    connect(m_btnCli, &QPushButton::clicked, this,
            [this] { PaperEditor::verificaCliente(this, m_idCli, m_cli, richiamata(), &InvoiceStore::customerName); });
    connect(m_nuovoCli, &QPushButton::clicked, this, [this] { PaperEditor::nuovoCliente(this, m_idCli, m_cli); });
    connect(ins, &QPushButton::clicked, m_righe, &PaperGrid::inserisci);
    connect(vuota, &QPushButton::clicked, m_righe, &PaperGrid::vuota);
    connect(eliArt, &QPushButton::clicked, m_righe, &PaperGrid::elimina);
    connect(m_righe, &PaperGrid::cambiate, this, &FormRegFatt::calcolaTotali);
    connect(m_righe, &PaperGrid::rigaCambiata, this, &FormRegFatt::salvaRiga);
    connect(m_righe, &PaperGrid::rigaEliminata, this, &FormRegFatt::eliminaRiga);
    connect(m_ant, &QPushButton::clicked, this,
            [this] { PrintRequest::preview(this, InvoicePaper::kTipo, datiFattura()); });
    connect(m_stampa, &QPushButton::clicked, this, &FormRegFatt::stampaCopie);
    connect(m_pdf, &QPushButton::clicked, this,
            [this] { PrintRequest::printPdf(this, InvoicePaper::kTipo, datiFattura(), m_num->text()); });
    connect(m_xml, &QPushButton::clicked, this, [this] {
        // The file is made from the stored invoice: a changed header is stored first.
        if (m_modificato->isSet() && !salvaTestata())
            return;
        EInvoiceSave::run(this, m_numRichiamo);
    });
    connect(m_emetti, &QPushButton::clicked, this, &FormRegFatt::emetti);
    connect(m_nota, &QPushButton::clicked, this, [this] {
        // A credit note of the recalled invoice, in an editor of its own.
        const auto found =
            m_modificato->isSet() && !salvaTestata() ? std::nullopt : InvoiceEditorStore::carica(this, m_numRichiamo);
        FormRegFatt nota(this);
        if (found && nota.CaricaNota(QDate::currentDate().year(), *found))
            dialogs().exec(&nota);
    });
    connect(m_annulla, &QPushButton::clicked, this, &FormRegFatt::annulla);

    PaperEditor::finestra(this, m_lblRec, m_cmd);
}

bool FormRegFatt::Carica(const QString& num, int anno)
{
    m_ddtCoperti.clear();
    m_cli->setEnabled(true);
    if (num.isEmpty()) {
        m_numRichiamo.clear();
        m_anno = anno;
        nuova();
        return true;
    }
    const auto found = InvoiceEditorStore::carica(this, num);
    if (!found)
        return false;
    m_numRichiamo = num;
    m_anno = anno;
    mostraRichiamata(*found);
    return true;
}

bool FormRegFatt::CaricaNuova(int anno, qint64 idAna, const QList<InvoiceRow>& righe, const QStringList& ddtCoperti)
{
    Carica(QString(), anno);
    if (!PaperEditor::scegliCliente(this, m_idCli, m_cli, idAna))
        return false;
    if (!righe.isEmpty())
        mostraRighe(righe);
    calcolaTotali();
    m_ddtCoperti = ddtCoperti;
    // The DDTs are that customer's: the invoice cannot pass to another one.
    m_cli->setEnabled(ddtCoperti.isEmpty());
    m_nuovoCli->setEnabled(ddtCoperti.isEmpty());
    m_modificato->clear();
    return true;
}

bool FormRegFatt::CaricaNota(int anno, const Invoice& fattura)
{
    const Invoice nota = CreditNoteRules::proposta(fattura);
    if (!CaricaNuova(anno, nota.idAna, nota.rows))
        return false;
    m_storno = nota.storno;
    m_labelInt->setText(QStringLiteral("Emetti Nota di Credito - ") + InvoiceLayout::aStorno(m_storno));
    // The note is the customer's of the invoice it reverses.
    m_cli->setEnabled(false);
    m_nuovoCli->setEnabled(false);
    m_iva->setEditText(QString::number(nota.iva));
    m_ra->setChecked(nota.ra);
    m_condizione->nessuna();
    calcolaTotali();
    m_modificato->clear();
    return true;
}

void FormRegFatt::nuova()
{
    m_iva->riempi();
    riempiClienti();
    m_condizione->nuova();
    m_suffissoAnno = InvoiceRules::suffisso(m_anno);
    const auto next = InvoiceStore::prossimoNumero(m_suffissoAnno);
    if (!next)
        WindowBehaviour::showDbError(this, next.error());
    m_num->setText(next ? next.value() : QString());
    m_data->setText(QDate::currentDate().year() == m_anno ? Formats::shortDate(QDate::currentDate()) : QString());
    m_nuovoCli->setEnabled(true);
    m_iva->setCurrentIndex(m_iva->count() > 0 ? 0 : -1);
    m_natura->mostra(QString());
    mostraRighe({InvoiceRules::rigaVuota(1)});
    m_stampa->setEnabled(false);
    m_pdf->setEnabled(false);
    m_xml->setEnabled(false);
    m_nota->setEnabled(false);
    m_num->setReadOnly(!app().secondario);
    calcolaTotali();
    m_modificato->clear();
}

void FormRegFatt::mostraRichiamata(const Invoice& inv)
{
    PaperEditor::modoRichiamo(m_labelInt, QStringLiteral("Richiama Fattura"), m_lblRec,
                              {m_cmd[0], m_cmd[1], m_cmd[2], m_cmd[3]}, m_annulla, QStringLiteral("&ANNULLA FATTURA"),
                              m_emetti);
    m_nuovoCli->setEnabled(false);
    m_num->setReadOnly(true);
    m_stampa->setEnabled(true);
    m_pdf->setEnabled(true);
    m_xml->setEnabled(true);
    // A credit note is not reversed in turn.
    m_nota->setEnabled(!inv.notaDiCredito());
    m_storno = inv.storno;
    if (inv.notaDiCredito())
        m_labelInt->setText(QStringLiteral("Richiama Nota di Credito - ") + InvoiceLayout::aStorno(m_storno));
    m_iva->riempi();

    m_suffissoAnno = inv.num.right(3);
    m_num->setText(inv.num);
    m_posizione = InvoiceRules::ordinale(inv.num);
    m_totaleAnno = PaperEditor::contaSerie(this, m_lblRec, QStringLiteral("Fattura"),
                                           InvoiceStore::maxOrdinale(m_suffissoAnno), m_posizione);

    m_condizione->richiamata(inv.num, inv.notaDiCredito());
    PaperEditor::soloCliente(m_idCli, m_cli, inv.idAna, inv.nome);
    m_data->setText(Formats::shortDate(inv.data));
    m_iva->setEditText(QString::number(inv.iva));
    m_note->setPlainText(TextColumns::boxLines(inv.note));
    m_ra->setChecked(inv.ra);
    m_natura->carica(inv.num);
    mostraRighe(inv.rows);
    calcolaTotali();

    m_ultimo = m_posizione == m_totaleAnno;
    m_data->setReadOnly(!m_ultimo);
    m_annulla->setEnabled(m_ultimo);
    m_modificato->clear();
}

void FormRegFatt::riempiClienti()
{
    PaperEditor::riempiClienti(this, m_idCli, m_cli);
}

QList<InvoiceRow> FormRegFatt::rows() const
{
    return InvoiceRules::daRigheCarta(m_righe->righe());
}

void FormRegFatt::mostraRighe(const QList<InvoiceRow>& rows)
{
    m_righe->setRighe(InvoiceRules::righeCarta(rows));
}

void FormRegFatt::calcolaTotali()
{
    const InvoiceTotals t = totali();
    m_imp->setText(Formats::euro(t.imponibile));
    m_txtIva->setText(Formats::euro(t.iva));
    m_txtRa->setText(Formats::euro(t.ritenuta));
    m_tot->setText(Formats::euro(t.totale));
    // A rate or withholding change can still take rows within range past it: the box stays empty,
    // and the error is told once, not at every recomputation.
    const bool overflow = t.totale.isOverflow();
    if (overflow && !m_totaleOltre)
        WindowBehaviour::showRuntimeError(this, RuntimeErrors::Overflow);
    m_totaleOltre = overflow;
}

bool FormRegFatt::entroLimiti(const QList<PaperRow>& rows)
{
    const int rate = InvoiceRules::aliquota(m_iva->currentText()).value_or(0);
    if (!InvoiceTotals::calcola(InvoiceRules::daRigheCarta(rows), rate, m_ra->isChecked()).totale.isOverflow())
        return true;
    WindowBehaviour::showRuntimeError(this, RuntimeErrors::Overflow);
    return false;
}

bool FormRegFatt::verificaIva(bool uscita)
{
    const auto rate = InvoiceRules::aliquota(m_iva->currentText());
    if (!rate) {
        WindowBehaviour::showRuntimeError(this, RuntimeErrors::Overflow);
        return false;
    }
    if (InvoiceRules::aliquotaValida(*rate)) {
        // The box shows the rate as read, so that it agrees with the totals and the paper.
        QString shown = InvoiceRules::testoAliquota(m_iva->currentText());
        if (uscita && shown.isEmpty())
            shown = QStringLiteral("0");
        if (shown != m_iva->currentText())
            m_iva->setEditText(shown);
        calcolaTotali();
        return true;
    }
    dialogs().message(this, QStringLiteral("Valori validi: da 0 a 100"), QStringLiteral("Valore non valido"),
                      Dialogs::Icon::Critical);
    QTimer::singleShot(0, m_iva, [this] { m_iva->setFocus(); });
    return false;
}

void FormRegFatt::eliminaRiga(long long ord)
{
    if (richiamata())
        InvoiceEditorStore::eliminaRiga(this, m_numRichiamo, ord, totali().totaleMostrato());
}

void FormRegFatt::salvaRiga(long long ord)
{
    if (richiamata())
        InvoiceEditorStore::salvaRiga(this, m_numRichiamo, rows(), ord, totali().totaleMostrato());
}

void FormRegFatt::emetti()
{
    if (richiamata()) {
        if (m_modificato->isSet() && !salvaTestata())
            return;
        accept();
        return;
    }
    const auto avviso = [this](const QString& text, QWidget* focus) { PaperEditor::avviso(this, text, focus); };
    const QString num = m_num->text().trimmed();
    if (const auto err = InvoiceRules::erroreNumero(num)) {
        avviso(*err, m_num);
        return;
    }
    if (m_data->text().isEmpty()) {
        avviso(QStringLiteral("Inserire DATA fattura"), m_data);
        return;
    }
    const auto data = PaperEditor::dataValida(this, m_data);
    if (!data)
        return;
    if (m_iva->currentText().isEmpty()) {
        avviso(QStringLiteral("Inserire % IVA"), m_iva);
        return;
    }
    if (!verificaIva(false))
        return;
    const int aliquota = testata(num, *data).iva;
    if (const auto no = EInvoiceStore::rifiutiRegime(aliquota, m_ra->isChecked()); !no || !no->isEmpty())
        return no ? avviso(no->join(u'\n'), m_iva) : WindowBehaviour::showDbError(this, no.error());
    if (const auto b = EInvoiceStore::rigaBollo(aliquota, m_ra->isChecked(), m_natura->codice(), rows()); !b)
        return WindowBehaviour::showDbError(this, b.error());
    else if (*b)
        mostraRighe(rows() << **b);
    const QList<InvoiceRow> righe = rows();
    if (!PaperEditor::clienteScelto(this, m_idCli, m_cli) || !PaperEditor::haRighe(this, righe))
        return;
    if (data->year() != m_anno &&
        !PaperEditor::conferma(this,
                               QStringLiteral("ANNO di emissione diverso dall'anno della data della fattura, "
                                              "proseguire comunque ?"),
                               QStringLiteral("ATTENZIONE")))
        return;
    if (const QString t = DdtInvoicing::avvisoTermine(*data, m_ddtCoperti);
        !t.isEmpty() && !PaperEditor::conferma(this, t, QStringLiteral("ATTENZIONE")))
        return;
    calcolaTotali();
    if (!PaperEditor::numeroLibero(this, InvoiceStore::exists(num), giaEsistente(num)) ||
        !PaperEditor::conferma(this, QStringLiteral("Proseguire con l'EMISSIONE della Fattura ?"),
                               QStringLiteral("Conferma Emissione")))
        return;

    Invoice inv = testata(num, *data);
    inv.idAna = m_idCli->currentText().toLongLong();
    inv.condizione = m_condizione->condizione();
    inv.rows = righe;
    if (!InvoiceEditorStore::emetti(this, inv, m_ddtCoperti, m_natura->codice()))
        return;
    m_num->setText(num);
    dialogs().message(this,
                      m_storno.fattura.isEmpty() ? QStringLiteral("FATTURA emessa con successo")
                                                 : QStringLiteral("NOTA DI CREDITO emessa con successo"),
                      QString(), Dialogs::Icon::Information);
    stampaCopie();
    accept();
}

bool FormRegFatt::salvaTestata()
{
    const auto data = PaperEditor::dataValida(this, m_data);
    if (!data || !verificaIva(false))
        return false;
    if (!InvoiceEditorStore::salvaTestata(this, testata(m_numRichiamo, *data), m_natura->codice()))
        return false;
    m_modificato->clear();
    return true;
}

void FormRegFatt::annulla()
{
    if (!richiamata()) {
        QDialog::reject();
        return;
    }
    const PaperEditor::TestiAnnullamento testi{
        QStringLiteral("Sicuro di voler procedere con l'annullamento di questa FATTURA ?"),
        QStringLiteral("Si può annullare solo l'ultima fattura della serie"),
        QStringLiteral("Durante eliminazione Fattura"), QStringLiteral("FATTURA annullata con successo")};
    if (PaperEditor::annulla<InvoiceStore::Outcome>(this, testi, InvoiceStore::Outcome::InvoiceMissing,
                                                    [&] { return InvoiceStore::cancel(m_num->text()); }))
        accept();
}

void FormRegFatt::sposta(int comando)
{
    if (m_modificato->isSet() && !salvaTestata())
        return;
    const auto posizione = PaperEditor::sposta(this, comando, m_posizione, m_totaleAnno, [&] {
        return InvoiceStore::ordinaliAnno(InvoiceRules::annoSerie(m_numRichiamo), m_suffissoAnno);
    });
    if (!posizione)
        return;
    Carica(QString::number(*posizione) + m_suffissoAnno, m_anno);
}

void FormRegFatt::reject()
{
    // Rows of a recalled invoice are already stored with a total that follows the header shown:
    // its header is stored too rather than left behind.
    if (richiamata() && m_modificato->isSet() && !salvaTestata())
        return;
    QDialog::reject();
}

bool FormRegFatt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_data && realFocusOut(event)) {
        WindowBehaviour::checkDateBox(m_data);
    } else if (watched == m_iva) {
        if (realFocusOut(event)) {
            verificaIva(true);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                verificaIva(false);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

Invoice FormRegFatt::testata(const QString& num, const QDate& data) const
{
    Invoice h;
    h.num = num;
    h.data = data;
    h.iva = InvoiceRules::aliquota(m_iva->currentText()).value_or(0);
    h.totale = totali().totaleMostrato();
    h.note = TextColumns::storedLines(m_note->toPlainText());
    h.ra = m_ra->isChecked();
    h.storno = m_storno;
    return h;
}

InvoiceTotals FormRegFatt::totali() const
{
    return InvoiceTotals::calcola(rows(), InvoiceRules::aliquota(m_iva->currentText()).value_or(0), m_ra->isChecked());
}

InvoiceData FormRegFatt::datiFattura() const
{
    InvoiceData d = InvoiceData::fromEditor(m_num->text(), m_data->text(), m_idCli->currentText().toLongLong(),
                                            m_iva->currentText(), m_ra->isChecked(),
                                            TextColumns::storedLines(m_note->toPlainText()), rows());
    d.natura = m_natura->codice();
    d.storno = m_storno;
    return d;
}

void FormRegFatt::stampaCopie()
{
    PrintRequest::printCopies(this, InvoicePaper::kTipo, datiFattura());
}
