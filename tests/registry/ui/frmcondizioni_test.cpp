#include "../registrytest.h"
#include "registry/customerpaymentstore.h"
#include "registry/ui/frmcondizioni.h"
#include "usergestures.h"
#include "windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

namespace {

using Answer = Dialogs::Answer;

struct Rata {
    int giorni;
    bool fineMese;
    QString quota;
};

class FrmCondizioniTest : public OneWindowTest<FrmCondizioni> {
protected:
    FrmCondizioniTest() { frm = std::make_unique<FrmCondizioni>(); }

    QTableWidget* grid() { return get<QTableWidget>("GridRate"); }
    QListWidget* list() { return get<QListWidget>("ListCondizioni"); }
    void choose(const QString& descrizione)
    {
        const auto found = list()->findItems(descrizione, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << descrizione.toStdString();
        Gesture::click(list(), list()->row(found.first()), 0);
    }
    // Types a term over the one shown, the grid grown or shrunk with its buttons as the user does.
    void type(const QString& descrizione, const QString& modalita, const QList<Rata>& rate)
    {
        get<QLineEdit>("TxtDescrizione")->setText(descrizione);
        auto* combo = get<QComboBox>("ComboModalita");
        combo->setCurrentIndex(combo->findData(modalita));
        while (grid()->rowCount() < rate.size())
            click("BtnAggiungiRata");
        while (grid()->rowCount() > rate.size()) {
            Gesture::click(grid(), grid()->rowCount() - 1, 0);
            click("BtnEliminaRata");
        }
        for (int i = 0; i < rate.size(); ++i) {
            grid()->item(i, 0)->setData(Qt::EditRole, rate[i].giorni);
            grid()->item(i, 1)->setCheckState(rate[i].fineMese ? Qt::Checked : Qt::Unchecked);
            grid()->item(i, 2)->setText(rate[i].quota);
        }
    }
    // What the window shows of the term: description, method, then "days|end of month|share" rows
    // and the shares' sum.
    QString shown()
    {
        QStringList out{get<QLineEdit>("TxtDescrizione")->text(), get<QComboBox>("ComboModalita")->currentText()};
        for (int r = 0; r < grid()->rowCount(); ++r)
            out << u"%1|%2|%3"_s.arg(grid()->item(r, 0)->text(),
                                     grid()->item(r, 1)->checkState() == Qt::Checked ? u"fm"_s : u"df"_s,
                                     grid()->item(r, 2)->text());
        return (out << get<QLabel>("LblQuote")->text()).join(u'\n');
    }
};

// Every stored term with its instalments, in the order they were made.
QString terms()
{
    return dbRows(u"SELECT C.Descrizione, C.Modalita, R.Ord, R.Giorni, R.FineMese, R.Quota FROM CondizioniPagamento C "
                  "LEFT JOIN RateCondizioni R ON R.IdCondizione = C.Id ORDER BY C.Id, R.Ord"_s);
}

} // namespace

TEST_F(FrmCondizioniTest, NewTermIsStoredOrRefusedWithNothingWritten)
{
    const QString shipped = terms();
    // description, the one share typed, the refusal; then a new term of two shares typed with comma and point
    const std::tuple<QString, QString, QString> refused[] = {
        {u"Contanti"_s, u"metà"_s, u"Quota non valida alla rata 1"_s},
        {u"rimessa DIRETTA"_s, u"100"_s, u"Condizione 'Rimessa diretta' già esistente"_s}};
    for (const auto& [descrizione, quota, rifiuto] : refused) {
        frm = std::make_unique<FrmCondizioni>();
        click("BtnNuova");
        type(descrizione, u"MP01"_s, {{0, false, quota}});
        click("BtnSalva");
        EXPECT_EQ(dlg.lastText() + u'|' + dlg.messages.back().title, rifiuto + u"|Impossibile procedere"_s);
        EXPECT_EQ(terms(), shipped);
    }
    frm = std::make_unique<FrmCondizioni>();
    click("BtnNuova");
    type(u"Bonifico 30/60 gg d.f."_s, u"MP05"_s, {{30, false, u"49,5"_s}, {60, true, u"50.5"_s}});
    click("BtnSalva");
    EXPECT_EQ(dlg.lastText(), u"Condizione di pagamento salvata con successo"_s);
    EXPECT_EQ(terms(),
              shipped + u"\nBonifico 30/60 gg d.f.|MP05|1|30|0|49.5\nBonifico 30/60 gg d.f.|MP05|2|60|1|50.5"_s);
    // Listed among the others by description, and chosen.
    EXPECT_EQ(list()->currentItem()->text(), u"Bonifico 30/60 gg d.f."_s);
    EXPECT_EQ(list()->item(list()->currentRow() - 1)->text(), u"Bonifico 30 gg f.m."_s);
}

TEST_F(FrmCondizioniTest, ShippedTermIsChangedDeletedOnlyWhenUnusedAndEditsAreNotDroppedUnasked)
{
    choose(u"Ri.Ba. 30/60 gg f.m."_s);
    EXPECT_EQ(shown(), u"Ri.Ba. 30/60 gg f.m.\nMP12 - Ri.Ba.\n30|fm|50\n60|fm|50\nTotale quote: 100 %"_s);
    type(u"Ri.Ba. 30/60/90 gg f.m. (40 %)"_s, u"MP12"_s,
         {{30, true, u"30"_s}, {60, true, u"30"_s}, {90, true, u"50"_s}});
    grid()->item(2, 2)->setText(u"40"_s);

    // Another term chosen with the edits unsaved: asked, and No keeps them.
    dlg.answer(Answer::No);
    choose(u"Rimessa diretta"_s);
    EXPECT_EQ(dlg.lastText(), u"Le modifiche alla condizione andranno perse. Proseguire ?"_s);
    EXPECT_EQ(list()->currentItem()->text(), u"Ri.Ba. 30/60 gg f.m."_s);
    click("BtnSalva");
    const qint64 id =
        dbText(u"SELECT Id FROM CondizioniPagamento WHERE Modalita = 'MP12' AND Descrizione LIKE '%40%'"_s)
            .toLongLong();
    EXPECT_EQ(
        dbRows(u"SELECT Ord, Giorni, FineMese, Quota FROM RateCondizioni WHERE IdCondizione = ? ORDER BY Ord"_s, {id}),
        u"1|30|1|30\n2|60|1|30\n3|90|1|40"_s);

    // Named by a customer: not deleted, and told why.
    const QString before = terms();
    ASSERT_FALSE(CustomerPaymentStore::save(addCustomer(u"ROSSI"_s), {id, {}, u"05428"_s, u"11101"_s, {}}));
    dlg.answer(Answer::Yes);
    click("BtnElimina");
    EXPECT_EQ(dlg.texts().mid(dlg.texts().size() - 2),
              (QStringList{u"Condizione 'Ri.Ba. 30/60/90 gg f.m. (40 %)' ?"_s,
                           u"La condizione di pagamento non può essere eliminata: la usano 1 cliente"_s}));
    EXPECT_EQ(terms(), before);

    // An unused one goes, from the list too; No to the question keeps it.
    choose(u"Bonifico 60 gg d.f."_s);
    dlg.answer(Answer::No);
    click("BtnElimina");
    EXPECT_EQ(terms(), before);
    dlg.answer(Answer::Yes);
    click("BtnElimina");
    EXPECT_FALSE(terms().contains(u"Bonifico 60 gg d.f."_s));
    EXPECT_EQ(list()->count(), 10);
    EXPECT_TRUE(dlg.allAnswersUsed());
}
