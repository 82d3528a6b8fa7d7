#include "../warehousetest.h"
#include "usergestures.h"
#include "warehouse/ui/formmag.h"
#include "windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

struct List {
    FormMag w;
    QTableWidget* grid = w.findChild<QTableWidget*>(u"FGrid"_s);
    QComboBox* cat = w.findChild<QComboBox*>(u"ComboCat"_s);

    void click(const char* button) { w.findChild<QPushButton*>(QString::fromLatin1(button))->click(); }
    QStringList column(int col) const
    {
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r)
            out << (grid->item(r, col) ? grid->item(r, col)->text() : QString());
        return out;
    }
    // The descriptions and the count as the user sees them: "A,B / 2 articoli".
    QString view() const { return column(3).join(u',') + u" / "_s + w.findChild<QLabel*>(u"LabelN"_s)->text(); }
    void chooseCategory(const QString& name)
    {
        cat->setCurrentIndex(cat->findText(name));
        emit cat->activated(cat->currentIndex());
    }
};

class FormMagTest : public WindowTest {};

} // namespace

TEST_F(FormMagTest, ListsValidItemsFilteredAndRefilledAfterDeletesAndNewItems)
{
    const qint64 viti = addCategory(u"BULLONERIA"_s);
    const qint64 tubi = addCategory(u"TUBOLARI"_s);
    for (const QString& d : {u"Vite 100% inox"_s, u"Vite_M8"_s, u"Dado dell'anno"_s})
        addItem(viti, d);
    addItem(tubi, u"Tubo * zincato"_s, "12.1");
    addItem(tubi, u"Tubo CITTÀ"_s, "6", u"m"_s);
    ASSERT_TRUE(WarehouseStore::deleteItem(addItem(tubi, u"Tubo eliminato"_s)).value());
    List l;
    EXPECT_EQ(l.view().section(u'/', 1), u" 5 articoli"_s);
    l.chooseCategory(u"TUBOLARI"_s);
    EXPECT_EQ(l.view(), u"Tubo * zincato,Tubo CITTÀ / 2 articoli"_s);
    EXPECT_EQ(l.column(1) + l.column(2) + l.column(4) + l.column(5),
              QStringList({u"4"_s, u"5"_s, u"TUBOLARI"_s, u"TUBOLARI"_s, u"Pz"_s, u"m"_s, u"12,1"_s, u"6"_s}));
    // A search inside the chosen category only.
    dlg.type(u"città"_s);
    l.click("BtnRicArt");
    EXPECT_EQ(l.view(), u"Tubo CITTÀ / 1 articolo"_s);
    // Choosing a category drops the search text; the search is taken literally.
    l.chooseCategory(u"BULLONERIA"_s);
    EXPECT_EQ(l.view(), u"Dado dell'anno,Vite 100% inox,Vite_M8 / 3 articoli"_s);
    dlg.type(u"_"_s);
    l.click("BtnRicArt");
    EXPECT_EQ(l.view(), u"Vite_M8 / 1 articolo"_s);
    // Nothing found: the list comes back without the search, the category stays.
    dlg.type(u"*"_s);
    l.click("BtnRicArt");
    EXPECT_EQ(dlg.lastText(), u"Nessun articolo trovato"_s);
    EXPECT_EQ(l.view(), u"Dado dell'anno,Vite 100% inox,Vite_M8 / 3 articoli"_s);

    // The current cell the grid takes with the focus is no choice; deleting asks first.
    const auto deleted = [] { return dbRows(u"SELECT Descrizione FROM Magazzino WHERE Valid = 0 ORDER BY IdArt"_s); };
    ASSERT_TRUE(Gesture::focus(l.grid));
    l.click("BtnEliArt");
    EXPECT_EQ(dlg.lastText(), u"Selezionare un ARTICOLO"_s);
    Gesture::click(l.grid, 0, 3);
    dlg.answer(Dialogs::Answer::No);
    l.click("BtnEliArt");
    EXPECT_EQ(dlg.lastText(), u"Sicuro di voler eliminare l'articolo:\r\n\r\nCategoria: BULLONERIA\r\n"
                              "Descrizione: DADO DELL'ANNO"_s);
    EXPECT_EQ(deleted(), u"Tubo eliminato"_s);
    l.click("BtnEliArt");
    EXPECT_EQ(deleted(), u"Dado dell'anno\nTubo eliminato"_s);
    EXPECT_EQ(l.view(), u"Vite 100% inox,Vite_M8 / 2 articoli"_s);

    // A new item from the editor shows at once.
    dlg.onWindow([](QDialog* w) {
        auto* combo = w->findChild<QComboBox*>(u"ComboCat"_s);
        combo->setCurrentIndex(combo->findText(u"BULLONERIA"_s));
        w->findChild<QLineEdit*>(u"TxtDes"_s)->setText(u"Bullone M8"_s);
        w->findChild<QLineEdit*>(u"TxtQta"_s)->setText(u"4,5"_s);
        w->findChild<QPushButton*>(u"BtnSalva"_s)->click();
        return w->result();
    });
    l.click("BtnInsArt");
    EXPECT_EQ(dlg.lastText(), u"Articolo INSERITO con successo"_s);
    EXPECT_EQ(l.view(), u"Bullone M8,Vite 100% inox,Vite_M8 / 3 articoli"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}
