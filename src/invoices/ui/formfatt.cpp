#include "invoices/ui/formfatt.h"

#include "invoices/invoiceledger.h"
#include "invoices/invoicestore.h"
#include "invoices/ui/einvoicesave.h"
#include "invoices/ui/formregfatt.h"
#include "invoices/ui/invoiceregistermodel.h"
#include "invoices/ui/invoiceregisterprint.h"
#include "papers/ui/registerfilter.h"
#include "papers/ui/registerwindow.h"
#include "printing/ui/registerprint.h"
#include "shell/companystore.h"
#include "shell/dialogs.h"
#include "shell/formats.h"
#include "shell/ui/gridchoice.h"
#include "shell/ui/windowbehaviour.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kSelezionare = QStringLiteral("Selezionare prima una FATTURA");

} // namespace

FormFatt::FormFatt(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormFatt"));
    setWindowTitle(CompanyStore::windowTitle(QStringLiteral("FATTURE")));

    m_labelInt = RegisterWindow::heading(this);
    m_filtro = new RegisterFilter(this, m_labelInt, QStringLiteral("Fatture "),
                                  [] { return InvoiceStore::customersWithInvoices(); });

    m_model = new InvoiceRegisterModel(this);
    m_grid = RegisterWindow::grid(this, m_model, {400, 1000, 5600, 1400, 1200, 1040}, QStringLiteral("Fatture"));

    m_lblRec = new QLabel(this);
    m_lblRec->setObjectName(QStringLiteral("LblRec"));
    m_incassato = WindowBehaviour::amountBox(this, "TxtIncassato");
    m_incassare = WindowBehaviour::amountBox(this, "TxtIncassare");
    auto* lblIncassato = new QLabel(QStringLiteral("INCASSATO"), this);
    lblIncassato->setBuddy(m_incassato);
    WindowBehaviour::setAccessible(m_incassato, lblIncassato->text());
    auto* lblIncassare = new QLabel(QStringLiteral("DA INCASSARE"), this);
    lblIncassare->setBuddy(m_incassare);
    WindowBehaviour::setAccessible(m_incassare, lblIncassare->text());

    auto* emetti = WindowBehaviour::button(this, "BtnEmetti", QStringLiteral("&EMETTI FATTURA"));
    auto* richiama = WindowBehaviour::button(this, "BtnRichiama", QStringLiteral("&RICHIAMA FATTURA"));
    m_regPag = WindowBehaviour::button(this, "BtnRegPag", QStringLiteral("&REGISTRA PAGAMENTO"));
    m_annPag = WindowBehaviour::button(this, "BtnAnnPag", QStringLiteral("&ANNULLA PAGAMENTO"));
    auto* anno = WindowBehaviour::button(this, "BtnAnno", QStringLiteral("CAMBIA A&NNO"));
    auto* stampa = WindowBehaviour::button(this, "BtnStampa", QStringLiteral("&STAMPA"));
    auto* ant = WindowBehaviour::button(this, "BtnAnt", QString());
    ant->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    ant->setToolTip(QStringLiteral("Anteprima di Stampa"));
    WindowBehaviour::setAccessible(ant, ant->toolTip());
    auto* xml =
        WindowBehaviour::button(this, "BtnXml", QStringLiteral("&XML"), QStringLiteral("Crea fattura elettronica"));
    auto* esporta = WindowBehaviour::button(this, "BtnEsporta", QStringLiteral("&ESPORTA"),
                                            QStringLiteral("Esporta le fatture per il commercialista (CSV)"));
    auto* excel = WindowBehaviour::button(this, "BtnEsportaExcel", QStringLiteral("ESPORTA EXCE&L"),
                                          QStringLiteral("Esporta le fatture per il commercialista (Excel)"));
    auto* chiudi = WindowBehaviour::button(this, "BtnChiudi", QStringLiteral("&CHIUDI"));

    auto* sums = new QHBoxLayout;
    sums->addWidget(m_lblRec);
    sums->addStretch();
    sums->addWidget(lblIncassato);
    sums->addWidget(m_incassato);
    sums->addSpacing(16);
    sums->addWidget(lblIncassare);
    sums->addWidget(m_incassare);
    auto* actions = new QHBoxLayout;
    actions->addWidget(emetti);
    actions->addWidget(richiama);
    actions->addWidget(m_regPag);
    actions->addWidget(m_annPag);
    actions->addStretch();
    actions->addWidget(ant);
    actions->addWidget(stampa);
    actions->addWidget(xml);
    actions->addWidget(esporta);
    actions->addWidget(excel);
    actions->addWidget(chiudi);
    auto* root = new QVBoxLayout(this);
    root->addLayout(RegisterWindow::topRow(m_labelInt, m_filtro, anno));
    root->addWidget(m_grid, 1);
    root->addLayout(sums);
    root->addLayout(actions);

    connect(m_filtro, &RegisterFilter::cambiato, this, &FormFatt::caricaElenco);
    m_choice = new GridChoice(m_grid);
    connect(m_choice, &GridChoice::chosen, this, &FormFatt::seleziona);
    m_choice->doubleClickPresses(richiama);
    connect(emetti, &QPushButton::clicked, this, &FormFatt::emetti);
    connect(richiama, &QPushButton::clicked, this, &FormFatt::richiama);
    connect(xml, &QPushButton::clicked, this, [this] {
        if (m_selNum.isEmpty())
            dialogs().message(this, kSelezionare, QString(), Dialogs::Icon::Information);
        else
            EInvoiceSave::run(this, m_selNum);
    });
    connect(stampa, &QPushButton::clicked, this, [this] { stampaRegistro(false); });
    connect(ant, &QPushButton::clicked, this, [this] { stampaRegistro(true); });
    connect(esporta, &QPushButton::clicked, this,
            [this] { InvoiceRegisterPrint::esportaFatture(this, m_filtro->anno(), m_filtro->idCliente()); });
    connect(excel, &QPushButton::clicked, this,
            [this] { InvoiceRegisterPrint::esportaFatture(this, m_filtro->anno(), m_filtro->idCliente(), true); });
    connect(m_regPag, &QPushButton::clicked, this, [this] { pagamento(true); });
    connect(m_annPag, &QPushButton::clicked, this, [this] { pagamento(false); });
    connect(anno, &QPushButton::clicked, this, &FormFatt::cambiaAnno);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::close);

    WindowBehaviour::sizeAndCentre(this, 12000, 9000);
    WindowBehaviour::setBackground(this, QStringLiteral("Img/Sfondo2.jpg"));
    m_filtro->riempi();
    caricaElenco();
}

int FormFatt::anno() const
{
    return m_filtro->anno();
}

void FormFatt::caricaElenco()
{
    // Through the ledger, so that the sums leave out the VAT public bodies pay to the treasury.
    auto ledger = InvoiceLedger::soloRegistro(m_filtro->anno(), m_filtro->idCliente());
    nessunaSelezione();
    if (!ledger) {
        m_model->setRows({});
        m_lblRec->setText(QStringLiteral("0 fatture"));
        m_incassato->setText(Formats::euro(Decimal()));
        m_incassare->setText(Formats::euro(Decimal()));
        WindowBehaviour::showDbError(this, ledger.error());
        return;
    }
    InvoiceStore::Register reg = std::move(ledger.value());
    const qsizetype n = reg.rows.size();
    m_model->setRows(std::move(reg.rows));
    m_lblRec->setText(n == 1 ? QStringLiteral("1 fattura") : QStringLiteral("%1 fatture").arg(n));
    m_incassato->setText(Formats::euro(reg.incassato));
    m_incassare->setText(Formats::euro(reg.daIncassare));
}

void FormFatt::stampaRegistro(bool anteprima)
{
    QString error;
    const auto table = InvoiceRegisterPrint::fatture(anno(), m_filtro->idCliente(), error);
    if (anteprima)
        RegisterPrint::preview(this, table, error);
    else
        RegisterPrint::print(this, table, error);
}

void FormFatt::seleziona(int r)
{
    const InvoiceStore::RegisterRow* row = m_model->row(r);
    if (!row) {
        nessunaSelezione();
        return;
    }
    m_selNum = row->num;
    m_selCli = row->nome;
    m_selPagata = row->pagata ? QStringLiteral("X") : QString();
    m_regPag->setEnabled(m_selPagata.isEmpty());
    m_annPag->setEnabled(m_selPagata == QStringLiteral("X"));
}

void FormFatt::nessunaSelezione()
{
    m_selNum.clear();
    m_selCli.clear();
    m_selPagata.clear();
    // The payment buttons keep the state of the last row clicked: only a click changes them.
}

void FormFatt::cambiaAnno()
{
    if (m_filtro->cambiaAnno())
        caricaElenco();
}

void FormFatt::emetti()
{
    {
        FormRegFatt editor(this);
        if (editor.Carica(QString(), anno()))
            dialogs().exec(&editor);
    }
    m_filtro->riempi();
    caricaElenco();
}

void FormFatt::richiama()
{
    if (m_selNum.isEmpty()) {
        dialogs().message(this, kSelezionare, QString(), Dialogs::Icon::Information);
        return;
    }
    {
        FormRegFatt editor(this);
        if (editor.Carica(m_selNum, anno()))
            dialogs().exec(&editor);
    }
    m_filtro->riempi();
    caricaElenco();
}

void FormFatt::pagamento(bool registra)
{
    if (m_selNum.isEmpty()) {
        dialogs().message(this, kSelezionare, QString(), Dialogs::Icon::Information);
        return;
    }
    const QString title =
        registra ? QStringLiteral("CONFERMA PAGAMENTO") : QStringLiteral("CONFERMA ANNULLAMENTO PAGAMENTO");
    if (dialogs().message(this, QStringLiteral("Fattura N° ") + m_selNum + QStringLiteral(" -  ") + m_selCli, title,
                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    const auto outcome = InvoiceStore::setPaid(m_selNum, registra);
    caricaElenco();
    // A failure is never followed by the success message.
    if (!outcome) {
        WindowBehaviour::showDbError(this, outcome.error());
        return;
    }
    if (outcome.value() != InvoiceStore::Outcome::Done) {
        dialogs().message(this, QStringLiteral("Errore"), QString(), Dialogs::Icon::None);
        return;
    }
    dialogs().message(this,
                      registra ? QStringLiteral("REGISTRAZIONE PAGAMENTO effettuata con successo")
                               : QStringLiteral("PAGAMENTO Annullato con successo"),
                      QString(), Dialogs::Icon::Information);
}
