#include "../warehousetest.h"
#include "usergestures.h"
#include "warehouse/ui/frmimpcat.h"
#include "windowtest.h"

#include <QPushButton>
#include <QTableWidget>

namespace {

class FrmImpCatTest : public WindowTest {
protected:
    std::optional<FrmImpCat> w;

    QTableWidget* grid() { return w->findChild<QTableWidget*>(u"FGrid"_s); }
    QPushButton* button(const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }
    // Typed into the prompt of `button` (nullptr: cancelled).
    void ask(const char* name, const char* typed)
    {
        typed ? dlg.type(QString::fromUtf8(typed)) : dlg.cancelInput();
        button(name)->click();
    }
    // The grid as "name code|..." in its order.
    QString shown()
    {
        QStringList out;
        for (int r = 0; r < grid()->rowCount(); ++r)
            out << grid()->item(r, 1)->text() + u' ' + grid()->item(r, 2)->text();
        return out.join(u'|');
    }
    void choose(const QString& name)
    {
        for (int r = 0; r < grid()->rowCount(); ++r)
            if (grid()->item(r, 1)->text() == name)
                Gesture::click(grid(), r);
    }
};

} // namespace

TEST_F(FrmImpCatTest, RenamesTheChosenCategory)
{
    // Codes show two digits at least, and all of them past 16 bits.
    for (const auto& [id, nome] : {std::pair(9, u"DELL'ARTE"_s), std::pair(32768, u"VERNICI"_s)})
        ASSERT_FALSE(Database::exec(u"INSERT INTO Categorie (IdCat, Nome) VALUES (?, ?)"_s, {id, nome}));
    followKeys(u"Categorie"_s, u"IdCat"_s);
    w.emplace();
    choose(u"DELL'ARTE"_s);
    EXPECT_TRUE(button("BtnRinomina")->isEnabled() && button("BtnElimina")->isEnabled());
    // The unchanged name counts as already there.
    ask("BtnRinomina", "dell'arte");
    EXPECT_EQ(dlg.inputDefaults.last(), u"DELL'ARTE"_s);
    ask("BtnRinomina", "vernici");
    EXPECT_EQ(dlg.texts(), QStringList({u"Categoria DELL'ARTE già esistente"_s, u"Categoria VERNICI già esistente"_s}));
    ask("BtnRinomina", "arte 50% l'una");
    EXPECT_EQ(shown(), u"ARTE 50% L'UNA 09|VERNICI 32768"_s);
    // The same category stays chosen after the list is sorted again.
    ask("BtnRinomina", "zinco");
    EXPECT_EQ(dlg.inputDefaults.last(), u"ARTE 50% L'UNA"_s);
    EXPECT_EQ(shown() + u" / "_s + categoryRows(), u"VERNICI 32768|ZINCO 09 / 9:ZINCO:1|32768:VERNICI:1"_s);
}

TEST_F(FrmImpCatTest, DeleteIsRefusedWhileValidItemsUseTheCategory)
{
    w.emplace();
    EXPECT_FALSE(button("BtnRinomina")->isEnabled() || button("BtnElimina")->isEnabled());
    // Inserted upper-cased and cut to 30; another case makes no new name; cancel and an empty answer write nothing.
    for (const char* typed : {"lamiere", "tubolari d'acciaio inossidabile lucido", "LAMIERE", ""})
        ask("BtnInserisci", typed);
    ask("BtnInserisci", nullptr);
    EXPECT_EQ(dlg.lastText(), u"Categoria LAMIERE già esistente"_s);
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Critical);
    EXPECT_EQ(categoryRows(), u"1:LAMIERE:1|2:TUBOLARI D'ACCIAIO INOSSIDABIL:1"_s);
    EXPECT_EQ(shown(), u"LAMIERE 01|TUBOLARI D'ACCIAIO INOSSIDABIL 02"_s);
    const qint64 item = addItem(1, u"Lamiera"_s);
    // A screen reader's selection chooses the row as a click does.
    ASSERT_TRUE(Gesture::readerSelects(grid(), 0));
    EXPECT_TRUE(button("BtnElimina")->isEnabled());
    dlg.answer(Dialogs::Answer::No);
    button("BtnElimina")->click();
    EXPECT_EQ(dlg.messages.back().text + u'|' + dlg.messages.back().title,
              u"Categoria LAMIERE|CONFERMA ELIMINAZIONE"_s);
    EXPECT_EQ(dlg.messages.back().buttons, Dialogs::Buttons::YesNo);
    button("BtnElimina")->click();
    EXPECT_EQ(dlg.lastText() + u'|' + dlg.messages.back().title,
              u"La CATEGORIA contiene degli Articoli|Impossibile eliminare la CATEGORIA"_s);
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Information);
    EXPECT_EQ(categoryRows(), u"1:LAMIERE:1|2:TUBOLARI D'ACCIAIO INOSSIDABIL:1"_s);

    // A deleted item no longer holds its category.
    ASSERT_TRUE(WarehouseStore::deleteItem(item).value());
    button("BtnElimina")->click();
    EXPECT_EQ(categoryRows(), u"1:LAMIERE:0|2:TUBOLARI D'ACCIAIO INOSSIDABIL:1"_s);
    EXPECT_EQ(shown(), u"TUBOLARI D'ACCIAIO INOSSIDABIL 02"_s);
}
