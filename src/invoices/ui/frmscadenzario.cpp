#include "invoices/ui/frmscadenzario.h"

#include "invoices/invoicestore.h"
#include "invoices/ribapresentation.h"
#include "invoices/ui/frmpresentazioni.h"
#include "invoices/ui/scadenzariomodel.h"
#include "invoices/ui/scadenzarioprint.h"
#include "papers/ui/papereditor.h"
#include "papers/ui/registerwindow.h"
#include "printing/ui/printrequest.h"
#include "registry/paymentterms.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kTitoloRiba = QStringLiteral("PRESENTAZIONE RI.BA.");
enum Stampa { Anteprima, Copie, Pdf };

QString testoData(const QDate& d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

// A sum shown as a label after its caption; screen readers read it as it shows.
QLabel* somma(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("€ 000.000.000,00")));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

FrmScadenzario::FrmScadenzario(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmScadenzario"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("SCADENZARIO")));

    auto* heading = RegisterWindow::heading(this);
    heading->setText(QStringLiteral("Scadenzario"));

    // This month, with everything overdue before it.
    const QDate oggi = QDate::currentDate();
    m_da = PaperEditor::dateBox(this, "TxtDa");
    m_a = PaperEditor::dateBox(this, "TxtA");
    m_da->setText(testoData(QDate(oggi.year(), oggi.month(), 1)));
    m_a->setText(testoData(QDate(oggi.year(), oggi.month(), oggi.daysInMonth())));
    m_scadute = new QCheckBox(QStringLiteral("con le scadute &non pagate"), this);
    m_scadute->setObjectName(QStringLiteral("ChkScadute"));
    m_scadute->setChecked(true);
    WindowBehaviour::setAccessible(m_scadute, m_scadute->text());
    m_cliente = new QComboBox(this);
    m_cliente->setObjectName(QStringLiteral("ComboCli"));
    m_cliente->setMinimumContentsLength(24);
    m_modalita = new QComboBox(this);
    m_modalita->setObjectName(QStringLiteral("ComboModalita"));
    auto* mostraBtn = WindowBehaviour::button(this, QStringLiteral("BtnMostra"), QStringLiteral("&VISUALIZZA"),
                                              QStringLiteral("Elenca le rate con questi filtri"));

    m_model = new ScadenzarioModel(this);
    m_grid = RegisterWindow::grid(this, m_model, {0, 1150, 1100, 3800, 1800, 1300, 1600, 800},
                                  QStringLiteral("Rate in scadenza"));
    m_grid->setObjectName(QStringLiteral("GridScadenze"));
    m_grid->hideColumn(ScadenzarioModel::Selettore);
    // Several instalments are paid at once; a row is chosen by the user only, never by the focus.
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    new GridChoice(m_grid);

    m_rec = new QLabel(this);
    m_rec->setObjectName(QStringLiteral("LblRec"));
    m_totale = somma(this, "LblTotale");
    m_pagato = somma(this, "LblPagato");
    m_daPagare = somma(this, "LblDaPagare");

    auto* regPag = WindowBehaviour::button(this, QStringLiteral("BtnRegPag"), QStringLiteral("&REGISTRA PAGAMENTO"),
                                           QStringLiteral("Registra il pagamento delle rate scelte"));
    auto* annPag = WindowBehaviour::button(this, QStringLiteral("BtnAnnPag"), QStringLiteral("ANNULLA PA&GAMENTO"),
                                           QStringLiteral("Annulla il pagamento delle rate scelte"));
    auto* riba = WindowBehaviour::button(this, QStringLiteral("BtnRiba"), QStringLiteral("&PRESENTAZIONE RI.BA."),
                                         QStringLiteral("Scrive il file delle Ri.Ba. del periodo per la banca"));
    auto* annRiba =
        WindowBehaviour::button(this, QStringLiteral("BtnAnnRiba"), QStringLiteral("ANNULLA PRESEN&TAZIONE"),
                                QStringLiteral("Annulla una presentazione Ri.Ba.: le sue rate tornano da presentare"));
    auto* ant =
        WindowBehaviour::button(this, QStringLiteral("BtnAnt"), QString(), QStringLiteral("Anteprima di Stampa"));
    ant->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    auto* stampaBtn = WindowBehaviour::button(this, QStringLiteral("BtnStampa"), QStringLiteral("&STAMPA"));
    auto* pdf = WindowBehaviour::button(this, QStringLiteral("BtnPdf"), QStringLiteral("PD&F"),
                                        QStringLiteral("Stampa lo scadenzario in PDF"));
    auto* esporta = WindowBehaviour::button(this, QStringLiteral("BtnEsporta"), QStringLiteral("&ESPORTA"),
                                            QStringLiteral("Esporta le rate elencate (CSV)"));
    auto* chiudi = WindowBehaviour::button(this, QStringLiteral("BtnChiudi"), QStringLiteral("&CHIUDI"));

    // Layout.
    auto* filters = new QHBoxLayout;
    filters->addWidget(PaperEditor::labelFor(this, QStringLiteral("&Dal"), m_da));
    filters->addWidget(m_da);
    filters->addWidget(PaperEditor::labelFor(this, QStringLiteral("&Al"), m_a));
    filters->addWidget(m_a);
    filters->addWidget(m_scadute);
    filters->addSpacing(12);
    filters->addWidget(PaperEditor::labelFor(this, QStringLiteral("C&liente"), m_cliente));
    filters->addWidget(m_cliente, 1);
    filters->addWidget(PaperEditor::labelFor(this, QStringLiteral("&Modalità"), m_modalita));
    filters->addWidget(m_modalita);
    filters->addWidget(mostraBtn);
    auto* sums = new QHBoxLayout;
    sums->addWidget(m_rec);
    sums->addStretch();
    const std::pair<QString, QLabel*> sumRows[] = {{QStringLiteral("TOTALE"), m_totale},
                                                   {QStringLiteral("PAGATO"), m_pagato},
                                                   {QStringLiteral("DA PAGARE"), m_daPagare}};
    for (const auto& [caption, value] : sumRows) {
        sums->addSpacing(12);
        sums->addWidget(new QLabel(caption, this));
        sums->addWidget(value);
    }
    auto* actions = new QHBoxLayout;
    for (QPushButton* b : {regPag, annPag, riba, annRiba})
        actions->addWidget(b);
    actions->addStretch();
    for (QPushButton* b : {ant, stampaBtn, pdf, esporta, chiudi})
        actions->addWidget(b);
    auto* root = new QVBoxLayout(this);
    root->addWidget(heading);
    root->addLayout(filters);
    root->addWidget(m_grid, 1);
    root->addLayout(sums);
    root->addLayout(actions);

    // Events: every filter change lists again.
    connect(mostraBtn, &QPushButton::clicked, this, &FrmScadenzario::carica);
    for (QLineEdit* box : {m_da, m_a})
        connect(box, &QLineEdit::editingFinished, this, [this, box] {
            if (box->isModified() && Formats::parseDate(box->text())) {
                box->setModified(false);
                carica();
            }
        });
    connect(m_scadute, &QCheckBox::toggled, this, &FrmScadenzario::carica);
    connect(m_cliente, &QComboBox::activated, this, &FrmScadenzario::carica);
    connect(m_modalita, &QComboBox::activated, this, &FrmScadenzario::carica);
    connect(regPag, &QPushButton::clicked, this, [this] { pagamento(true); });
    connect(annPag, &QPushButton::clicked, this, [this] { pagamento(false); });
    connect(riba, &QPushButton::clicked, this, &FrmScadenzario::presentaRiba);
    connect(annRiba, &QPushButton::clicked, this, &FrmScadenzario::annullaPresentazione);
    connect(ant, &QPushButton::clicked, this, [this] { stampa(Anteprima); });
    connect(stampaBtn, &QPushButton::clicked, this, [this] { stampa(Copie); });
    connect(pdf, &QPushButton::clicked, this, [this] { stampa(Pdf); });
    connect(esporta, &QPushButton::clicked, this,
            [this] { ScadenzarioPrint::esporta(this, m_lista, QDate::currentDate()); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    WindowBehaviour::sizeAndCentre(this, 15000, 9000);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo2.jpg"));
    riempiFiltri();
    carica();
}

void FrmScadenzario::riempiFiltri()
{
    m_cliente->clear();
    m_cliente->addItem(QStringLiteral("Tutti"), qint64(0));
    const auto clienti = InvoiceStore::customersWithInvoices();
    if (!clienti)
        WindowBehaviour::showDbError(this, clienti.error());
    else
        for (const CustomerEntry& c : clienti.value())
            m_cliente->addItem(c.nome, c.id);
    m_modalita->clear();
    m_modalita->addItem(QStringLiteral("Tutte"), QString());
    for (const QString& codice : PaymentTerms::modalita())
        m_modalita->addItem(PaymentTerms::nomeModalita(codice), codice);
}

std::optional<DueDateStore::Filtro> FrmScadenzario::filtro()
{
    const auto da = PaperEditor::dataValida(this, m_da);
    const auto a = da ? PaperEditor::dataValida(this, m_a) : std::nullopt;
    if (!da || !a)
        return std::nullopt;
    if (*a < *da) {
        dialogs().message(this, QStringLiteral("La data finale viene prima di quella iniziale"),
                          QStringLiteral("Periodo non valido"), Dialogs::Icon::Critical);
        m_a->setFocus();
        return std::nullopt;
    }
    m_da->setText(testoData(*da));
    m_a->setText(testoData(*a));
    DueDateStore::Filtro f;
    f.da = *da;
    f.a = *a;
    f.scadute = m_scadute->isChecked();
    f.idAna = m_cliente->currentData().toLongLong();
    f.modalita = m_modalita->currentData().toString();
    return f;
}

bool FrmScadenzario::carica()
{
    const auto f = filtro();
    if (!f)
        return false;
    auto lista = DueDateList::carica(*f);
    if (!lista) {
        m_lista = DueDateList{};
        m_lista.filtro = *f;
        WindowBehaviour::showDbError(this, lista.error());
    } else {
        m_lista = std::move(lista.value());
    }
    m_model->setOggi(QDate::currentDate());
    m_model->setRows(m_lista.rate);
    mostraSomme();
    return lista.ok();
}

void FrmScadenzario::mostraSomme()
{
    const qsizetype n = m_lista.rate.size();
    m_rec->setText(n == 1 ? QStringLiteral("1 rata") : QStringLiteral("%1 rate").arg(n));
    m_totale->setText(Formats::euro(m_lista.totale));
    m_pagato->setText(Formats::euro(m_lista.pagato));
    m_daPagare->setText(Formats::euro(m_lista.daPagare));
}

QList<const DueDate*> FrmScadenzario::scelte() const
{
    QList<int> righe;
    for (const QModelIndex& i : m_grid->selectionModel()->selectedRows())
        righe << i.row();
    std::sort(righe.begin(), righe.end());
    QList<const DueDate*> out;
    for (int r : righe)
        if (const DueDate* d = m_model->row(r))
            out << d;
    return out;
}

QString FrmScadenzario::clienteScelto() const
{
    return m_cliente->currentIndex() > 0 ? m_cliente->currentText() : QString();
}

QString FrmScadenzario::modalitaScelta() const
{
    return m_modalita->currentIndex() > 0 ? m_modalita->currentText() : QString();
}

void FrmScadenzario::pagamento(bool registra)
{
    const QList<const DueDate*> scelte = this->scelte();
    if (scelte.isEmpty()) {
        dialogs().message(this, QStringLiteral("Selezionare prima una o più RATE"), QString(),
                          Dialogs::Icon::Information);
        return;
    }
    // Those already in the state asked are left as they are.
    QList<DueDateStore::Key> keys;
    Decimal totale;
    for (const DueDate* d : scelte)
        if (d->pagata != registra) {
            keys << DueDateStore::Key{d->num, d->rata};
            totale += d->importo;
        }
    if (keys.isEmpty()) {
        dialogs().message(this,
                          registra ? QStringLiteral("Le rate scelte sono già pagate")
                                   : QStringLiteral("Le rate scelte non sono pagate"),
                          QString(), Dialogs::Icon::Information);
        return;
    }
    const QString quante = keys.size() == 1 ? QStringLiteral("1 rata") : QStringLiteral("%1 rate").arg(keys.size());
    QDate giorno;
    if (registra) {
        const auto typed =
            dialogs().input(this, QStringLiteral("Data del pagamento di %1 per %2:").arg(quante, Formats::euro(totale)),
                            QStringLiteral("REGISTRA PAGAMENTO"), testoData(QDate::currentDate()));
        if (!typed)
            return;
        const auto d = Formats::parseDate(*typed);
        if (!d) {
            dialogs().message(this, QStringLiteral("Data non valida"), QString(), Dialogs::Icon::Critical);
            return;
        }
        giorno = *d;
    } else if (dialogs().message(
                   this, QStringLiteral("Annullare il pagamento di %1 per %2 ?").arg(quante, Formats::euro(totale)),
                   QStringLiteral("CONFERMA ANNULLAMENTO PAGAMENTO"), Dialogs::Icon::Question,
                   Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes) {
        return;
    }
    const DbStatus err = DueDateStore::paga(keys, registra, giorno);
    carica();
    if (err) {
        WindowBehaviour::showDbError(this, *err);
        return;
    }
    dialogs().message(this,
                      registra ? QStringLiteral("REGISTRAZIONE PAGAMENTO effettuata con successo")
                               : QStringLiteral("PAGAMENTO Annullato con successo"),
                      QString(), Dialogs::Icon::Information);
}

void FrmScadenzario::presentaRiba()
{
    const auto f = filtro();
    if (!f)
        return;
    const auto distinta = RibaPresentation::prepara(f->da, f->a);
    if (!distinta) {
        dialogs().message(this, distinta.error().text, kTitoloRiba, Dialogs::Icon::Critical);
        return;
    }
    const QString periodo = QStringLiteral("dal %1 al %2").arg(testoData(f->da), testoData(f->a));
    if (distinta->rate.isEmpty()) {
        dialogs().message(this, QStringLiteral("Nessuna Ri.Ba. da presentare %1").arg(periodo), kTitoloRiba,
                          Dialogs::Icon::Information);
        return;
    }
    if (dialogs().message(this,
                          QStringLiteral("Presentare alla banca %1 in scadenza %2 ?")
                              .arg(RibaPresentation::riepilogo(distinta.value()), periodo),
                          kTitoloRiba, Dialogs::Icon::Question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    const QDateTime adesso = QDateTime::currentDateTime();
    const QString path = dialogs().saveFileName(this, QStringLiteral("Presentazione Ri.Ba."),
                                                QDir(app().workDir).filePath(RibaPresentation::nomeFile(adesso.date())),
                                                QStringLiteral("File Ri.Ba. CBI (*.txt *.cbi);;Tutti i file (*)"));
    if (path.isEmpty())
        return;
    const auto id = RibaPresentation::presenta(distinta.value(), path, adesso);
    carica();
    if (!id) {
        dialogs().message(this, id.error().text, kTitoloRiba, Dialogs::Icon::Critical);
        return;
    }
    dialogs().message(this,
                      QStringLiteral("Presentazione n. %1: %2 scritte in \"%3\".")
                          .arg(id.value())
                          .arg(RibaPresentation::riepilogo(distinta.value()), QDir::toNativeSeparators(path)),
                      kTitoloRiba, Dialogs::Icon::Information);
}

void FrmScadenzario::annullaPresentazione()
{
    const auto presentazioni = DueDateStore::presentazioni();
    if (!presentazioni) {
        WindowBehaviour::showDbError(this, presentazioni.error());
        return;
    }
    if (presentazioni->isEmpty()) {
        dialogs().message(this, QStringLiteral("Nessuna presentazione Ri.Ba. da annullare"), QString(),
                          Dialogs::Icon::Information);
        return;
    }
    DueDateStore::Presentazione scelta;
    {
        FrmPresentazioni choice(this, presentazioni.value());
        if (dialogs().exec(&choice) != QDialog::Accepted || !choice.scelta())
            return;
        scelta = *choice.scelta();
    }
    if (dialogs().message(this,
                          QStringLiteral("Annullare la presentazione %1 ?\nLe sue rate torneranno da presentare; "
                                         "il file già consegnato alla banca resta com'è.")
                              .arg(FrmPresentazioni::descrizione(scelta)),
                          QStringLiteral("ANNULLA PRESENTAZIONE"), Dialogs::Icon::Question,
                          Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    const DbStatus err = DueDateStore::annullaPresentazione(scelta.id);
    carica();
    if (err) {
        WindowBehaviour::showDbError(this, *err);
        return;
    }
    dialogs().message(this, QStringLiteral("Presentazione n. %1 annullata").arg(scelta.id), QString(),
                      Dialogs::Icon::Information);
}

void FrmScadenzario::stampa(int come)
{
    const RegisterTable t = ScadenzarioPrint::tabella(m_lista, QDate::currentDate(), clienteScelto(), modalitaScelta());
    if (come == Anteprima)
        PrintRequest::preview(this, DueDateList::kTipo, t);
    else if (come == Copie)
        PrintRequest::printCopies(this, DueDateList::kTipo, t);
    else
        PrintRequest::printPdf(this, DueDateList::kTipo, t, t.nome);
}
