#include "../registrytest.h"
#include "registry/ui/formana.h"
#include "windowtest.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace {

void click(QWidget& w, const char* name)
{
    w.findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

class FormAnaWindow : public WindowTest {
protected:
    // The list and its count as the user sees them: "A,B / 2 clienti".
    static QString view(FormAna& f)
    {
        const auto* model = f.findChild<QListView*>(u"List1"_s)->model();
        QStringList out;
        for (int i = 0; i < model->rowCount(); ++i)
            out << model->index(i, 0).data().toString();
        return out.join(u',') + u" / "_s + f.findChild<QLabel*>(u"LblN"_s)->text();
    }
    static void select(FormAna& f, const QString& nome)
    {
        auto* list = f.findChild<QListView*>(u"List1"_s);
        list->setCurrentIndex(list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, nome).value(0));
    }
    // Queues the editor: types into the boxes and saves.
    void edit(std::vector<std::pair<const char*, QString>> boxes)
    {
        dlg.onWindow([boxes](QDialog* w) {
            for (const auto& [name, text] : boxes)
                w->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
            click(*w, "BtnSalva");
            return w->result();
        });
    }
};

} // namespace

TEST_F(FormAnaWindow, LetterButtonsFilterAndTheFilterSurvivesRefills)
{
    for (const QString& n : {u"ANTONELLI"_s, u"BIANCHI"_s, u"PAGANI"_s, u"QUARTA"_s, u"ROSSI"_s})
        addCustomer(n);
    FormAna f;
    // Every letter reachable from exactly one button.
    QString letters;
    for (int i = 0; i < 18; ++i)
        letters += f.findChild<QPushButton*>(u"Btn%1"_s.arg(i))->text();
    EXPECT_EQ(letters, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s);
    click(f, "Btn0");
    EXPECT_EQ(view(f), u"ANTONELLI / 1 cliente"_s);
    click(f, "Btn17");
    EXPECT_EQ(view(f), u" / 0 clienti"_s);
    // Customers created from a filtered list are stored; only those inside the filter join it.
    click(f, "Btn11");
    for (const QString& n : {u"ZETA"_s, u"PIZZI"_s}) {
        edit({{"TxtNome", n}});
        click(f, "BtnNuovo");
    }
    EXPECT_EQ(view(f), u"PAGANI,PIZZI,QUARTA / 3 clienti"_s);
    click(f, "BtnElenco");
    EXPECT_EQ(view(f), u"ANTONELLI,BIANCHI,PAGANI,PIZZI,QUARTA,ROSSI,ZETA / 7 clienti"_s);
}

TEST_F(FormAnaWindow, NewChangeDuplicateDeleteAndReuseLeaveTheRightRows)
{
    // Codes past 16 bits keep all their digits.
    ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Id, Nome) VALUES (32766, 'A_'), (32767, 'A_B')"_s));
    followKeys(u"Anagrafica"_s, u"Id"_s);
    FormAna f;
    click(f, "BtnApri");
    click(f, "BtnElimina");
    EXPECT_EQ(dlg.texts(), QStringList(2, u"Selezionare prima un CLIENTE"_s));
    EXPECT_TRUE(dlg.windowsShown.isEmpty());

    edit({{"TxtNome", u"  città srl"_s}, {"TxtCitta", u"Forlì"_s}});
    click(f, "BtnNuovo");
    EXPECT_EQ(dlg.lastText(), u"Nuovo CLIENTE inserito con successo"_s);
    EXPECT_EQ(dbText(u"SELECT Nome || '/' || Ragione || '/' || Città FROM Anagrafica WHERE Id = 32768"_s),
              u"CITTÀ SRL/CITTÀ SRL/Forlì"_s);
    EXPECT_EQ(view(f), u"A_,A_B,CITTÀ SRL / 3 clienti"_s);

    select(f, u"CITTÀ SRL"_s);
    edit({{"TxtNome", u"CITTÀ SPA"_s}, {"TxtProv", u"FC"_s}});
    click(f, "BtnApri");
    EXPECT_EQ(dlg.lastText(), u"CLIENTE modificato con successo"_s);
    EXPECT_EQ(dbText(u"SELECT Nome || '/' || Ragione || '/' || Prov FROM Anagrafica WHERE Id = 32768"_s),
              u"CITTÀ SPA/CITTÀ SRL/FC"_s);
    EXPECT_EQ(view(f), u"A_,A_B,CITTÀ SPA / 3 clienti"_s);

    // Another case of an existing name is refused and the editor stays open.
    edit({{"TxtNome", u"Città spa"_s}});
    click(f, "BtnNuovo");
    EXPECT_EQ(dlg.lastText(), u"Nominativo 'CITTÀ SPA' gia esistente"_s);
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Critical);
    const QString before = u"32766:A_:1|32767:A_B:1|32768:CITTÀ SPA:1"_s;
    EXPECT_EQ(customerRows(), before);

    select(f, u"CITTÀ SPA"_s);
    dlg.answer(Dialogs::Answer::No);
    click(f, "BtnElimina");
    const auto& ask = dlg.messages.back();
    EXPECT_EQ(ask.text + u'|' + ask.title, u"Cliente 'CITTÀ SPA' ?|CONFERMI ELIMINAZIONE"_s);
    EXPECT_EQ(ask.buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(customerRows(), before);
    click(f, "BtnElimina");
    EXPECT_EQ(dlg.lastText(), u"Eliminazione effettuata con successo"_s);
    EXPECT_EQ(view(f), u"A_,A_B / 2 clienti"_s);

    // A deleted name is free again; the underscore is no wildcard, so only A_ goes.
    edit({{"TxtNome", u"città spa"_s}});
    click(f, "BtnNuovo");
    select(f, u"A_"_s);
    click(f, "BtnElimina");
    EXPECT_EQ(customerRows(), u"32766:A_:0|32767:A_B:1|32768:CITTÀ SPA:0|32769:CITTÀ SPA:1"_s);
    EXPECT_EQ(view(f), u"A_B,CITTÀ SPA / 2 clienti"_s);
}
