#include "../ribatest.h"
#include "invoices/ui/frmscadenzario.h"
#include "invoices/ui/scadenzariomodel.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>

namespace {

using namespace RibaData;
using Answer = Dialogs::Answer;

const QDate kOggi = QDate::currentDate();
const QDate kPrimo(kOggi.year(), kOggi.month(), 1);
const QDate kUltimo(kOggi.year(), kOggi.month(), kOggi.daysInMonth());

QString lunga(const QDate& d)
{
    return d.toString(u"dd/MM/yyyy"_s);
}

// Each invoice is due on its own day. 1/AA Bianchi by Ri.Ba. last month (overdue); 2/AA Verdi in
// cash last month, paid; 3/AA Verdi by Ri.Ba. and 4/AA Bianchi in cash on the month's last day;
// 5/AA Neri, without a bank, by Ri.Ba. next month.
struct FrmScadenzarioTest : OneWindowTest<FrmScadenzario> {
    QString n[6];
    qint64 bianchi = 0;

    FrmScadenzarioTest()
    {
        azienda();
        const qint64 riba = aVista(u"MP12"_s), contanti = aVista(u"MP01"_s);
        bianchi = cliente(u"BIANCHI"_s, u"05034"_s, u"11101"_s);
        const qint64 verdi = cliente(u"VERDI"_s, u"08304"_s, u"01802"_s), neri = cliente(u"NERI"_s);
        const std::tuple<qint64, QDate, qint64> fatture[] = {{bianchi, kPrimo.addMonths(-1), riba},
                                                             {verdi, kPrimo.addMonths(-1).addDays(1), contanti},
                                                             {verdi, kUltimo, riba},
                                                             {bianchi, kUltimo, contanti},
                                                             {neri, kUltimo.addDays(1), riba}};
        for (int i = 1; const auto& [id, data, termine] : fatture) {
            n[i] = QString::number(i) + InvoiceRules::suffisso(data.year());
            fattura(n[i++], id, data, termine);
        }
        EXPECT_FALSE(DueDateStore::pagaFattura(n[2], true, kPrimo.addMonths(-1).addDays(3)));
        frm = std::make_unique<FrmScadenzario>();
    }

    QTableView* grid() { return get<QTableView>("GridScadenze"); }
    // The list and its sums as shown.
    QString shown()
    {
        QStringList sums;
        for (const char* label : {"LblTotale", "LblPagato", "LblDaPagare"})
            sums << get<QLabel>(label)->text();
        return gridText(grid()->model()) + u'\n' + get<QLabel>("LblRec")->text() + u'\n' + sums.join(u" / "_s);
    }
    QString riga(int i, const QDate& data, const QString& cliente, const QString& modalita, const QString& stato)
    {
        return u"%1|%2 (1)|%3|%4|158,60|%5|"_s.arg(Formats::shortDate(data), n[i], cliente, modalita, stato);
    }
    void periodo(const QDate& da, const QDate& a)
    {
        get<QLineEdit>("TxtDa")->setText(lunga(da));
        get<QLineEdit>("TxtA")->setText(lunga(a));
        click("BtnMostra");
    }
    void scegli(std::initializer_list<int> rows)
    {
        grid()->clearSelection();
        for (int r : rows)
            QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ControlModifier, Gesture::cell(grid(), r));
    }
};

} // namespace

TEST_F(FrmScadenzarioTest, ThisMonthWithTheOverdueFilteredAndSummed)
{
    EXPECT_EQ(get<QLineEdit>("TxtDa")->text() + u' ' + get<QLineEdit>("TxtA")->text() +
                  (get<QCheckBox>("ChkScadute")->isChecked() ? u" +"_s : u" -"_s),
              lunga(kPrimo) + u' ' + lunga(kUltimo) + u" +"_s);
    const QString overdue = riga(1, kPrimo.addMonths(-1), u"BIANCHI"_s, u"Ri.Ba."_s, u"SCADUTA"_s);
    const QString verdi = riga(3, kUltimo, u"VERDI"_s, u"Ri.Ba."_s, QString());
    const QString bianchiCash = riga(4, kUltimo, u"BIANCHI"_s, u"Contanti"_s, QString());
    EXPECT_EQ(shown(),
              QStringList({overdue, verdi, bianchiCash, u"3 rate"_s, u"€ 475,80 / € 0,00 / € 475,80"_s}).join(u'\n'));
    // Exported as shown.
    dlg.chooseFile(dir.path(u"scadenze.csv"_s));
    click("BtnEsporta");
    const QStringList csv = QString::fromUtf8(dir.read(u"scadenze.csv"_s).mid(3)).split(u"\r\n"_s);
    EXPECT_EQ(csv.size(), 5); // header, three rows, the end
    EXPECT_EQ(csv[1], u"%1;%2;%1;1;%3;BIANCHI;Ri.Ba.;158,60;No;;;Sì"_s.arg(lunga(kPrimo.addMonths(-1)), n[1],
                                                                           Formats::code(bianchi, 4)));
    // The overdue instalment is marked on screen and to screen readers.
    const QModelIndex due = grid()->model()->index(0, ScadenzarioModel::Scadenza);
    EXPECT_EQ(due.data(Qt::AccessibleTextRole).toString(), Formats::shortDate(kPrimo.addMonths(-1)) + u", scaduta"_s);
    EXPECT_TRUE(due.data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(grid()->model()->index(1, ScadenzarioModel::Scadenza).data(Qt::ForegroundRole).isValid());

    // Filters: "what is shown -> rows".
    auto* cli = get<QComboBox>("ComboCli");
    cli->setCurrentIndex(3);
    emit cli->activated(3);
    EXPECT_EQ(gridText(cli->model(), 0), u"Tutti\nBIANCHI\nNERI\nVERDI"_s);
    EXPECT_EQ(shown(), QStringList({verdi, u"1 rata"_s, u"€ 158,60 / € 0,00 / € 158,60"_s}).join(u'\n'));
    cli->setCurrentIndex(0);
    emit cli->activated(0);
    get<QCheckBox>("ChkScadute")->setChecked(false);
    EXPECT_EQ(gridText(grid()->model()), QStringList({verdi, bianchiCash}).join(u'\n'));
    // A period ending before it starts is refused and the list stays.
    get<QLineEdit>("TxtA")->setText(lunga(kPrimo.addMonths(-2)));
    click("BtnMostra");
    EXPECT_EQ(dlg.lastText(), u"La data finale viene prima di quella iniziale"_s);
    EXPECT_EQ(grid()->model()->rowCount(), 2);
}

TEST_F(FrmScadenzarioTest, PaysAndUnpaysThenPresentsTheRibaOrRefusesWritingNothing)
{
    click("BtnRegPag");
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima una o più RATE"_s);
    // The overdue one and Verdi's: paid on the day typed; the invoices follow. Paid, the overdue one
    // leaves the list, which keeps only this month's.
    scegli({0, 1});
    const QDate giorno = kOggi.addDays(-1);
    dlg.type(lunga(giorno));
    click("BtnRegPag");
    EXPECT_EQ(dlg.prompts.last(), u"Data del pagamento di 2 rate per € 317,20:"_s);
    EXPECT_EQ(dlg.lastText(), u"REGISTRAZIONE PAGAMENTO effettuata con successo"_s);
    EXPECT_EQ(shown(),
              QStringList({riga(3, kUltimo, u"VERDI"_s, u"Ri.Ba."_s, u"Pagata "_s + Formats::shortDate(giorno)),
                           riga(4, kUltimo, u"BIANCHI"_s, u"Contanti"_s, QString()), u"2 rate"_s,
                           u"€ 317,20 / € 158,60 / € 158,60"_s})
                  .join(u'\n'));
    EXPECT_EQ(dbRows(u"SELECT Num, Pagata FROM Fatture WHERE Num IN (?, ?, ?) ORDER BY Num"_s, {n[1], n[3], n[4]}),
              u"%1|X\n%2|X\n%3|-"_s.arg(n[1], n[3], n[4]));

    // Registering again what is paid changes nothing.
    scegli({0});
    click("BtnRegPag");
    EXPECT_EQ(dlg.lastText(), u"Le rate scelte sono già pagate"_s);

    // Cancelled for both chosen: the unpaid one is left, the paid one goes back.
    scegli({0, 1});
    dlg.answer(Answer::Yes);
    click("BtnAnnPag");
    EXPECT_EQ(dlg.messages[dlg.messages.size() - 2].text, u"Annullare il pagamento di 1 rata per € 158,60 ?"_s);
    EXPECT_EQ(get<QLabel>("LblPagato")->text(), u"€ 0,00"_s);
    EXPECT_EQ(dbRows(u"SELECT Num, Pagata FROM Fatture WHERE Num IN (?, ?) ORDER BY Num"_s, {n[1], n[3]}),
              u"%1|X\n%2|-"_s.arg(n[1], n[3]));

    const QString file = dir.path(u"banca.txt"_s);
    // Next month: Neri has no bank; the save dialog never opens.
    periodo(kUltimo.addDays(1), kUltimo.addMonths(1));
    click("BtnRiba");
    EXPECT_TRUE(dlg.lastText().contains(u"- NERI (fattura %1)"_s.arg(n[5]))) << dlg.lastText().toStdString();
    EXPECT_TRUE(dlg.proposedFiles.isEmpty());
    EXPECT_EQ(presentazioni(), QString());
    // This month: Verdi's Ri.Ba., confirmed and saved.
    periodo(kPrimo, kUltimo);
    dlg.answer(Answer::Yes);
    dlg.chooseFile(file);
    click("BtnRiba");
    EXPECT_EQ(
        dlg.messages[dlg.messages.size() - 2].text,
        u"Presentare alla banca 1 Ri.Ba. per € 158,60 in scadenza dal %1 al %2 ?"_s.arg(lunga(kPrimo), lunga(kUltimo)));
    EXPECT_EQ(dlg.proposedFiles, QStringList{dir.path(u"RIBA_%1.txt"_s.arg(kOggi.toString(u"yyyyMMdd"_s)))});
    const QString numero = QString::number(DueDateStore::presentazioni().value().value(0).id);
    EXPECT_EQ(dlg.lastText(), u"Presentazione n. %1: 1 Ri.Ba. per € 158,60 scritte in \"%2\"."_s.arg(
                                  numero, QDir::toNativeSeparators(file)));
    EXPECT_EQ(grid()->model()->index(0, ScadenzarioModel::Presentata).data().toString(), u"N. "_s + numero);
    // Presented once: asking again finds nothing.
    click("BtnRiba");
    EXPECT_EQ(dlg.lastText(), u"Nessuna Ri.Ba. da presentare dal %1 al %2"_s.arg(lunga(kPrimo), lunga(kUltimo)));

    // Cancelled as a whole from the list of presentations.
    dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->findChild<QListWidget*>(u"LstPresentazioni"_s)->count(), 1);
        w->findChild<QPushButton*>(u"BtnOk"_s)->click();
        return w->result();
    });
    dlg.answer(Answer::Yes);
    click("BtnAnnRiba");
    EXPECT_EQ(dlg.lastText(), u"Presentazione n. %1 annullata"_s.arg(numero));
    EXPECT_EQ(grid()->model()->index(0, ScadenzarioModel::Presentata).data().toString(), QString());
    EXPECT_EQ(presentazioni(), QString());
    click("BtnAnnRiba");
    EXPECT_EQ(dlg.lastText(), u"Nessuna presentazione Ri.Ba. da annullare"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}
