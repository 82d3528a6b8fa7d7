#include "../documenttest.h"
#include "currentseries.h"
#include "documents/ui/formregdoc.h"
#include "shell/formats.h"
#include "windowtest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

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
};

} // namespace

TEST_F(FormRegDocTest, RegisteringANewDocument)
{
    open();
    EXPECT_EQ(numero(), num(1));
    // Empty text, then No to the question: nothing stored, the window stays.
    click("BtnRegistra");
    EXPECT_EQ(dlg.lastText(), u"Nessun TESTO inserito"_s);
    testo()->setPlainText(u"Spett.le\n\u00a0rientro  'x'\n"_s);
    dlg.answer(Answer::No);
    click("BtnRegistra");
    EXPECT_EQ(dlg.messages.back().title, u"Conferma SALVATAGGIO"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Documenti"_s), u"0"_s);

    // The number taken meanwhile: told, the window stays with the text and the next number.
    registraDoc(num(1), QDate::currentDate(), u"Dell'altro programma"_s);
    dlg.answer(Answer::Yes);
    click("BtnRegistra");
    EXPECT_EQ(dlg.lastText(), u"Documento %1 già esistente"_s.arg(num(1)));
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(numero(), num(2));

    // Yes: stored with CR LF as typed, then no print.
    dlg.answer(Answer::Yes);
    dlg.answer(Answer::Ok);
    dlg.answer(Answer::No);
    click("BtnRegistra");
    EXPECT_EQ(dlg.texts().mid(dlg.texts().size() - 2),
              (QStringList{u"DOCUMENTO registrato con successo"_s, u"Effettuare la STAMPA ora ?"_s}));
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(dbRows(u"SELECT Num, Data, Des FROM Documenti ORDER BY Num"_s),
              u"%1|%3|Dell'altro programma\n%2|%3|Spett.le\r\n\u00a0rientro  'x'\r\n"_s.arg(
                  num(1), num(2), Formats::isoDate(QDate::currentDate())));
    EXPECT_TRUE(dlg.allAnswersUsed());
}

TEST_F(FormRegDocTest, RecallBrowseSaveAndDeleteTheLast)
{
    for (int i : {1, 2, 3, 5, 6, 7})
        registraDoc(num(i), QDate(kAnno, 1, 1), u"Testo %1"_s.arg(i));
    open(num(5));
    EXPECT_EQ(lblRec(), u"Documento 5 di 7"_s);
    EXPECT_FALSE(get("BtnAnnulla")->isEnabled());

    // Previous stops at the missing 4; the text changed is saved on moving.
    testo()->setPlainText(u"Corretto\nsu due righe"_s);
    click("Cmd1");
    EXPECT_EQ(numero(), num(5));
    EXPECT_EQ(dbRows(u"SELECT Des FROM Documenti WHERE Num = ?"_s, {num(5)}), u"Corretto\r\nsu due righe"_s);
    click("Cmd0");
    click("Cmd2");
    EXPECT_EQ(lblRec(), u"Documento 2 di 7"_s);

    // The last can be deleted; a No leaves it.
    open(num(7));
    for (const Answer a : {Answer::No, Answer::Yes}) {
        dlg.answer(a);
        click("BtnAnnulla");
    }
    EXPECT_EQ(dlg.lastText(), u"DOCUMENTO eliminato con successo"_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Documenti"_s), u"5"_s);
}
