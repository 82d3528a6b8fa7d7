#include "../documenttest.h"
#include "currentseries.h"
#include "data/database.h"
#include "documents/ui/formregdoc.h"
#include "papers/paperseries.h"
#include "shell/appstate.h"
#include "shell/formats.h"
#include "windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Answer = Dialogs::Answer;

struct FormRegDocTest : OneWindowTest<FormRegDoc> {
    void open(const QString& number = {})
    {
        frm = std::make_unique<FormRegDoc>();
        EXPECT_TRUE(frm->Carica(number));
        frm->show();
    }
    QPlainTextEdit* testo() { return get<QPlainTextEdit>("TxtDes"); }
    QString numero() { return get<QLineEdit>("TxtNum")->text(); }
    QString lblRec() { return get<QLabel>("LblRec")->text(); }
    // Documents 1..n of the year, "Testo i"; `skip` left out.
    void stored(int n, int skip = 0)
    {
        for (int i = 1; i <= n; ++i)
            if (i != skip)
                registraDoc(num(i), QDate(kAnno, 1, 1), u"Testo %1"_s.arg(i));
    }
    QString des(const QString& n) { return dbRows(u"SELECT Des FROM Documenti WHERE Num = ?"_s, {n}); }
};

} // namespace

TEST_F(FormRegDocTest, RegisteringANewDocument)
{
    stored(9);
    open();
    EXPECT_EQ(numero(), num(10));
    EXPECT_EQ(get<QLineEdit>("TxtData")->text(), Formats::shortDate(QDate::currentDate()));
    EXPECT_TRUE(get<QLineEdit>("TxtNum")->isReadOnly() && get<QLineEdit>("TxtData")->isReadOnly());
    EXPECT_FALSE(get("BtnStampa")->isEnabled() || get("BtnPdf")->isEnabled());
    EXPECT_FALSE(get<QLabel>("LblRec")->isVisibleTo(frm.get()));

    // Empty text, then No to the question: nothing stored, the window stays.
    click("BtnRegistra");
    EXPECT_EQ(dlg.lastText(), u"Nessun TESTO inserito"_s);
    testo()->setPlainText(u"Spett.le\n\u00a0rientro  'x'\n"_s);
    dlg.answer(Answer::No);
    click("BtnRegistra");
    EXPECT_EQ(dlg.messages.back().title, u"Conferma SALVATAGGIO"_s);
    EXPECT_TRUE(frm->isVisible());

    // Yes: stored with CR LF as typed, then no print.
    dlg.answer(Answer::Yes);
    dlg.answer(Answer::Ok);
    dlg.answer(Answer::No);
    click("BtnRegistra");
    EXPECT_EQ(dlg.texts().mid(dlg.texts().size() - 2),
              (QStringList{u"DOCUMENTO registrato con successo"_s, u"Effettuare la STAMPA ora ?"_s}));
    EXPECT_EQ(dlg.messages.back().title, u"Stampa Documento"_s);
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT Num, Data, Des FROM Documenti WHERE Num = ?"_s, {num(10)}),
              u"%1|%2|Spett.le\r\n\u00a0rientro  'x'\r\n"_s.arg(num(10), Formats::isoDate(QDate::currentDate())));
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegDocTest, ANumberTakenMeanwhileIsRefused)
{
    open();
    testo()->setPlainText(u"Lettera"_s);
    registraDoc(num(1), QDate::currentDate(), u"Dell'altro programma"_s);
    dlg.answer(Answer::Yes);
    click("BtnRegistra");
    EXPECT_EQ(dlg.lastText(), u"Documento %1 già esistente"_s.arg(num(1)));
    EXPECT_EQ(des(num(1)), u"Dell'altro programma"_s);
    // The window stays with the text and offers the next number.
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(numero(), num(2));
    dlg.answer(Answer::Yes);
    dlg.answer(Answer::Ok);
    dlg.answer(Answer::No);
    click("BtnRegistra");
    EXPECT_EQ(des(num(2)), u"Lettera"_s);
}

TEST_F(FormRegDocTest, OnlyItsOwnButtonsCloseIt)
{
    open();
    frm->close();
    EXPECT_TRUE(frm->isVisible());
    QTest::keyClick(frm.get(), Qt::Key_Escape);
    EXPECT_TRUE(frm->isVisible());
    click("BtnAnnulla");
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Documenti"_s), u"0"_s);

    stored(2);
    open(num(1));
    frm->close();
    EXPECT_TRUE(frm->isVisible());
    click("BtnRegistra");
    EXPECT_FALSE(frm->isVisible());
    EXPECT_TRUE(dlg.messages.empty());
}

TEST_F(FormRegDocTest, RecallBrowseSaveAndDeleteTheLast)
{
    stored(7, 4);
    // Numbered in this year's series but dated in the year before: browsing goes by number only.
    ASSERT_FALSE(Database::exec(u"UPDATE Documenti SET Data = ? WHERE Num = ?"_s,
                                {Formats::isoDate(QDate(kAnno - 1, 12, 31)), num(2)}));
    open(num(5));
    EXPECT_EQ(get<QLabel>("LabelInt")->text(), u"Richiama Documento"_s);
    EXPECT_EQ(lblRec(), u"Documento 5 di 7"_s);
    EXPECT_EQ(testo()->toPlainText(), u"Testo 5"_s);
    EXPECT_EQ(get("BtnRegistra")->text(), u"&CHIUDI"_s);
    EXPECT_EQ(get("BtnAnnulla")->text(), u"&ELIMINA DOCUMENTO"_s);
    EXPECT_FALSE(get("BtnAnnulla")->isEnabled());

    // Previous stops at the missing 4; the text changed is saved on moving.
    testo()->setPlainText(u"Corretto\nsu due righe"_s);
    click("Cmd1");
    EXPECT_EQ(numero(), num(5));
    EXPECT_EQ(des(num(5)), u"Corretto\r\nsu due righe"_s);
    click("Cmd3");
    EXPECT_EQ(lblRec(), u"Documento 7 di 7"_s);
    click("Cmd2");
    EXPECT_EQ(numero(), num(7));
    click("Cmd0");
    EXPECT_EQ(numero(), num(1));
    click("Cmd2");
    EXPECT_EQ(lblRec(), u"Documento 2 di 7"_s);

    // The last can be deleted; a No does nothing; the number is free again.
    open(num(7));
    dlg.answer(Answer::No);
    click("BtnAnnulla");
    EXPECT_TRUE(frm->isVisible());
    dlg.answer(Answer::Yes);
    click("BtnAnnulla");
    EXPECT_EQ(dlg.lastText(), u"DOCUMENTO eliminato con successo"_s);
    EXPECT_FALSE(frm->isVisible());
    open();
    EXPECT_EQ(numero(), num(7));

    // Vanished meanwhile: an error, not a success; saving it tells the same.
    open(num(6));
    ASSERT_FALSE(Database::exec(u"DELETE FROM Documenti WHERE Num = ?"_s, {num(6)}));
    testo()->setPlainText(u"x"_s);
    dlg.answer(Answer::Yes);
    click("BtnAnnulla");
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Critical);
    EXPECT_NE(dlg.lastText(), u"DOCUMENTO eliminato con successo"_s);
    open(num(5));
    ASSERT_FALSE(Database::exec(u"DELETE FROM Documenti WHERE Num = ?"_s, {num(5)}));
    testo()->setPlainText(u"y"_s);
    click("BtnRegistra");
    EXPECT_EQ(dlg.lastText(), u"Errore durante salvataggio Documento"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegDocTest, PrintRequestsCarryTheText)
{
    stored(3);
    open(num(3));
    QString kind;
    dlg.onWindow([&](QDialog*) {
        kind = app().tipoDocumento;
        return 0;
    });
    click("BtnAnt");
    EXPECT_EQ(kind, u"Documento"_s);
    EXPECT_EQ(frm->datiDocumento().des, u"Testo 3"_s);
    dlg.chooseFile(dir.path(u"doc.pdf"_s));
    click("BtnPdf");
    EXPECT_EQ(QApplication::clipboard()->text(), u"Documento_3-%1.pdf"_s.arg(kSuffisso.mid(1)));
    EXPECT_TRUE(QFile::exists(dir.path(u"doc.pdf"_s)));
}
