#include "../warehousetest.h"
#include "usergestures.h"
#include "warehouse/ui/formmag.h"
#include "windowtest.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>

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
    void choose(const QString& description)
    {
        const int row = static_cast<int>(column(3).indexOf(description));
        ASSERT_GE(row, 0) << description.toStdString();
        Gesture::click(grid, row, 3);
    }
    void chooseCategory(const QString& name)
    {
        cat->setCurrentIndex(cat->findText(name));
        emit cat->activated(cat->currentIndex());
    }
    QString hoverText(int row, int col)
    {
        const QPoint at = grid->visualItemRect(grid->item(row, col)).center();
        QHelpEvent hover(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &hover);
        return QToolTip::text();
    }
};

class FormMagTest : public WindowTest {};

} // namespace

TEST_F(FormMagTest, ListsValidItemsWithTheirColumnsAndCount)
{
    {
        List empty;
        EXPECT_EQ(empty.view() + u'|' + empty.w.windowTitle(),
                  u" / 0 articoli|MAGAZZINO - Carpenteria metallica e serramenti"_s);
    }
    ASSERT_FALSE(Database::exec(u"INSERT INTO Azienda (Riga1) VALUES ('OFFICINA ROSSI')"_s));
    const qint64 cat = addCategory(u"PROFILATI"_s);
    const QString longText = u"Profilo a T 40x40x5 mm in acciaio S275JR laminato a caldo, barre da sei metri, "
                             "certificato 3.1"_s;
    addItem(cat, longText, "12.1");
    ASSERT_FALSE(Database::exec(u"INSERT INTO Magazzino (IdArt, Cat, Descrizione, Um, Qta) VALUES (32768, ?, 'Trave', "
                                "'m', 6)"_s,
                                {cat}));
    followKeys(u"Magazzino"_s, u"IdArt"_s);
    ASSERT_TRUE(WarehouseStore::deleteItem(addItem(cat, u"Eliminato"_s)).value());
    List l;
    EXPECT_EQ(l.w.windowTitle(), u"MAGAZZINO - OFFICINA ROSSI"_s);
    EXPECT_EQ(l.view(), longText + u",Trave / 2 articoli"_s);
    EXPECT_EQ(l.column(1) + l.column(2) + l.column(4) + l.column(5),
              QStringList({u"1"_s, u"32768"_s, u"PROFILATI"_s, u"PROFILATI"_s, u"Pz"_s, u"m"_s, u"12,1"_s, u"6"_s}));
    EXPECT_TRUE(l.grid->isColumnHidden(1));
    // Quantities are numbers: right-aligned.
    for (int r = 0; r < 2; ++r)
        EXPECT_EQ(l.grid->item(r, 5)->textAlignment(), Qt::AlignRight | Qt::AlignVCenter);
    // The full text of a long description is its cell's hover text.
    l.w.show();
    EXPECT_EQ(l.hoverText(0, 3), longText);
    EXPECT_EQ(l.hoverText(0, 2), u"PROFILATI"_s);
}

TEST_F(FormMagTest, CategoryFilterAndSearchStayAcrossRefills)
{
    const qint64 viti = addCategory(u"BULLONERIA"_s);
    const qint64 tubi = addCategory(u"TUBOLARI"_s);
    for (const QString& d : {u"Vite 100% inox"_s, u"Vite_M8"_s, u"Dado dell'anno"_s})
        addItem(viti, d);
    addItem(tubi, u"Tubo * zincato"_s);
    addItem(tubi, u"Tubo CITTÀ"_s);
    List l;
    l.chooseCategory(u"TUBOLARI"_s);
    EXPECT_EQ(l.view(), u"Tubo * zincato,Tubo CITTÀ / 2 articoli"_s);
    // A search inside the chosen category only.
    dlg.type(u"città"_s);
    l.click("BtnRicArt");
    EXPECT_EQ(dlg.prompts.last() + u'|' + dlg.inputDefaults.last(), u"Descrizione ?|"_s);
    EXPECT_EQ(l.view(), u"Tubo CITTÀ / 1 articolo"_s);
    // Choosing a category drops the search text; the box offers the previous one, taken literally.
    l.chooseCategory(u"BULLONERIA"_s);
    EXPECT_EQ(l.view(), u"Dado dell'anno,Vite 100% inox,Vite_M8 / 3 articoli"_s);
    dlg.type(u"_"_s);
    l.click("BtnRicArt");
    EXPECT_EQ(dlg.inputDefaults.last(), u"città"_s);
    EXPECT_EQ(l.view(), u"Vite_M8 / 1 articolo"_s);
    // An item changed elsewhere shows on the next refill, still within the filters.
    ASSERT_FALSE(Database::exec(u"UPDATE Magazzino SET Descrizione = 'Vite_M10' WHERE IdArt = 2"_s));
    l.w.riempiGriglia();
    EXPECT_EQ(l.view(), u"Vite_M10 / 1 articolo"_s);

    // Nothing found: the list comes back without the search, the category stays.
    dlg.type(u"*"_s);
    l.click("BtnRicArt");
    EXPECT_EQ(dlg.lastText(), u"Nessun articolo trovato"_s);
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Information);
    EXPECT_EQ(l.view(), u"Dado dell'anno,Vite 100% inox,Vite_M10 / 3 articoli"_s);
    // Cancel changes nothing but still offers the last text next time.
    dlg.cancelInput();
    l.click("BtnRicArt");
    dlg.cancelInput();
    l.click("BtnRicArt");
    EXPECT_EQ(dlg.inputDefaults.last(), u"*"_s);
    EXPECT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(l.view(), u"Dado dell'anno,Vite 100% inox,Vite_M10 / 3 articoli"_s);
    l.click("BtnTutti");
    EXPECT_EQ(l.cat->currentIndex(), -1);
    EXPECT_EQ(l.view().section(u'/', 1), u" 5 articoli"_s);
}

TEST_F(FormMagTest, DeleteAsksFirstAndEditorChangesRefillTheList)
{
    const qint64 cat = addCategory(u"LAMIERE"_s);
    addItem(cat, u"Lamiera zincata"_s, "3");
    addItem(cat, u"Diluente nitro"_s);
    List l;
    // The current cell the grid takes with the focus is no choice; neither is a double click off the rows.
    ASSERT_TRUE(Gesture::focus(l.grid));
    for (const char* button : {"BtnModArt", "BtnEliArt"})
        l.click(button);
    Gesture::doubleClick(l.grid->viewport(), QPoint(5, l.grid->viewport()->height() - 5));
    EXPECT_EQ(dlg.texts(), QStringList(3, u"Selezionare un ARTICOLO"_s));
    EXPECT_TRUE(dlg.windowsShown.isEmpty());

    l.choose(u"Diluente nitro"_s);
    dlg.answer(Dialogs::Answer::No);
    l.click("BtnEliArt");
    EXPECT_EQ(dlg.lastText(), u"Sicuro di voler eliminare l'articolo:\r\n\r\nCategoria: LAMIERE\r\n"
                              "Descrizione: DILUENTE NITRO"_s);
    EXPECT_EQ(dlg.messages.back().title, u"CONFERMA ELIMINAZIONE"_s);
    EXPECT_EQ(dlg.messages.back().buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(itemRows(), u"1:1:Lamiera zincata:Pz:3.0:1|2:1:Diluente nitro:Pz:1.0:1"_s);
    l.click("BtnEliArt");
    EXPECT_EQ(itemRows(), u"1:1:Lamiera zincata:Pz:3.0:1|2:1:Diluente nitro:Pz:1.0:0"_s);
    EXPECT_EQ(l.view(), u"Lamiera zincata / 1 articolo"_s);
    // Nothing stays chosen after a delete.
    l.click("BtnEliArt");
    EXPECT_EQ(dlg.lastText(), u"Selezionare un ARTICOLO"_s);

    // The editor: a new item takes over the deleted row; a double click opens the item clicked,
    // which stays chosen after the refill.
    QStringList seen;
    auto edit = [&](QDialog* w) {
        auto* des = w->findChild<QLineEdit*>(u"TxtDes"_s);
        seen << w->windowTitle() + u'|' + des->text();
        if (des->text().isEmpty()) {
            auto* combo = w->findChild<QComboBox*>(u"ComboCat"_s);
            combo->setCurrentIndex(combo->findText(u"LAMIERE"_s));
            w->findChild<QLineEdit*>(u"TxtQta"_s)->setText(u"4,5"_s);
        }
        des->setText(seen.size() == 1 ? u"Lamiera striata"_s : u"Lamiera zincata 8/10"_s);
        w->findChild<QPushButton*>(u"BtnSalva"_s)->click();
        return w->result();
    };
    for (int i = 0; i < 3; ++i)
        dlg.onWindow(edit);
    l.click("BtnInsArt");
    EXPECT_EQ(dlg.lastText(), u"Articolo INSERITO con successo"_s);
    EXPECT_EQ(l.column(5), QStringList({u"4,5"_s, u"3"_s}));
    EXPECT_EQ(itemRows(), u"1:1:Lamiera zincata:Pz:3.0:1|2:1:Lamiera striata:Pz:4.5:1"_s);
    Gesture::doubleClick(l.grid->viewport(), Gesture::cell(l.grid, 1, 3));
    EXPECT_EQ(dlg.lastText(), u"Articolo MODIFICATO con successo"_s);
    l.click("BtnModArt");
    EXPECT_EQ(seen,
              QStringList({u"INSERIMENTO ARTICOLO IN MAGAZZINO|"_s, u"MODIFICA DATI ARTICOLO 0001|Lamiera zincata"_s,
                           u"MODIFICA DATI ARTICOLO 0001|Lamiera zincata 8/10"_s}));
    EXPECT_EQ(l.view(), u"Lamiera striata,Lamiera zincata 8/10 / 2 articoli"_s);
    EXPECT_TRUE(dlg.allAnswersUsed());
}
