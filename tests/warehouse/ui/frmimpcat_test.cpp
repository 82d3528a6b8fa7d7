#include "../warehousetest.h"
#include "scripteddialogs.h"
#include "usergestures.h"
#include "warehouse/ui/frmimpcat.h"
#include "workdir.h"

#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

struct Categories {
    TestWorkDir dir;
    ScriptedDialogs dlg;
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
    static QString rows()
    {
        return dbText(u"SELECT group_concat(IdCat || ':' || Nome || ':' || Valid, '|') FROM Categorie"_s);
    }
};

} // namespace

TEST(FrmImpCat, InsertsUpperCasedNamesCutTo30AndRefusesDuplicates)
{
    Categories c;
    c.w.emplace();
    EXPECT_FALSE(c.button("BtnRinomina")->isEnabled() || c.button("BtnElimina")->isEnabled());
    c.ask("BtnInserisci", "tubolari");
    // Tabbing into the grid puts the view's current cell on the first row: that is no choice.
    ASSERT_TRUE(Gesture::focus(c.grid()));
    EXPECT_EQ(c.grid()->currentRow(), 0);
    EXPECT_FALSE(c.button("BtnRinomina")->isEnabled() || c.button("BtnElimina")->isEnabled());
    EXPECT_EQ(c.dlg.prompts.last(), u"Nome CATEGORIA ?"_s);
    EXPECT_EQ(c.shown(), u"TUBOLARI 01"_s);
    // The keyboard chooses the focused row with the space bar.
    QTest::keyClick(c.grid(), Qt::Key_Space);
    EXPECT_TRUE(c.button("BtnRinomina")->isEnabled() && c.button("BtnElimina")->isEnabled());
    c.ask("BtnInserisci", "l'acciaio inossidabile lucido e satinato");
    // Case and accents do not make a new name; cancel and an empty answer write nothing.
    c.ask("BtnInserisci", "Città");
    c.ask("BtnInserisci", "CITTÀ");
    EXPECT_EQ(c.dlg.lastText(), u"Categoria CITTÀ già esistente"_s);
    EXPECT_EQ(c.dlg.messages.back().icon, Dialogs::Icon::Critical);
    c.ask("BtnInserisci", nullptr);
    c.ask("BtnInserisci", "");
    EXPECT_EQ(c.rows(), u"1:TUBOLARI:1|2:L'ACCIAIO INOSSIDABILE LUCIDO :1|3:CITTÀ:1"_s);
    EXPECT_EQ(c.grid()->rowCount(), 3);
}

TEST(FrmImpCat, RenamesTheChosenCategory)
{
    Categories c;
    // Codes show two digits at least, and all of them past 16 bits.
    for (const auto& [id, nome] : {std::pair(9, u"DELL'ARTE"_s), std::pair(32768, u"VERNICI"_s)})
        ASSERT_FALSE(Database::exec(u"INSERT INTO Categorie (IdCat, Nome) VALUES (?, ?)"_s, {id, nome}));
    c.w.emplace();
    c.choose(u"DELL'ARTE"_s);
    EXPECT_TRUE(c.button("BtnRinomina")->isEnabled() && c.button("BtnElimina")->isEnabled());
    // The unchanged name counts as already there.
    c.ask("BtnRinomina", "dell'arte");
    EXPECT_EQ(c.dlg.inputDefaults.last(), u"DELL'ARTE"_s);
    c.ask("BtnRinomina", "vernici");
    EXPECT_EQ(c.dlg.texts(),
              QStringList({u"Categoria DELL'ARTE già esistente"_s, u"Categoria VERNICI già esistente"_s}));
    c.ask("BtnRinomina", "arte 50% l'una");
    EXPECT_EQ(c.shown(), u"ARTE 50% L'UNA 09|VERNICI 32768"_s);
    // The same category stays chosen after the list is sorted again.
    c.ask("BtnRinomina", "zinco");
    EXPECT_EQ(c.dlg.inputDefaults.last(), u"ARTE 50% L'UNA"_s);
    EXPECT_EQ(c.shown() + u" / "_s + c.rows(), u"VERNICI 32768|ZINCO 09 / 9:ZINCO:1|32768:VERNICI:1"_s);
}

TEST(FrmImpCat, DeleteIsRefusedWhileValidItemsUseTheCategory)
{
    Categories c;
    const qint64 item = addItem(addCategory(u"LAMIERE"_s), u"Lamiera"_s);
    c.w.emplace();
    // A screen reader's selection chooses the row as a click does.
    ASSERT_TRUE(Gesture::readerSelects(c.grid(), 0));
    EXPECT_TRUE(c.button("BtnElimina")->isEnabled());
    c.dlg.answer(Dialogs::Answer::No);
    c.button("BtnElimina")->click();
    EXPECT_EQ(c.dlg.messages.back().text + u'|' + c.dlg.messages.back().title,
              u"Categoria LAMIERE|CONFERMA ELIMINAZIONE"_s);
    EXPECT_EQ(c.dlg.messages.back().buttons, Dialogs::Buttons::YesNo);
    c.button("BtnElimina")->click();
    EXPECT_EQ(c.dlg.lastText() + u'|' + c.dlg.messages.back().title,
              u"La CATEGORIA contiene degli Articoli|Impossibile eliminare la CATEGORIA"_s);
    EXPECT_EQ(c.dlg.messages.back().icon, Dialogs::Icon::Information);
    EXPECT_EQ(c.rows(), u"1:LAMIERE:1"_s);

    // A deleted item no longer holds its category.
    ASSERT_TRUE(WarehouseStore::deleteItem(item).value());
    c.button("BtnElimina")->click();
    EXPECT_EQ(c.rows(), u"1:LAMIERE:0"_s);
    EXPECT_EQ(c.grid()->rowCount(), 0);
    // Nothing chosen any more.
    const auto shown = c.dlg.messages.size();
    c.button("BtnRinomina")->click();
    ASSERT_EQ(c.dlg.messages.size(), shown + 1);
    EXPECT_EQ(c.dlg.lastText(), u"Selezionare una CATEGORIA"_s);
    EXPECT_EQ(c.dlg.messages.back().icon, Dialogs::Icon::Exclamation);
}
