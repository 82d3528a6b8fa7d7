#include "../../printing/pdfprobe.h"
#include "../ddttest.h"
#include "ddt/ui/formddt.h"
#include "pagetexts.h"
#include "papers/paperseries.h"
#include "printing/pdfcommand.h"
#include "printing/registerlayout.h"
#include "printing/ui/formstampafatt.h"
#include "scripteddialogs.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "workdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTextStream>

namespace {

const int kAnno = QDate::currentDate().year();

QString num(int n, int anno = kAnno)
{
    return QString::number(n) + PaperSeries::suffisso(anno);
}

struct FormDdtTest : ::testing::Test {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    qint64 rossi = addCustomer(u"ROSSI"_s);
    qint64 bianchi = addCustomer(u"BIANCHI"_s);
    std::unique_ptr<FormDdt> frm;

    FormDdtTest()
    {
        issueDdt(num(1), rossi, QDate(kAnno, 1, 10));
        issueDdt(num(2), bianchi, QDate(kAnno, 2, 10));
        Ddt reso = sampleDdt(num(10), rossi, QDate(kAnno, 3, 10));
        reso.causale = u"Reso"_s;
        issueDdt(reso);
        // Numbered in this year's series but dated in the last one: listed there.
        issueDdt(num(3), bianchi, QDate(kAnno - 1, 12, 31));
        frm = std::make_unique<FormDdt>();
    }
    template <typename T = QPushButton> T* get(const char* name)
    {
        auto* w = frm->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTableView* grid() { return get<QTableView>("FGrid"); }
    QString shown()
    {
        return QStringList{get<QLabel>("LabelInt")->text(), gridText(grid()->model()), get<QLabel>("LblRec")->text()}
            .join(u'\n');
    }
    QString date(int m, int d, int anno = kAnno) { return Formats::shortDate(QDate(anno, m, d)); }
};

} // namespace

TEST_F(FormDdtTest, ListsTheYearHighestNumberFirst)
{
    EXPECT_EQ(shown(),
              u"D.D.T. %1\n%2|ROSSI|%3|Reso|\n%4|BIANCHI|%5|Vendita|\n%6|ROSSI|%7|Vendita|\n3 D.D.T."_s.arg(kAnno).arg(
                  num(10), date(3, 10), num(2), date(2, 10), num(1), date(1, 10)));
    auto* cli = get<QComboBox>("ComboCli");
    EXPECT_EQ(cli->count(), 3);
    EXPECT_EQ(cli->itemText(0), u"Tutti"_s);
    cli->activated(cli->findText(u"BIANCHI"_s));
    EXPECT_EQ(gridText(grid()->model()), u"%1|BIANCHI|%2|Vendita|"_s.arg(num(2), date(2, 10)));
    // Another year keeps the customer filter.
    dlg.type(QString::number(kAnno - 1));
    get("BtnAnno")->click();
    EXPECT_EQ(shown(),
              u"D.D.T. %1\n%2|BIANCHI|%3|Vendita|\n1 D.D.T."_s.arg(kAnno - 1).arg(num(3), date(12, 31, kAnno - 1)));
    dlg.type(u"1990"_s);
    get("BtnAnno")->click();
    EXPECT_EQ(shown(), u"D.D.T. 1990\n\n0 D.D.T."_s);
}

TEST_F(FormDdtTest, RecallAndNew)
{
    get("BtnRichiama")->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima un DDT"_s);
    QString shownNumber;
    dlg.onWindow([&](QDialog* w) {
        shownNumber = w->findChild<QLineEdit*>(u"TxtNum"_s)->text();
        return 1;
    });
    Gesture::doubleClick(grid()->viewport(), Gesture::cell(grid(), 1));
    EXPECT_EQ(shownNumber, num(2));
    // The choice is used once.
    get("BtnRichiama")->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare prima un DDT"_s);

    dlg.onWindow([&](QDialog* w) {
        shownNumber = w->findChild<QLineEdit*>(u"TxtNum"_s)->text();
        issueDdt(num(11), bianchi, QDate(kAnno, 4, 1));
        return 0;
    });
    get("BtnEmetti")->click();
    EXPECT_EQ(shownNumber, num(11));
    EXPECT_EQ(dlg.windowsShown, (QStringList{u"FormRegDdt"_s, u"FormRegDdt"_s}));
    EXPECT_EQ(get<QLabel>("LblRec")->text(), u"4 D.D.T."_s);
}

TEST_F(FormDdtTest, DeferredInvoiceOfTheChosenDdts)
{
    get("BtnFattura")->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare un CLIENTE"_s);
    auto* cli = get<QComboBox>("ComboCli");
    cli->activated(cli->findText(u"ROSSI"_s));

    // All offered and ticked, oldest first; closing the new invoice writes nothing.
    QStringList offered;
    QString rows;
    const auto choose = [&](std::function<void(QDialog*)> act) {
        dlg.onWindow([&offered, act](QDialog* w) {
            offered.clear();
            for (auto* c : w->findChildren<QCheckBox*>())
                offered << c->accessibleName() + (c->isChecked() ? u"+"_s : u"-"_s);
            act(w);
            return w->result();
        });
    };
    choose([](QDialog* w) { w->findChild<QPushButton*>(u"BtnFattura"_s)->click(); });
    dlg.onWindow([&](QDialog* w) {
        rows = gridText(w->findChild<QTableWidget*>(u"FGrid"_s)->model());
        EXPECT_EQ(w->findChild<QComboBox*>(u"ComboCli"_s)->currentText(), u"ROSSI"_s);
        EXPECT_FALSE(w->findChild<QComboBox*>(u"ComboCli"_s)->isEnabled());
        return 0;
    });
    get("BtnFattura")->click();
    const QString heading = u"DDT n. %1 del %2"_s;
    const QString d1 = QDate(kAnno, 1, 10).toString(u"dd/MM/yyyy"_s);
    const QString d10 = QDate(kAnno, 3, 10).toString(u"dd/MM/yyyy"_s);
    EXPECT_EQ(offered, (QStringList{heading.arg(num(1), d1) + u'+', heading.arg(num(10), d10) + u'+'}));
    EXPECT_EQ(rows, u"%1||||1\nCancello|2|||2\n ||||3\n%2||||4\nCancello|2|||5"_s.arg(heading.arg(num(1), d1),
                                                                                      heading.arg(num(10), d10)));
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture"_s), u"0"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM FattureDdt"_s), u"0"_s);

    // Only the DDT left ticked is billed, and linked when the invoice is issued.
    choose([](QDialog* w) {
        w->findChild<QCheckBox*>(u"ChkDdt1"_s)->setChecked(false);
        w->findChild<QPushButton*>(u"BtnFattura"_s)->click();
    });
    dlg.onWindow([&](QDialog* w) {
        rows = gridText(w->findChild<QTableWidget*>(u"FGrid"_s)->model());
        w->findChild<QComboBox*>(u"ComboIva"_s)->setEditText(u"22"_s);
        w->findChild<QPushButton*>(u"BtnEmetti"_s)->click();
        return w->result();
    });
    get("BtnFattura")->click();
    EXPECT_EQ(rows, u"%1||||1\nCancello|2|||2"_s.arg(heading.arg(num(1), d1)));
    EXPECT_TRUE(dlg.texts().contains(u"FATTURA emessa con successo"_s));
    EXPECT_EQ(gridText(grid()->model()),
              u"%1|ROSSI|%2|Reso|\n%3|ROSSI|%4|Vendita|%5"_s.arg(num(10), date(3, 10), num(1), date(1, 10), num(1)));

    // Never offered again; taken by another invoice while this one is open, it is refused.
    choose([](QDialog* w) { w->findChild<QPushButton*>(u"BtnFattura"_s)->click(); });
    dlg.onWindow([&](QDialog* w) {
        EXPECT_FALSE(InvoiceStore::issue(sampleInvoice(num(2), rossi, QDate(kAnno, 3, 31)), {num(10)}));
        w->findChild<QComboBox*>(u"ComboIva"_s)->setEditText(u"22"_s);
        w->findChild<QLineEdit*>(u"TxtNum"_s)->setText(num(3));
        w->findChild<QPushButton*>(u"BtnEmetti"_s)->click();
        return w->result();
    });
    get("BtnFattura")->click();
    EXPECT_EQ(offered, QStringList{heading.arg(num(10), d10) + u'+'});
    EXPECT_EQ(
        dlg.lastText(),
        u"Il DDT %1 è già stato fatturato con la fattura %2: la fattura non è stata emessa."_s.arg(num(10), num(2)));
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture WHERE Num = ?"_s, {num(3)}), u"0"_s);
    get("BtnFattura")->click();
    EXPECT_EQ(dlg.lastText(), u"Nessun DDT da fatturare per questo cliente nel %1"_s.arg(kAnno));
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormDdtTest, PreviewAndCommandPrintTheListAsShown)
{
    std::vector<Page> preview;
    dlg.onWindow([&](QDialog* w) {
        preview = static_cast<FormStampaFatt*>(w)->pages();
        return 0;
    });
    get("BtnAnt")->click();
    ASSERT_EQ(preview.size(), 1u);
    EXPECT_EQ(PageTexts::registerLines(preview, RegisterLayout::kPrimaRigaY).join(u'\n'), gridText(grid()->model()));
    EXPECT_NE(preview[0].findText(u"REGISTRO DDT %1"_s.arg(kAnno)), nullptr);
    EXPECT_NE(preview[0].findText(u"Causale trasporto"_s), nullptr);

    QString errors;
    QTextStream err(&errors);
    const QString out = dir.path(u"ddt.pdf"_s);
    ASSERT_EQ(PdfCommand::run({u"registro-ddt"_s, QString::number(kAnno), u"-o"_s, out}, err), 0);
    const auto words = PdfProbe::words(out);
    for (const QString& w : {u"REGISTRO"_s, u"Reso"_s, num(10), num(2), u"1/1"_s})
        EXPECT_NE(PdfProbe::find(words, w), nullptr) << w.toStdString();
    // A customer filter belongs to registers only.
    EXPECT_EQ(PdfCommand::run({u"ddt"_s, num(1), u"--cliente"_s, u"1"_s, u"-o"_s, dir.path(u"x.pdf"_s)}, err), 1);
    EXPECT_FALSE(QFile::exists(dir.path(u"x.pdf"_s)));
}
