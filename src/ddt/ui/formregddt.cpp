#include "ddt/ui/formregddt.h"

#include "data/textcolumns.h"
#include "ddt/ddtlinkstore.h"
#include "ddt/ddtpaper.h"
#include "ddt/ddtrules.h"
#include "ddt/ddtstore.h"
#include "papers/paperrows.h"
#include "papers/paperseries.h"
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

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>

using PaperEditor::dateBox;
using PaperEditor::labelFor;
using PaperEditor::pictureButton;
using PaperEditor::realFocusOut;

namespace {

QString giaEsistente(const QString& num)
{
    return QStringLiteral("DDT ") + num + QStringLiteral(" già esistente");
}

QLineEdit* smallBox(QWidget* parent, const char* name, int length)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(length);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    return box;
}

} // namespace

FormRegDdt::FormRegDdt(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRegDdt"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("DOCUMENTI DI TRASPORTO")));
    m_frame = new FocusFrame(this, true);
    m_modificato = new ModifiedFlag(this);
    // A new DDT lives only in the window; a recalled one's header is stored by "&CHIUDI" only.
    new CloseGuard(this, [this] {
        return m_modificato->isSet() || (!richiamata() && (m_cli->currentIndex() >= 0 || m_righe->scritte()));
    });

    m_labelInt = RegisterWindow::heading(this, QStringLiteral("Times New Roman"));
    m_labelInt->setText(QStringLiteral("Emetti D.D.T."));

    m_lblRec = new QLabel(QStringLiteral("DDT 1 di 1"), this);
    m_lblRec->setObjectName(QStringLiteral("LblRec"));
    const QString tips[4] = {QStringLiteral("Primo DDT"), QStringLiteral("DDT precedente"),
                             QStringLiteral("DDT successivo"), QStringLiteral("Ultimo DDT")};
    PaperEditor::browseButtons(this, m_cmd, tips, [this](int i) { sposta(i); });

    m_num = PaperEditor::numeroBox(this);
    m_data = dateBox(this, "TxtData");
    m_cli = new QComboBox(this);
    m_cli->setObjectName(QStringLiteral("ComboCli"));
    m_cli->setMinimumContentsLength(30);
    m_idCli = CustomerCodeBox::create(this);
    m_btnCli =
        pictureButton(this, "BtnCli", QStyle::SP_FileDialogDetailedView, QStringLiteral("Verifica dati cliente"));
    m_nuovoCli = WindowBehaviour::button(this, "BtnNuovoCli", QStringLiteral("&NUOVO CLIENTE"),
                                         QStringLiteral("Inserisce NUOVO cliente in Anagrafica"));
    m_nuovoCli->setEnabled(false);
    m_causale = new QComboBox(this);
    m_causale->setObjectName(QStringLiteral("ComboCausale"));
    m_causale->setEditable(true);
    m_causale->setInsertPolicy(QComboBox::NoInsert);
    m_causale->setMinimumContentsLength(20);
    m_causale->lineEdit()->setMaxLength(TextColumns::Ddt::Causale);
    const QString mezzi[2] = {QStringLiteral("cedente"), QStringLiteral("cessionario")};
    for (int i = 0; i < 2; ++i) {
        m_mezzo[i] = new QRadioButton(this);
        m_mezzo[i]->setObjectName(QStringLiteral("OptMezzo%1").arg(i));
        m_lblMezzo[i] = new QLabel(mezzi[i], this);
        m_lblMezzo[i]->setObjectName(QStringLiteral("LblMezzo%1").arg(i));
        m_lblMezzo[i]->setBuddy(m_mezzo[i]);
        m_lblMezzo[i]->installEventFilter(this);
        WindowBehaviour::setAccessible(m_mezzo[i], QStringLiteral("A mezzo ") + mezzi[i]);
    }
    m_colli = smallBox(this, "TxtColli", 10);
    m_dataRitiro = dateBox(this, "TxtDataIT");
    auto* oggi = WindowBehaviour::button(this, "BtnOggi", QStringLiteral("Oggi"));
    m_ore = smallBox(this, "TxtOre", 2);
    m_minuti = smallBox(this, "TxtMin", 2);
    WindowBehaviour::setAccessible(m_ore, QStringLiteral("Ora Ritiro, ore"));
    WindowBehaviour::setAccessible(m_minuti, QStringLiteral("Ora Ritiro, minuti"));
    QPushButton* su[2];
    QPushButton* giu[2];
    const QString passo[2] = {QStringLiteral("ore"), QStringLiteral("minuti")};
    for (int i = 0; i < 2; ++i) {
        su[i] = pictureButton(this, QByteArray("BtnUp" + QByteArray::number(i)).constData(), QStyle::SP_ArrowUp,
                              QStringLiteral("Aumenta ") + passo[i]);
        giu[i] = pictureButton(this, QByteArray("BtnDown" + QByteArray::number(i)).constData(), QStyle::SP_ArrowDown,
                               QStringLiteral("Diminuisci ") + passo[i]);
    }
    auto* ora = WindowBehaviour::button(this, "BtnOra", QStringLiteral("Ora"));
    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("TxtNote"));
    m_note->setTabChangesFocus(true);
    m_note->setMaximumHeight(m_note->fontMetrics().height() * 4);

    PaperGrid::Impostazioni righe;
    righe.nomeAccessibile = QStringLiteral("Righe del DDT");
    righe.larghezzaDescrizione = 5500;
    righe.lunghezzaDescrizione = TextColumns::ContDdt::Descrizione;
    righe.colonne = {{QStringLiteral("Q.TA"), 750, QStringLiteral("Quantità ?")}};
    righe.selezionaRiga = QStringLiteral("Selezionare una RIGA nel DDT");
    righe.zeroSeVuota = true;
    righe.testi = [](const PaperRow& r) { return QStringList{PaperRows::testoQta(r.valori.value(0))}; };
    righe.modificabile = [this] {
        const DbStatus err = richiamata() ? DdtLinkStore::modificabile(m_numRichiamo) : DbStatus();
        if (err)
            PaperEditor::mostraRifiuto(this, *err, DdtLinkStore::Fatturato);
        return !err;
    };
    m_righe = new PaperGrid(this, righe);

    auto* ins =
        WindowBehaviour::button(this, "BtnIns", QStringLiteral("&INS"), QStringLiteral("Inserimento NUOVA RIGA"));
    auto* vuota =
        WindowBehaviour::button(this, "BtnVuota", QStringLiteral("&VUOTA"), QStringLiteral("Inserimento NUOVA RIGA"));
    auto* eliRiga = WindowBehaviour::button(this, "BtnEliRiga", QStringLiteral("&ELIMINA RIGA"));

    PaperEditor::pulsantiStampa(this, m_ant, m_stampa, m_pdf);
    m_annulla = WindowBehaviour::button(this, "BtnAnnulla", QStringLiteral("&ANNULLA"));
    m_emetti = WindowBehaviour::button(this, "BtnEmetti", QStringLiteral("&EMETTI DDT"));

    // Layout.
    QHBoxLayout* top = PaperEditor::rigaTitolo(m_labelInt, m_lblRec, m_cmd);

    QGridLayout* header =
        PaperEditor::testata(this, m_num, m_data, QStringLiteral("Cliente"), m_cli, m_btnCli, m_nuovoCli);
    header->addWidget(labelFor(this, QStringLiteral("Causale del trasporto"), m_causale), 2, 0);
    header->addWidget(m_causale, 2, 1, 1, 3);
    auto* mezzo = new QHBoxLayout;
    mezzo->addWidget(new QLabel(QStringLiteral("A mezzo"), this));
    for (int i = 0; i < 2; ++i) {
        mezzo->addWidget(m_mezzo[i]);
        mezzo->addWidget(m_lblMezzo[i]);
    }
    mezzo->addSpacing(12);
    mezzo->addWidget(labelFor(this, QStringLiteral("N Colli"), m_colli));
    mezzo->addWidget(m_colli);
    mezzo->addStretch();
    header->addLayout(mezzo, 2, 4, 1, 2);
    auto* ritiro = new QHBoxLayout;
    ritiro->addWidget(labelFor(this, QStringLiteral("Data Ritiro"), m_dataRitiro));
    ritiro->addWidget(m_dataRitiro);
    ritiro->addWidget(oggi);
    ritiro->addSpacing(12);
    auto* lblOra = new QLabel(QStringLiteral("Ora Ritiro"), this);
    lblOra->setBuddy(m_ore);
    ritiro->addWidget(lblOra);
    for (int i = 0; i < 2; ++i) {
        ritiro->addWidget(i == 0 ? m_ore : m_minuti);
        auto* steps = new QVBoxLayout;
        steps->setSpacing(0);
        steps->addWidget(su[i]);
        steps->addWidget(giu[i]);
        ritiro->addLayout(steps);
    }
    ritiro->addWidget(ora);
    ritiro->addStretch();
    header->addLayout(ritiro, 3, 0, 1, 6);
    header->setColumnStretch(3, 1);
    header->setColumnStretch(5, 1);

    QHBoxLayout* rowButtons = PaperEditor::rigaPulsanti({ins, vuota, eliRiga}, {});

    QHBoxLayout* buttons = PaperEditor::rigaPulsanti({m_ant, m_stampa, m_pdf}, {m_annulla, m_emetti});

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addLayout(header);
    root->addWidget(m_righe->grid(), 1);
    root->addLayout(rowButtons);
    root->addWidget(labelFor(this, QStringLiteral("NOTE :"), m_note));
    root->addWidget(m_note);
    root->addLayout(buttons);

    m_testata = {m_data,   m_causale, m_mezzo[0], m_mezzo[1], m_colli, m_dataRitiro, oggi,  m_ore,
                 m_minuti, su[0],     su[1],      giu[0],     giu[1],  ora,          m_note};

    QWidget* tracked[] = {m_annulla, m_ant,     m_btnCli, eliRiga, m_emetti, ins,          m_nuovoCli,
                          oggi,      ora,       m_stampa, vuota,   m_cmd[0], m_cmd[1],     m_cmd[2],
                          m_cmd[3],  m_causale, m_cli,    m_colli, m_data,   m_dataRitiro, m_note};
    for (QWidget* w : tracked)
        m_frame->track(w);

    // Events.
    for (QLineEdit* box : {m_data, m_dataRitiro, m_ore, m_minuti, m_colli})
        m_modificato->watch(box);
    m_modificato->watch(m_note);
    m_modificato->watch(m_causale);
    for (QRadioButton* opt : m_mezzo)
        m_modificato->watch(opt);
    m_data->installEventFilter(this);
    m_dataRitiro->installEventFilter(this);
    m_colli->installEventFilter(this);
    connect(m_cli, &QComboBox::currentIndexChanged, this, [this](int index) { m_idCli->setCurrentIndex(index); });
    PaperEditor::limitaNote(m_note, TextColumns::Ddt::Note);
    connect(oggi, &QPushButton::clicked, this,
            [this] { m_dataRitiro->setText(Formats::shortDate(QDate::currentDate())); });
    connect(ora, &QPushButton::clicked, this, [this] {
        const QTime now = QTime::currentTime();
        m_ore->setText(QString::number(now.hour()));
        m_minuti->setText(DdtRules::dueCifre(now.minute()));
    });
    connect(su[0], &QPushButton::clicked, this, [this] { m_ore->setText(DdtRules::oreSu(m_ore->text())); });
    connect(giu[0], &QPushButton::clicked, this, [this] { m_ore->setText(DdtRules::oreGiu(m_ore->text())); });
    connect(su[1], &QPushButton::clicked, this, [this] { m_minuti->setText(DdtRules::minutiSu(m_minuti->text())); });
    connect(giu[1], &QPushButton::clicked, this, [this] { m_minuti->setText(DdtRules::minutiGiu(m_minuti->text())); });
    connect(m_btnCli, &QPushButton::clicked, this, &FormRegDdt::verificaCliente);
    connect(m_nuovoCli, &QPushButton::clicked, this, &FormRegDdt::nuovoCliente);
    connect(ins, &QPushButton::clicked, m_righe, &PaperGrid::inserisci);
    connect(vuota, &QPushButton::clicked, m_righe, &PaperGrid::vuota);
    connect(eliRiga, &QPushButton::clicked, m_righe, &PaperGrid::elimina);
    connect(m_righe, &PaperGrid::rigaCambiata, this, &FormRegDdt::salvaRiga);
    connect(m_righe, &PaperGrid::rigaEliminata, this, &FormRegDdt::eliminaRiga);
    connect(m_ant, &QPushButton::clicked, this, &FormRegDdt::anteprima);
    connect(m_stampa, &QPushButton::clicked, this, &FormRegDdt::stampaCopie);
    connect(m_pdf, &QPushButton::clicked, this, &FormRegDdt::stampaPdf);
    connect(m_emetti, &QPushButton::clicked, this, &FormRegDdt::emetti);
    connect(m_annulla, &QPushButton::clicked, this, &FormRegDdt::annulla);

    PaperEditor::finestra(this, m_lblRec, m_cmd);
}

bool FormRegDdt::Carica(const QString& num)
{
    return PaperEditor::carica<Ddt>(
        this, QStringLiteral("DDT"), num, m_numRichiamo, [this] { nuovo(); }, &DdtStore::load,
        [this](const Ddt& d) { mostraRichiamato(d); });
}

bool FormRegDdt::CaricaNuova(qint64 idAna, const QList<DdtRow>& righe)
{
    Carica(QString());
    if (!PaperEditor::scegliCliente(this, m_idCli, m_cli, idAna))
        return false;
    if (!righe.isEmpty()) {
        QList<PaperRow> rows;
        for (const DdtRow& r : righe)
            rows.append({r.ord, r.descrizione, {r.qta}});
        m_righe->setRighe(std::move(rows));
    }
    m_modificato->clear();
    return true;
}

void FormRegDdt::nuovo()
{
    riempiCausali();
    riempiClienti();
    m_suffissoAnno = PaperSeries::suffisso(QDate::currentDate().year());
    const auto next = DdtStore::prossimoNumero(m_suffissoAnno);
    if (!next)
        WindowBehaviour::showDbError(this, next.error());
    m_num->setText(next ? next.value() : QString());
    m_data->setText(Formats::shortDate(QDate::currentDate()));
    m_nuovoCli->setEnabled(true);
    m_righe->setRighe({PaperRow{1, QString(), {Decimal()}}});
    m_stampa->setEnabled(false);
    m_pdf->setEnabled(false);
    m_num->setReadOnly(!app().secondario);
    PaperEditor::blocca(m_testata, QString());
    m_modificato->clear();
}

void FormRegDdt::mostraRichiamato(const Ddt& d)
{
    PaperEditor::modoRichiamo(m_labelInt, QStringLiteral("Richiama D.D.T."), m_lblRec,
                              {m_cmd[0], m_cmd[1], m_cmd[2], m_cmd[3]}, m_annulla, QStringLiteral("&ANNULLA DDT"),
                              m_emetti);
    m_nuovoCli->setEnabled(false);
    m_num->setReadOnly(true);
    m_stampa->setEnabled(true);
    m_pdf->setEnabled(true);
    riempiCausali();

    m_suffissoAnno = d.num.right(3);
    m_num->setText(d.num);
    m_posizione = PaperSeries::ordinale(d.num);
    m_totaleAnno = PaperEditor::contaSerie(this, m_lblRec, QStringLiteral("DDT"), DdtStore::maxOrdinale(m_suffissoAnno),
                                           m_posizione);

    PaperEditor::soloCliente(m_idCli, m_cli, d.idAna, d.nome);
    m_data->setText(Formats::shortDate(d.data));
    m_causale->setEditText(d.causale);
    const auto [ore, minuti] = DdtRules::oreMinuti(d.oraRitiro);
    m_ore->setText(ore);
    m_minuti->setText(minuti);
    m_dataRitiro->setText(d.dataRitiro.isValid() ? Formats::shortDate(d.dataRitiro) : QString());
    // Both options off first: a radio button cannot be cleared on its own.
    for (QRadioButton* opt : m_mezzo)
        opt->setAutoExclusive(false);
    for (int i = 0; i < 2; ++i)
        m_mezzo[i]->setChecked(DdtRules::opzioneMezzo(d.mezzo) == i);
    for (QRadioButton* opt : m_mezzo)
        opt->setAutoExclusive(true);
    m_colli->setText(d.colli == 0 ? QString() : QString::number(d.colli));
    m_note->setPlainText(TextColumns::boxLines(d.note));
    QList<PaperRow> rows;
    rows.reserve(d.rows.size());
    for (const DdtRow& r : d.rows)
        rows.append({r.ord, r.descrizione, {r.qta}});
    m_righe->setRighe(std::move(rows));

    m_ultimo = m_posizione == m_totaleAnno;
    m_data->setReadOnly(!m_ultimo);
    // An invoiced DDT is shown as invoiced: its header stays as it is (the store refuses it too).
    const DbStatus modificabile = DdtLinkStore::modificabile(d.num);
    PaperEditor::blocca(m_testata, modificabile && modificabile->number == DdtLinkStore::Fatturato ? modificabile->text
                                                                                                   : QString());
    m_annulla->setEnabled(m_ultimo);
    m_modificato->clear();
}

void FormRegDdt::riempiCausali()
{
    const QString shown = m_causale->currentText();
    m_causale->clear();
    const auto causali = DdtStore::causali();
    if (!causali)
        WindowBehaviour::showDbError(this, causali.error());
    else
        m_causale->addItems(causali.value());
    m_causale->setCurrentIndex(-1);
    m_causale->setEditText(richiamata() ? shown : QString());
}

void FormRegDdt::riempiClienti()
{
    PaperEditor::riempiClienti(this, m_idCli, m_cli);
}

void FormRegDdt::verificaCliente()
{
    PaperEditor::verificaCliente(this, m_idCli, m_cli, richiamata(), &DdtStore::customerName);
}

void FormRegDdt::nuovoCliente()
{
    PaperEditor::nuovoCliente(this, m_idCli, m_cli);
}

void FormRegDdt::leggiColli()
{
    const DdtRules::Colli colli = DdtRules::leggiColli(m_colli->text());
    if (colli.errore)
        WindowBehaviour::showRuntimeError(this, colli.errore);
    if (colli.testo != m_colli->text())
        m_colli->setText(colli.testo);
}

QList<DdtRow> FormRegDdt::righe() const
{
    QList<DdtRow> out;
    out.reserve(m_righe->righe().size());
    for (const PaperRow& r : m_righe->righe())
        out.append({r.ord, r.descrizione, r.valori.value(0)});
    return out;
}

int FormRegDdt::opzioneMezzo() const
{
    return m_mezzo[0]->isChecked() ? 0 : m_mezzo[1]->isChecked() ? 1 : -1;
}

void FormRegDdt::salvaRiga(long long ord)
{
    if (!richiamata())
        return;
    const QList<DdtRow> all = righe();
    const auto it = std::find_if(all.cbegin(), all.cend(), [ord](const DdtRow& r) { return r.ord == ord; });
    if (it == all.cend())
        return;
    PaperEditor::esitoRiga(this, DdtStore::saveRow(m_numRichiamo, *it), DdtLinkStore::Fatturato,
                           QStringLiteral("Errore durante salvataggio riga DDT"));
}

void FormRegDdt::eliminaRiga(long long ord)
{
    if (!richiamata())
        return;
    PaperEditor::esitoRiga(this, DdtStore::deleteRow(m_numRichiamo, ord), DdtLinkStore::Fatturato,
                           QStringLiteral("Errore durante eliminazione riga DDT"));
}

void FormRegDdt::emetti()
{
    if (richiamata()) {
        if (m_modificato->isSet() && !salvaTestata())
            return;
        accept();
        return;
    }
    const auto avviso = [this](const QString& text, QWidget* focus) { PaperEditor::avviso(this, text, focus); };
    const QString num = m_num->text().trimmed();
    if (const auto err = DdtRules::erroreNumero(num)) {
        avviso(*err, m_num);
        return;
    }
    if (!PaperEditor::clienteScelto(this, m_idCli, m_cli))
        return;
    if (m_causale->currentText().isEmpty()) {
        avviso(QStringLiteral("Selezionare CAUSALE del trasporto"), m_causale);
        return;
    }
    const QList<DdtRow> rows = righe();
    if (!PaperEditor::haRighe(this, rows))
        return;
    const auto data = Formats::parseDate(m_data->text());
    const auto ritiro = Formats::parseDate(m_dataRitiro->text());
    if (!data || (!m_dataRitiro->text().isEmpty() && !ritiro)) {
        dialogs().message(this, QStringLiteral("Data non valida"), QString(), Dialogs::Icon::Critical);
        (data ? m_dataRitiro : m_data)->setFocus();
        return;
    }
    if (data->year() != QDate::currentDate().year() &&
        !PaperEditor::conferma(this,
                               QStringLiteral("L'ANNO della data di emissione è diverso dall'anno corrente , "
                                              "proseguire comunque ?"),
                               QStringLiteral("ATTENZIONE")))
        return;
    if (!PaperEditor::numeroLibero(this, DdtStore::exists(num), giaEsistente(num)) ||
        !PaperEditor::conferma(this, QStringLiteral("Proseguire con l'EMISSIONE del DDT ?"),
                               QStringLiteral("Conferma Emissione")))
        return;

    Ddt d;
    d.num = num;
    d.idAna = m_idCli->currentText().toLongLong();
    d.data = *data;
    d.causale = m_causale->currentText();
    d.mezzo = DdtRules::mezzo(opzioneMezzo());
    d.colli = DdtRules::leggiColli(m_colli->text()).testo.toLongLong();
    d.dataRitiro = ritiro.value_or(QDate());
    d.oraRitiro = DdtRules::oraRitiro(m_ore->text(), m_minuti->text());
    d.note = TextColumns::storedLines(m_note->toPlainText());
    d.rows = rows;
    if (auto err = DdtStore::issue(d)) {
        if (err->number == DbError::Duplicate)
            PaperEditor::giaEsistente(this, giaEsistente(num));
        else
            WindowBehaviour::showDbError(this, *err);
        return;
    }
    m_num->setText(num);
    dialogs().message(this, QStringLiteral("DDT emesso con successo"), QString(), Dialogs::Icon::Information);
    stampaCopie();
    accept();
}

bool FormRegDdt::salvaTestata()
{
    const auto data = Formats::parseDate(m_data->text());
    const auto ritiro = Formats::parseDate(m_dataRitiro->text());
    if (!data || (!m_dataRitiro->text().isEmpty() && !ritiro)) {
        dialogs().message(this, QStringLiteral("Data non valida"), QString(), Dialogs::Icon::Critical);
        (data ? m_dataRitiro : m_data)->setFocus();
        return false;
    }
    Ddt h;
    h.num = m_numRichiamo;
    h.data = *data;
    h.causale = m_causale->currentText();
    h.mezzo = DdtRules::mezzo(opzioneMezzo());
    h.colli = DdtRules::leggiColli(m_colli->text()).testo.toLongLong();
    h.dataRitiro = ritiro.value_or(QDate());
    h.oraRitiro = DdtRules::oraRitiro(m_ore->text(), m_minuti->text());
    h.note = TextColumns::storedLines(m_note->toPlainText());
    if (h.note.isNull())
        h.note = QStringLiteral("");
    const auto outcome = DdtStore::saveHeader(h);
    if (!outcome) {
        PaperEditor::mostraRifiuto(this, outcome.error(), DdtLinkStore::Fatturato);
        // An invoiced DDT keeps its header as invoiced: the changes go, the window does not stop.
        if (outcome.error().number != DdtLinkStore::Fatturato)
            return false;
        m_modificato->clear();
        return true;
    }
    if (outcome.value() == DdtStore::Outcome::DdtMissing) {
        PaperEditor::messaggio(this, QStringLiteral("Errore durante salvataggio DDT"));
        return true;
    }
    m_modificato->clear();
    return true;
}

void FormRegDdt::annulla()
{
    if (!richiamata()) {
        reject();
        return;
    }
    const PaperEditor::TestiAnnullamento testi{
        QStringLiteral("Sicuro di voler procedere con l'annullamento di questo DDT ?"),
        QStringLiteral("Si può annullare solo l'ultimo DDT dell'anno"), QStringLiteral("Durante eliminazione DDT"),
        QStringLiteral("DDT annullato con successo")};
    // Told before asking; the store checks again as it cancels.
    if (const auto err = DdtLinkStore::annullabile(m_num->text())) {
        PaperEditor::mostraRifiuto(this, *err, DdtLinkStore::Fatturato);
        return;
    }
    if (PaperEditor::annulla<DdtStore::Outcome>(this, testi, DdtStore::Outcome::DdtMissing,
                                                [&] { return DdtStore::cancel(m_num->text()); }))
        accept();
}

void FormRegDdt::sposta(int comando)
{
    if (m_modificato->isSet() && !salvaTestata())
        return;
    const auto posizione = PaperEditor::sposta(this, comando, m_posizione, m_totaleAnno, [&] {
        return DdtStore::ordinaliAnno(PaperSeries::annoSerie(m_numRichiamo), m_suffissoAnno);
    });
    if (!posizione)
        return;
    Carica(QString::number(*posizione) + m_suffissoAnno);
}

bool FormRegDdt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_data && realFocusOut(event)) {
        WindowBehaviour::checkDateBox(m_data);
    } else if (watched == m_dataRitiro && realFocusOut(event)) {
        if (!m_dataRitiro->text().isEmpty())
            WindowBehaviour::checkDateBox(m_dataRitiro);
    } else if (watched == m_colli && realFocusOut(event)) {
        leggiColli();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 2; ++i)
            if (watched == m_lblMezzo[i] && m_mezzo[i]->isEnabled())
                m_mezzo[i]->click();
    }
    return QDialog::eventFilter(watched, event);
}

DdtData FormRegDdt::datiDdt() const
{
    DdtData d;
    d.num = m_num->text();
    d.data = m_data->text();
    d.idCliente = m_idCli->currentText().toLongLong();
    d.causale = m_causale->currentText();
    d.mezzo = opzioneMezzo();
    d.colli = m_colli->text();
    d.dataRitiro = m_dataRitiro->text();
    d.ore = m_ore->text();
    d.minuti = m_minuti->text();
    d.note = TextColumns::storedLines(m_note->toPlainText());
    d.righe.reserve(m_righe->righe().size());
    for (const PaperRow& r : m_righe->righe())
        d.righe.append({r.descrizione, PaperRows::testoQta(r.valori.value(0))});
    return d;
}

void FormRegDdt::anteprima()
{
    PrintRequest::preview(this, DdtPaper::kTipo, datiDdt());
}

void FormRegDdt::stampaCopie()
{
    PrintRequest::printCopies(this, DdtPaper::kTipo, datiDdt());
}

void FormRegDdt::stampaPdf()
{
    PrintRequest::printPdf(this, DdtPaper::kTipo, datiDdt(), m_num->text());
}
