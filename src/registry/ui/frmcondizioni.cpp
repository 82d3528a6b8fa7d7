#include "registry/ui/frmcondizioni.h"

#include "registry/paymentterms.h"
#include "registry/paymenttermstore.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/closeguard.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Giorni = 0, FineMese = 1, Quota = 2 };

const QString kImpossibile = QStringLiteral("Impossibile procedere");

QLabel* etichetta(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    WindowBehaviour::setAccessible(buddy, text);
    return l;
}

} // namespace

FrmCondizioni::FrmCondizioni(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmCondizioni"));
    setWindowTitle(QStringLiteral("Condizioni di pagamento"));
    m_modificato = new ModifiedFlag(this);
    new CloseGuard(this, [this] { return m_modificato->isSet(); });

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListCondizioni"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumWidth(WindowBehaviour::twipsToPixels(3600, this));
    m_choice = new GridChoice(m_list);

    m_descrizione = new QLineEdit(this);
    m_descrizione->setObjectName(QStringLiteral("TxtDescrizione"));
    m_descrizione->setMaxLength(60);
    m_modalita = new QComboBox(this);
    m_modalita->setObjectName(QStringLiteral("ComboModalita"));
    for (const QString& codice : PaymentTerms::modalita())
        m_modalita->addItem(codice + QStringLiteral(" - ") + PaymentTerms::nomeModalita(codice), codice);

    m_rate = new QTableWidget(0, 3, this);
    m_rate->setObjectName(QStringLiteral("GridRate"));
    m_rate->setHorizontalHeaderLabels(
        {QStringLiteral("Giorni"), QStringLiteral("Fine mese"), QStringLiteral("Quota %")});
    m_rate->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_rate->horizontalHeader()->setStretchLastSection(true);
    m_rate->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rate->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click is the grid choice's; typing or F2 edits the cell.
    m_rate->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_rateChoice = new GridChoice(m_rate);
    m_quote = new QLabel(this);
    m_quote->setObjectName(QStringLiteral("LblQuote"));

    auto* aggiungi = WindowBehaviour::button(this, "BtnAggiungiRata", QStringLiteral("&Aggiungi rata"));
    auto* togli = WindowBehaviour::button(this, "BtnEliminaRata", QStringLiteral("&Togli rata"));
    auto* btnNuova = WindowBehaviour::button(this, "BtnNuova", QStringLiteral("&NUOVA"));
    auto* salva = WindowBehaviour::button(this, "BtnSalva", QStringLiteral("&SALVA"));
    m_elimina = WindowBehaviour::button(this, "BtnElimina", QStringLiteral("&ELIMINA"));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));

    auto* form = new QGridLayout;
    form->addWidget(etichetta(this, QStringLiteral("&Descrizione"), m_descrizione), 0, 0);
    form->addWidget(m_descrizione, 0, 1);
    form->addWidget(etichetta(this, QStringLiteral("&Modalità"), m_modalita), 1, 0);
    form->addWidget(m_modalita, 1, 1);
    form->addWidget(etichetta(this, QStringLiteral("&Rate"), m_rate), 2, 0, Qt::AlignTop);
    form->addWidget(m_rate, 2, 1);
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(aggiungi);
    rowButtons->addWidget(togli);
    rowButtons->addStretch();
    rowButtons->addWidget(m_quote);
    form->addLayout(rowButtons, 3, 1);
    form->setRowStretch(2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(etichetta(this, QStringLiteral("&Condizioni"), m_list));
    left->addWidget(m_list, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addSpacing(12);
    body->addLayout(form, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNuova);
    buttons->addWidget(m_elimina);
    buttons->addStretch();
    buttons->addWidget(salva);
    buttons->addWidget(chiudi);
    auto* root = new QVBoxLayout(this);
    root->addLayout(body, 1);
    root->addLayout(buttons);

    QWidget* order[] = {m_list, m_descrizione, m_modalita, m_rate, aggiungi, togli, btnNuova, m_elimina, salva, chiudi};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    m_modificato->watch(m_descrizione);
    m_modificato->watch(m_modalita);
    connect(m_rate, &QTableWidget::itemChanged, this, [this] {
        m_modificato->set();
        aggiornaQuote();
    });
    connect(m_choice, &GridChoice::chosen, this, &FrmCondizioni::scelta);
    connect(aggiungi, &QPushButton::clicked, this, &FrmCondizioni::aggiungiRata);
    connect(togli, &QPushButton::clicked, this, &FrmCondizioni::eliminaRata);
    connect(btnNuova, &QPushButton::clicked, this, &FrmCondizioni::nuova);
    connect(salva, &QPushButton::clicked, this, &FrmCondizioni::salva);
    connect(m_elimina, &QPushButton::clicked, this, &FrmCondizioni::elimina);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);
    m_campi = {m_descrizione, m_modalita, m_rate, aggiungi, togli, salva};

    WindowBehaviour::sizeAndCentre(this, 10200, 5600);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo3.jpg"));
    riempi();
    vuota();
}

bool FrmCondizioni::riempi()
{
    const auto terms = PaymentTermStore::all();
    if (!terms) {
        WindowBehaviour::showDbError(this, terms.error());
        return false;
    }
    m_terms = terms.value();
    const QSignalBlocker block(m_list);
    m_list->clear();
    int shown = -1;
    for (const PaymentTerm& t : std::as_const(m_terms)) {
        if (t.id == m_id)
            shown = m_list->count();
        m_list->addItem(t.descrizione);
    }
    if (shown >= 0)
        m_choice->keep(shown);
    else
        m_choice->clear();
    return true;
}

void FrmCondizioni::scelta(int row)
{
    if (row < 0 || row >= m_terms.size() || m_terms.at(row).id == m_id)
        return;
    if (!abbandonaModifiche()) {
        // The list goes back to the term still being edited.
        for (int i = 0; i < m_terms.size(); ++i)
            if (m_terms.at(i).id == m_id)
                return m_choice->keep(i);
        return m_choice->clear();
    }
    mostra(m_terms.at(row));
}

void FrmCondizioni::vuota()
{
    mostra({});
    for (QWidget* w : std::as_const(m_campi))
        w->setEnabled(false);
    m_quote->clear();
}

void FrmCondizioni::mostra(const PaymentTerm& term)
{
    for (QWidget* w : std::as_const(m_campi))
        w->setEnabled(true);
    m_id = term.id;
    m_descrizione->setText(term.descrizione);
    m_modalita->setCurrentIndex(std::max(0, m_modalita->findData(term.modalita)));
    {
        const QSignalBlocker block(m_rate);
        m_rate->setRowCount(0);
        for (const TermInstalment& r : term.rate)
            aggiungiRiga(r);
    }
    m_rateChoice->clear();
    m_elimina->setEnabled(m_id != 0);
    aggiornaQuote();
    m_modificato->clear();
}

void FrmCondizioni::aggiungiRiga(const TermInstalment& rata)
{
    const int row = m_rate->rowCount();
    m_rate->insertRow(row);
    // Whole days: the grid edits them with a number box.
    auto* giorni = new QTableWidgetItem;
    giorni->setData(Qt::EditRole, rata.giorni);
    auto* fineMese = new QTableWidgetItem;
    fineMese->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    fineMese->setCheckState(rata.fineMese ? Qt::Checked : Qt::Unchecked);
    fineMese->setData(Qt::AccessibleTextRole, QStringLiteral("Fine mese"));
    m_rate->setItem(row, Giorni, giorni);
    m_rate->setItem(row, FineMese, fineMese);
    m_rate->setItem(row, Quota, new QTableWidgetItem(Formats::plain(rata.quota)));
}

void FrmCondizioni::nuova()
{
    if (!abbandonaModifiche())
        return;
    PaymentTerm term;
    term.modalita = PaymentTerms::modalita().value(0);
    term.rate = {TermInstalment{0, false, Decimal(100)}};
    mostra(term);
    m_choice->clear();
    m_descrizione->setFocus();
}

void FrmCondizioni::aggiungiRata()
{
    // The new instalment comes 30 days after the last and takes what the others leave.
    TermInstalment rata;
    Decimal resto(100);
    for (int row = 0; row < m_rate->rowCount(); ++row) {
        rata.giorni = m_rate->item(row, Giorni)->data(Qt::EditRole).toInt() + 30;
        rata.fineMese = m_rate->item(row, FineMese)->checkState() == Qt::Checked;
        resto = resto - Formats::parseNumber(m_rate->item(row, Quota)->text()).value_or(Decimal());
    }
    rata.quota = resto.isNegative() ? Decimal() : resto;
    {
        const QSignalBlocker block(m_rate);
        aggiungiRiga(rata);
    }
    m_modificato->set();
    aggiornaQuote();
    m_rateChoice->keep(m_rate->rowCount() - 1, Quota);
}

void FrmCondizioni::eliminaRata()
{
    const int row = m_rateChoice->row();
    if (row < 0) {
        dialogs().message(this, QStringLiteral("Selezionare una RATA"), QString(), Dialogs::Icon::Exclamation);
        return;
    }
    m_rate->removeRow(row);
    m_rateChoice->clear();
    m_modificato->set();
    aggiornaQuote();
}

void FrmCondizioni::aggiornaQuote()
{
    Decimal somma;
    bool leggibili = true;
    for (int row = 0; row < m_rate->rowCount(); ++row) {
        const QTableWidgetItem* quota = m_rate->item(row, Quota);
        const auto q = quota ? Formats::parseNumber(quota->text()) : std::nullopt;
        leggibili = leggibili && q.has_value();
        somma = somma + q.value_or(Decimal());
    }
    m_quote->setText(leggibili ? QStringLiteral("Totale quote: %1 %").arg(Formats::plain(somma))
                               : QStringLiteral("Totale quote: -"));
}

bool FrmCondizioni::abbandonaModifiche()
{
    return !m_modificato->isSet() ||
           dialogs().message(this, QStringLiteral("Le modifiche alla condizione andranno perse. Proseguire ?"),
                             QStringLiteral("ATTENZIONE"), Dialogs::Icon::Question,
                             Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
}

std::optional<PaymentTerm> FrmCondizioni::letta()
{
    PaymentTerm term;
    term.id = m_id;
    term.descrizione = m_descrizione->text().trimmed();
    term.modalita = m_modalita->currentData().toString();
    for (int row = 0; row < m_rate->rowCount(); ++row) {
        TermInstalment rata;
        rata.giorni = m_rate->item(row, Giorni)->data(Qt::EditRole).toInt();
        rata.fineMese = m_rate->item(row, FineMese)->checkState() == Qt::Checked;
        const auto quota = Formats::parseNumber(m_rate->item(row, Quota)->text());
        if (!quota || quota->isOverflow()) {
            dialogs().message(this, QStringLiteral("Quota non valida alla rata %1").arg(row + 1), kImpossibile,
                              Dialogs::Icon::Exclamation);
            m_rate->setCurrentCell(row, Quota);
            m_rate->setFocus();
            return std::nullopt;
        }
        rata.quota = *quota;
        term.rate.append(rata);
    }
    return term;
}

void FrmCondizioni::salva()
{
    const auto term = letta();
    if (!term)
        return;
    QString errore = PaymentTerms::errore(*term);
    for (const PaymentTerm& other : std::as_const(m_terms))
        if (errore.isEmpty() && other.id != term->id &&
            other.descrizione.compare(term->descrizione, Qt::CaseInsensitive) == 0)
            errore = QStringLiteral("Condizione '%1' già esistente").arg(other.descrizione);
    if (!errore.isEmpty()) {
        dialogs().message(this, errore, kImpossibile, Dialogs::Icon::Exclamation);
        return;
    }
    const auto saved = PaymentTermStore::save(*term);
    if (!saved) {
        // Refused here too when another seat deleted the term meanwhile.
        if (saved.error().number == PaymentTermStore::Rifiutata)
            dialogs().message(this, saved.error().text, kImpossibile, Dialogs::Icon::Exclamation);
        else
            WindowBehaviour::showDbError(this, saved.error());
        return;
    }
    m_id = saved.value();
    m_modificato->clear();
    m_elimina->setEnabled(true);
    riempi();
    dialogs().message(this, QStringLiteral("Condizione di pagamento salvata con successo"), QString(),
                      Dialogs::Icon::Information);
}

void FrmCondizioni::elimina()
{
    if (m_id == 0)
        return;
    const QString nome = m_descrizione->text().trimmed();
    if (dialogs().message(this, QStringLiteral("Condizione '%1' ?").arg(nome), QStringLiteral("CONFERMI ELIMINAZIONE"),
                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    if (const DbStatus err = PaymentTermStore::remove(m_id)) {
        // The store says which customers or invoices still name it.
        if (err->number == PaymentTermStore::InUso)
            dialogs().message(this, err->text, QStringLiteral("Impossibile eliminare la condizione"),
                              Dialogs::Icon::Exclamation);
        else
            WindowBehaviour::showDbError(this, *err);
        return;
    }
    m_modificato->clear();
    m_id = 0;
    m_choice->clear();
    riempi();
    vuota();
}
