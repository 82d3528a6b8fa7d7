#include "../quotetest.h"
#include "currentseries.h"
#include "quotes/ui/formregpre.h"
#include "shell/appstate.h"
#include "shell/formats.h"
#include "windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace {

using Answer = Dialogs::Answer;

struct FormRegPreTest : OneWindowTest<FormRegPre> {
    qint64 rossi = addCustomer(u"ROSSI"_s);

    void open(const QString& number = {})
    {
        frm = std::make_unique<FormRegPre>();
        EXPECT_TRUE(frm->Carica(number));
    }
    QComboBox* combo(const char* name) { return get<QComboBox>(name); }
    QPlainTextEdit* des() { return get<QPlainTextEdit>("TxtDes"); }
    QString label() { return get<QLabel>("LblRec")->text(); }
    // What a paper window opened from the quote shows: its name, customer and rows.
    std::function<int(QDialog*)> read(QString& shown)
    {
        return [&shown](QDialog* w) {
            shown = w->objectName() + u' ' + w->findChild<QComboBox*>(u"ComboCli"_s)->currentText() + u'\n' +
                    gridText(w->findChild<QTableWidget*>(u"FGrid"_s)->model());
            return 0;
        };
    }
};

} // namespace

TEST_F(FormRegPreTest, RegisteringChecksInOrderThenStoresOneKindOfCustomer)
{
    Quote old = sampleQuote(u"3/%1"_s.arg((kAnno - 1) % 100, 2, 10, QChar(u'0')), QDate(kAnno - 1, 5, 1));
    old.int2 = u"Via Po 3"_s;
    issueQuote(old);
    open();
    EXPECT_EQ(get<QLineEdit>("TxtNum")->text(), num(1));
    // Typed lines of earlier quotes are offered again.
    EXPECT_EQ(combo("ComboCli")->itemText(0) + u'|' + combo("ComboCli2")->itemText(0), u"Condominio Aurora|Via Po 3"_s);

    const struct {
        std::function<void()> fix;
        const char* message;
    } checks[] = {
        {[] {}, "Inserire intestazione CLIENTE o selezionarlo da Anagrafica"},
        {[this] { combo("ComboCli3")->setCurrentIndex(combo("ComboCli3")->findText(u"ROSSI"_s)); },
         "Nessuna DESCRIZIONE inserita"},
        {[this] {
             des()->setPlainText(u"Cancello\nPosa"_s);
             dlg.answer(Answer::No);
         },
         "Proseguire con il SALVATAGGIO del PREVENTIVO"},
    };
    for (const auto& c : checks) {
        c.fix();
        click("BtnRegistra");
        EXPECT_EQ(dlg.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(dbRows(u"SELECT count(*) FROM Preventivi"_s), u"1"_s) << c.message;
    }
    EXPECT_NE(frm->result(), QDialog::Accepted);

    // A registry customer alone: Int1 Null.
    dlg.answer(Answer::Yes);
    click("BtnRegistra");
    EXPECT_EQ(dlg.lastText(), u"PREVENTIVO registrato con successo"_s);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    // Typed lines win over a chosen registry customer: IdAna Null.
    open();
    combo("ComboCli3")->setCurrentIndex(0);
    combo("ComboCli")->setEditText(u"Bar Sport"_s);
    des()->setPlainText(u"Tettoia"_s);
    get<QPlainTextEdit>("TxtNote")->setPlainText(u"Urgente"_s);
    dlg.answer(Answer::Yes);
    click("BtnRegistra");
    EXPECT_EQ(dbRows(u"SELECT Num, IdAna, Int1, Int2, Data, Des, Note FROM Preventivi WHERE IdAna IS NOT NULL OR Note "
                     "IS NOT NULL ORDER BY Num"_s),
              u"%1|%2|-|-|%4|Cancello\r\nPosa|-\n%3|-|Bar Sport|-|%4|Tettoia|Urgente"_s.arg(num(1)).arg(rossi).arg(
                  num(2), Formats::isoDate(QDate::currentDate())));

    // A number typed (Secondario) that exists is refused.
    app().secondario = true;
    open();
    get<QLineEdit>("TxtNum")->setText(num(1));
    combo("ComboCli")->setEditText(u"Bar Sport"_s);
    des()->setPlainText(u"Tettoia"_s);
    click("BtnRegistra");
    app().secondario = false;
    EXPECT_EQ(dlg.messages.back().title + u": "_s + dlg.lastText(),
              u"Impossibile procedere: Preventivo %1 già esistente"_s.arg(num(1)));
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegPreTest, RecallBrowseSaveAndAnnulTheLast)
{
    for (int i : {1, 2, 4})
        issueQuote(sampleQuote(num(i), QDate(kAnno, 1, i), i % 2 ? rossi : 0));
    open(num(1));
    EXPECT_EQ(label(), u"Preventivo 1 di 4"_s);
    // A registry-customer quote: its name alone, the typed lines locked.
    EXPECT_EQ(combo("ComboCli3")->currentText() + u'|' + combo("ComboCli")->currentText(), u"ROSSI|"_s);
    EXPECT_FALSE(combo("ComboCli")->isEnabled());

    // The text changed, then next: stored first. A typed-header quote shows its lines, open to change.
    des()->setPlainText(u"Cambiato\nDue righe"_s);
    click("Cmd2");
    EXPECT_EQ(label(), u"Preventivo 2 di 4"_s);
    EXPECT_EQ(dbRows(u"SELECT Des FROM Preventivi WHERE Num = ?"_s, {num(1)}), u"Cambiato\r\nDue righe"_s);
    EXPECT_EQ(combo("ComboCli")->currentText() + u'|' + combo("ComboCli3")->currentText(), u"Condominio Aurora|"_s);
    EXPECT_TRUE(combo("ComboCli")->isEnabled());
    // Number 3 is missing: browsing stops before it.
    click("Cmd2");
    EXPECT_EQ(label(), u"Preventivo 2 di 4"_s);
    EXPECT_FALSE(get("BtnAnnulla")->isEnabled());
    click("Cmd3");
    // A No leaves the last one; a Yes annuls it.
    for (const Answer a : {Answer::No, Answer::Yes}) {
        dlg.answer(a);
        click("BtnAnnulla");
    }
    EXPECT_EQ(dlg.lastText(), u"PREVENTIVO annullato con successo"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Preventivi"_s), u"2"_s);
    EXPECT_EQ(frm->result(), QDialog::Accepted);
}

TEST_F(FormRegPreTest, ARegistryCustomerQuoteGoesOnIntoAnInvoiceOrADdt)
{
    Quote q = sampleQuote(num(1), QDate(kAnno, 2, 1), rossi);
    q.des = u"Cancello\r\n\r\nPosa in opera"_s;
    issueQuote(q);
    open();
    EXPECT_TRUE(get("BtnFattura")->isHidden() && get("BtnDdt")->isHidden());
    open(num(1));
    // A change not yet stored goes on too, and stays unstored.
    des()->appendPlainText(u"Trasporto"_s);
    const QString before = dbRows(u"SELECT * FROM Preventivi ORDER BY Num"_s);

    QString shown;
    dlg.onWindow(read(shown));
    click("BtnFattura");
    EXPECT_EQ(shown, u"FormRegFatt ROSSI\nCancello||||1\n ||||2\nPosa in opera||||3\nTrasporto||||4"_s);
    dlg.onWindow(read(shown));
    click("BtnDdt");
    EXPECT_EQ(shown, u"FormRegDdt ROSSI\nCancello||1\n ||2\nPosa in opera||3\nTrasporto||4"_s);
    EXPECT_EQ(dbRows(u"SELECT * FROM Preventivi ORDER BY Num"_s) +
                  dbRows(u"SELECT (SELECT count(*) FROM Fatture), (SELECT count(*) FROM Ddt)"_s),
              before + u"0|0"_s);
}
