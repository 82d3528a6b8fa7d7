#include "../einvoicetest.h"
#include "ddt/ddtstore.h"
#include "invoices/einvoicerules.h"
#include "invoices/einvoicestore.h"
#include "invoices/ui/formfatt.h"
#include "invoices/ui/formregfatt.h"
#include "scripteddialogs.h"
#include "shell/formats.h"
#include "usergestures.h"
#include "workdir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

TEST(EInvoiceSave, APublicBodysInvoiceAsksItsCodesAndTellsToSignTheFile)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const int anno = QDate::currentDate().year();
    const QString num = u"1"_s + InvoiceRules::suffisso(anno);
    ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Piva, Indirizzo, Cap, Città) "
                                "VALUES ('COMUNE', 'Comune di Trento', '12345678903', 'Via Belenzani 19', '38122', "
                                "'Trento')"_s));
    ASSERT_FALSE(EInvoiceStore::saveCustomer(1, {u"UFABCD"_s, {}, u"IT"_s}));
    ASSERT_FALSE(EInvoiceStore::saveCompany(company()));
    issue(Invoice{
        num, 1, {}, QDate(anno, 1, 10), dec("122"), 22, {}, false, false, {{1, u"Cancello"_s, dec("1"), dec("100")}}});

    FormFatt reg;
    Gesture::click(reg.findChild<QTableView*>(u"FGrid"_s), 0);

    // A CIG of the wrong length is refused and nothing is written; the codes typed stay proposed.
    dlg.type(u"z4b123"_s);
    dlg.type(QString());
    reg.findChild<QPushButton*>(u"BtnXml"_s)->click();
    EXPECT_TRUE(dlg.lastText().contains(u"CIG (10 lettere o cifre)"_s)) << dlg.lastText().toStdString();
    EXPECT_TRUE(dlg.proposedFiles.isEmpty());

    dlg.type(u"Z4B1234567"_s);
    dlg.type(QString());
    dlg.chooseFile(dir.path(u"pa.xml"_s));
    reg.findChild<QPushButton*>(u"BtnXml"_s)->click();
    EXPECT_EQ(dlg.inputDefaults.mid(2), (QStringList{u"Z4B123"_s, QString()}));
    EXPECT_TRUE(dlg.lastText().endsWith(EInvoiceRules::kFirmaPA)) << dlg.lastText().toStdString();
    const QByteArray xml = dir.read(u"pa.xml"_s);
    EXPECT_TRUE(xml.contains("<CodiceCIG>Z4B1234567</CodiceCIG>"));
    EXPECT_TRUE(xml.contains("versione=\"FPA12\""));

    // Cancelling the question writes nothing more.
    dlg.cancelInput();
    reg.findChild<QPushButton*>(u"BtnXml"_s)->click();
    EXPECT_EQ(dlg.proposedFiles.size(), 1);
    EXPECT_EQ(EInvoiceStore::publicBodyCodes(num).value().cig, u"Z4B1234567"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST(FormRegFatt, ADeferredInvoicePastTheFifteenthOfTheNextMonthIsIssuedOnlyWhenConfirmed)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const int anno = QDate::currentDate().year();
    const qint64 cliente = addCustomer(u"BERTOLDI"_s);
    Ddt ddt;
    ddt.num = u"1"_s + InvoiceRules::suffisso(anno);
    ddt.idAna = cliente;
    ddt.data = QDate(anno, 1, 20);
    ddt.rows = {{1, u"Trave IPE 200"_s, dec("2")}};
    ASSERT_FALSE(DdtStore::issue(ddt));
    const QList<InvoiceRow> rows{{1, u"Trave IPE 200"_s, dec("2"), dec("80")}};

    // Declined: nothing issued, the DDT still to invoice; then accepted: issued and linked.
    for (const auto& [answer, fatture] : std::vector<std::pair<Dialogs::Answer, QString>>{
             {Dialogs::Answer::No, u"0"_s}, {Dialogs::Answer::Yes, u"1"_s}}) {
        FormRegFatt f;
        ASSERT_TRUE(f.CaricaNuova(anno, cliente, rows, {ddt.num}));
        f.findChild<QLineEdit*>(u"TxtData"_s)->setText(QDate(anno, 2, 16).toString(u"dd/MM/yy"_s));
        auto* iva = f.findChild<QComboBox*>(u"ComboIva"_s);
        iva->setEditText(u"22"_s);
        QTest::keyClick(iva, Qt::Key_Return);
        dlg.answer(answer);
        // The copies window opens only once issued.
        if (answer == Dialogs::Answer::Yes)
            dlg.onWindow([](QDialog* w) {
                w->findChild<QPushButton*>(u"BtnAnnulla"_s)->click();
                return 0;
            });
        f.findChild<QPushButton*>(u"BtnEmetti"_s)->click();
        const auto avviso = std::find_if(dlg.messages.begin(), dlg.messages.end(), [](const auto& m) {
            return m.text.contains(u"entro il giorno 15 del mese successivo"_s);
        });
        ASSERT_NE(avviso, dlg.messages.end());
        EXPECT_TRUE(avviso->text.contains(QDate(anno, 2, 15).toString(u"dd/MM/yyyy"_s))) << avviso->text.toStdString();
        EXPECT_EQ(Database::scalar(u"SELECT count(*) FROM FattureDdt"_s).value().toString(), fatture);
        dlg.messages.clear();
    }
    EXPECT_TRUE(dlg.allAnswersUsed());
}
