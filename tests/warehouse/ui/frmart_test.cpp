#include "../warehousetest.h"
#include "warehouse/ui/frmart.h"
#include "windowtest.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

struct Editor {
    FrmArt w;
    QComboBox* cat = w.findChild<QComboBox*>(u"ComboCat"_s);
    QLineEdit* des = w.findChild<QLineEdit*>(u"TxtDes"_s);
    QComboBox* um = w.findChild<QComboBox*>(u"ComboUm"_s);
    QLineEdit* qta = w.findChild<QLineEdit*>(u"TxtQta"_s);
    QPushButton* add = w.findChild<QPushButton*>(u"BtnAdd"_s);
    QPushButton* sub = w.findChild<QPushButton*>(u"BtnSub"_s);
    QPushButton* salva = w.findChild<QPushButton*>(u"BtnSalva"_s);
    QPushButton* insCat = w.findChild<QPushButton*>(u"BtnInsCat"_s);

    explicit Editor(qint64 id) { w.CaricaArt(id); }
    void clickQuantity()
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), qta->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(qta, &press);
    }
};

class FrmArtTest : public WindowTest {};

} // namespace

TEST_F(FrmArtTest, NewItemIsCheckedInOrderThenSavedIntoTheFirstDeletedRow)
{
    const qint64 tub = addCategory(u"TUBOLARI"_s);
    addItem(tub, u"Tubo città"_s, "1", u"m"_s);
    ASSERT_TRUE(WarehouseStore::deleteItem(addItem(tub, u"Tubo 50% l'uno_*"_s, "4", u"l"_s)).value());
    Editor e(0);
    EXPECT_EQ(e.w.windowTitle(), u"INSERIMENTO ARTICOLO IN MAGAZZINO"_s);
    // "m", the only unit in use, is offered; "Pz" proposed.
    EXPECT_EQ(e.um->currentText() + u'|' + e.um->itemText(0) + u'|' + QString::number(e.um->count()), u"Pz|m|1"_s);
    EXPECT_FALSE(e.add->isEnabled() || e.sub->isEnabled());
    EXPECT_EQ(e.cat->currentIndex(), -1);

    e.salva->click();
    e.cat->setCurrentIndex(e.cat->findText(u"TUBOLARI"_s));
    e.des->setText(u"  "_s); // blanks count as empty
    e.salva->click();
    e.des->setText(u"TUBO CITTÀ"_s);
    e.salva->click();
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Critical);
    // The description of a deleted item is free again.
    e.des->setText(u"Tubo 50% l'uno_*"_s);
    e.um->setEditText(u" "_s);
    e.salva->click();
    e.um->setEditText(u"m"_s);
    e.salva->click();
    EXPECT_EQ(dlg.texts(), QStringList({u"Selezionare una CATEGORIA"_s, u"Inserire una DESCRIZIONE"_s,
                                        u"Articolo 'TUBO CITTÀ' gia esistente"_s,
                                        u"Inserire o Selezionare UNITA' DI MISURA"_s, u"Inserire QUANTITA'"_s}));
    EXPECT_EQ(itemRows(), u"1:1:Tubo città:m:1.0:1|2:1:Tubo 50% l'uno_*:l:4.0:0"_s);

    // A category made on the spot is the new item's.
    dlg.type(u"l'ottone"_s);
    e.insCat->click();
    EXPECT_EQ(e.cat->currentText(), u"L'OTTONE"_s);
    dlg.type(u"2.5"_s);
    e.clickQuantity();
    EXPECT_EQ(dlg.prompts.last() + u'|' + dlg.inputDefaults.last(), u"Inserire nuova QUANTITA':|0"_s);
    EXPECT_EQ(e.qta->text(), u"2,5"_s);
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), u"Articolo INSERITO con successo"_s);
    EXPECT_EQ(e.w.result(), QDialog::Accepted);
    EXPECT_EQ(itemRows(), u"1:1:Tubo città:m:1.0:1|2:2:Tubo 50% l'uno_*:m:2.5:1"_s);
    EXPECT_EQ(categoryRows(), u"1:TUBOLARI:1|2:L'OTTONE:1"_s);
}

TEST_F(FrmArtTest, MovesAreExactAndStoredOnSaveOnlyWhenChangedAndStillValid)
{
    // Codes past 16 bits keep all their digits.
    ASSERT_FALSE(Database::exec(u"INSERT INTO Magazzino (IdArt, Cat, Descrizione, Um, Qta) VALUES (32768, ?, "
                                "'Piatto 40x5', 'm', 12)"_s,
                                {addCategory(u"PROFILATI"_s)}));
    followKeys(u"Magazzino"_s, u"IdArt"_s);
    Editor e(32768);
    EXPECT_EQ(e.w.windowTitle() + u'|' + e.cat->currentText() + u'|' + e.des->text() + u'|' + e.um->currentText() +
                  u'|' + e.qta->text(),
              u"MODIFICA DATI ARTICOLO 32768|PROFILATI|Piatto 40x5|m|12"_s);

    // typed amount, button -> the box afterwards
    const std::tuple<QString, QPushButton*, QString> moves[] = {
        {u"0,1"_s, e.add, u"12,1"_s}, {u"1.000"_s, e.add, u"13,1"_s}, {u"-1"_s, e.add, u"13,1"_s},
        {u"due"_s, e.add, u"13,1"_s}, {u"13,2"_s, e.sub, u"13,1"_s},  {u"-0,1"_s, e.sub, u"13,1"_s},
        {u"1"_s, e.sub, u"12,1"_s}};
    for (const auto& [typed, button, after] : moves) {
        dlg.type(typed);
        button->click();
        EXPECT_EQ(e.qta->text(), after) << typed.toStdString();
    }
    QStringList said;
    for (const auto& m : dlg.messages)
        said << m.text + u'/' + m.title;
    EXPECT_EQ(said, QStringList({u"Valore non valido/"_s, u"Tipo non corrispondente/"_s,
                                 u"QTA' > della QTA' disponibile/Impossibile procedere"_s, u"Valore non valido/"_s}));
    // Nothing is written until "SALVA".
    EXPECT_EQ(itemRows(), u"32768:1:Piatto 40x5:m:12.0:1"_s);
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), u"Articolo MODIFICATO con successo"_s);
    EXPECT_EQ(itemRows(), u"32768:1:Piatto 40x5:m:12.1:1"_s);

    // Changed behind the window: an unchanged save must not overwrite it.
    dlg.messages.clear();
    Editor unchanged(32768);
    ASSERT_FALSE(Database::exec(u"UPDATE Magazzino SET Qta = 9"_s));
    unchanged.salva->click();
    EXPECT_EQ(unchanged.w.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.messages.empty());
    // Deleted while open: reported, not written.
    Editor deleted(32768);
    deleted.des->setText(u"Piatto 40x6"_s);
    ASSERT_TRUE(WarehouseStore::deleteItem(32768).value());
    deleted.salva->click();
    EXPECT_EQ(dlg.texts(), QStringList(u"Errore"_s));
    EXPECT_EQ(itemRows(), u"32768:1:Piatto 40x5:m:9.0:0"_s);
}
