#include "data/database.h"
#include "scripteddialogs.h"
#include "warehouse/ui/frmart.h"
#include "warehouse/warehousestore.h"
#include "workdir.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Editor {
    FrmArt w;
    QComboBox* cat = w.findChild<QComboBox*>(QStringLiteral("ComboCat"));
    QLineEdit* des = w.findChild<QLineEdit*>(QStringLiteral("TxtDes"));
    QComboBox* um = w.findChild<QComboBox*>(QStringLiteral("ComboUm"));
    QLineEdit* qta = w.findChild<QLineEdit*>(QStringLiteral("TxtQta"));
    QPushButton* add = w.findChild<QPushButton*>(QStringLiteral("BtnAdd"));
    QPushButton* sub = w.findChild<QPushButton*>(QStringLiteral("BtnSub"));
    QPushButton* salva = w.findChild<QPushButton*>(QStringLiteral("BtnSalva"));
    QPushButton* insCat = w.findChild<QPushButton*>(QStringLiteral("BtnInsCat"));

    void chooseCategory(const QString& name) { cat->setCurrentIndex(cat->findText(name)); }
    void clickQuantity() {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), qta->mapToGlobal(QPointF(2, 2)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(qta, &press);
    }
};

Decimal dec(const char* text) {
    return *Decimal::fromString(QString::fromLatin1(text));
}

qint64 addItem(qint64 cat, const QString& des, const char* qta, const QString& um = QStringLiteral("Pz")) {
    return WarehouseStore::addItem({0, cat, des, um, dec(qta)}).value();
}

QVariant value(const QString& sql, std::initializer_list<QVariant> values = {}) {
    return Database::scalar(sql, values).value();
}

Decimal storedQta(qint64 id) {
    return Decimal::fromDouble(
        value(QStringLiteral("SELECT Qta FROM Magazzino WHERE IdArt = ?"), {id}).toDouble());
}

} // namespace

TEST(FrmArt, NewItemIsCheckedInOrderThenSaved) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 tub = WarehouseStore::insertCategory(QStringLiteral("TUBOLARI")).value();
    addItem(tub, QStringLiteral("Tubo città"), "1", QStringLiteral("m"));
    Editor e;
    e.w.CaricaArt(0);
    EXPECT_EQ(e.w.windowTitle(), QStringLiteral("INSERIMENTO ARTICOLO IN MAGAZZINO"));
    EXPECT_EQ(e.um->currentText(), QStringLiteral("Pz"));
    EXPECT_EQ(e.um->count(), 1); // "m", the unit in use
    EXPECT_FALSE(e.add->isEnabled());
    EXPECT_FALSE(e.sub->isEnabled());
    EXPECT_EQ(e.cat->currentIndex(), -1);

    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Selezionare una CATEGORIA"));
    e.chooseCategory(QStringLiteral("TUBOLARI"));
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Inserire una DESCRIZIONE"));
    e.des->setText(QStringLiteral("TUBO CITTÀ"));
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Articolo 'TUBO CITTÀ' gia esistente"));
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Critical);
    e.des->setText(QStringLiteral("Tubo 50% l'uno_*"));
    e.um->setEditText(QString());
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Inserire o Selezionare UNITA' DI MISURA"));
    e.um->setEditText(QStringLiteral("m"));
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Inserire QUANTITA'"));
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM Magazzino")).toInt(), 1);
    EXPECT_EQ(dlg.messages.size(), 5u);

    dlg.type(QStringLiteral("2.5"));
    e.clickQuantity();
    EXPECT_EQ(dlg.prompts.last(), QStringLiteral("Inserire nuova QUANTITA':"));
    EXPECT_EQ(dlg.inputDefaults.last(), QStringLiteral("0"));
    EXPECT_EQ(e.qta->text(), QStringLiteral("2,5"));

    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Articolo INSERITO con successo"));
    EXPECT_EQ(e.w.result(), QDialog::Accepted);
    const auto rows = WarehouseStore::stockList(0, QStringLiteral("l'uno_*"));
    ASSERT_EQ(rows->size(), 1);
    EXPECT_EQ(rows->at(0).descrizione, QStringLiteral("Tubo 50% l'uno_*"));
    EXPECT_EQ(rows->at(0).um, QStringLiteral("m"));
    EXPECT_EQ(rows->at(0).qta, dec("2.5"));
}

TEST(FrmArt, NewItemReusesTheFirstDeletedRow) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("VERNICI")).value();
    addItem(cat, QStringLiteral("Smalto"), "1");
    const qint64 old = addItem(cat, QStringLiteral("Diluente"), "4");
    addItem(cat, QStringLiteral("Antiruggine"), "1");
    ASSERT_TRUE(WarehouseStore::deleteItem(old).value());

    Editor e;
    e.w.CaricaArt(0);
    e.chooseCategory(QStringLiteral("VERNICI"));
    // The description of a deleted item is free again.
    e.des->setText(QStringLiteral("Diluente"));
    dlg.type(QStringLiteral("7"));
    e.clickQuantity();
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Articolo INSERITO con successo"));
    EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM Magazzino")).toInt(), 3);
    EXPECT_EQ(value(QStringLiteral("SELECT Valid FROM Magazzino WHERE IdArt = ?"), {old}).toInt(), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT Um FROM Magazzino WHERE IdArt = ?"), {old}).toString(),
              QStringLiteral("Pz"));
    EXPECT_EQ(storedQta(old), Decimal(7));
}

TEST(FrmArt, LoadAndUnloadUseExactDecimals) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("PROFILATI")).value();
    const qint64 id = addItem(cat, QStringLiteral("Piatto 40x5"), "12", QStringLiteral("m"));
    Editor e;
    e.w.CaricaArt(id);
    EXPECT_EQ(e.w.windowTitle(),
              QStringLiteral("MODIFICA DATI ARTICOLO ") + QStringLiteral("%1").arg(id, 4, 10, QChar(u'0')));
    EXPECT_EQ(e.cat->currentText(), QStringLiteral("PROFILATI"));
    EXPECT_EQ(e.des->text(), QStringLiteral("Piatto 40x5"));
    EXPECT_EQ(e.qta->text(), QStringLiteral("12"));
    EXPECT_TRUE(e.add->isEnabled());

    dlg.type(QStringLiteral("0,1"));
    e.add->click();
    EXPECT_EQ(dlg.prompts.last(), QStringLiteral("Quantità da aggiungere ?"));
    EXPECT_EQ(e.qta->text(), QStringLiteral("12,1"));
    dlg.type(QStringLiteral("1.000"));
    e.add->click();
    EXPECT_EQ(e.qta->text(), QStringLiteral("13,1"));

    dlg.type(QStringLiteral("-1"));
    e.add->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Valore non valido"));
    dlg.type(QStringLiteral("due"));
    e.add->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Tipo non corrispondente"));
    EXPECT_TRUE(dlg.messages.back().title.isEmpty());
    dlg.type(QStringLiteral("13,2"));
    e.sub->click();
    EXPECT_EQ(dlg.prompts.last(), QStringLiteral("Quantità da scalare ?"));
    EXPECT_EQ(dlg.lastText(), QStringLiteral("QTA' > della QTA' disponibile"));
    EXPECT_EQ(dlg.messages.back().title, QStringLiteral("Impossibile procedere"));
    dlg.type(QStringLiteral("-0,1"));
    e.sub->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Valore non valido"));
    EXPECT_EQ(e.qta->text(), QStringLiteral("13,1"));

    dlg.type(QStringLiteral("1"));
    e.sub->click();
    EXPECT_EQ(e.qta->text(), QStringLiteral("12,1"));
    // Nothing is written until "SALVA".
    EXPECT_EQ(storedQta(id), Decimal(12));
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Articolo MODIFICATO con successo"));
    EXPECT_EQ(storedQta(id), dec("12.1"));

    Editor again;
    again.w.CaricaArt(id);
    EXPECT_EQ(again.qta->text(), QStringLiteral("12,1"));
    dlg.type(QStringLiteral("12,1"));
    again.sub->click();
    EXPECT_EQ(again.qta->text(), QStringLiteral("0"));
}

TEST(FrmArt, UnloadingATenthFromATenthLeavesZero) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("C")).value();
    const qint64 id = addItem(cat, QStringLiteral("Vite"), "0.1");
    Editor e;
    e.w.CaricaArt(id);
    EXPECT_EQ(e.qta->text(), QStringLiteral("0,1"));
    dlg.type(QStringLiteral("0.1"));
    e.sub->click();
    EXPECT_EQ(e.qta->text(), QStringLiteral("0"));
    e.salva->click();
    EXPECT_EQ(value(QStringLiteral("SELECT Qta FROM Magazzino WHERE IdArt = ?"), {id}).toDouble(), 0.0);
}

TEST(FrmArt, QuantityDialogTakesAnyNumberFromClickOrKey) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("C")).value();
    const qint64 id = addItem(cat, QStringLiteral("Dado"), "5");
    Editor e;
    e.w.CaricaArt(id);

    dlg.type(QStringLiteral("-2,5"));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    QApplication::sendEvent(e.qta, &key);
    EXPECT_EQ(dlg.inputDefaults.last(), QStringLiteral("5"));
    EXPECT_EQ(e.qta->text(), QStringLiteral("-2,5"));

    // Tab keeps moving between controls.
    const auto prompts = dlg.prompts.size();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(e.qta, &tab);
    EXPECT_EQ(dlg.prompts.size(), prompts);

    dlg.type(QStringLiteral("1,5,2"));
    e.clickQuantity();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Tipo non corrispondente"));
    EXPECT_EQ(dlg.messages.back().title, QStringLiteral("Errore 13"));
    EXPECT_EQ(e.qta->text(), QStringLiteral("-2,5"));
    dlg.cancelInput();
    e.clickQuantity();
    EXPECT_EQ(e.qta->text(), QStringLiteral("-2,5"));
    e.salva->click();
    EXPECT_EQ(storedQta(id), dec("-2.5"));
}

TEST(FrmArt, UnchangedItemClosesWithoutWriting) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("C")).value();
    const qint64 id = addItem(cat, QStringLiteral("Dado"), "5");
    Editor e;
    e.w.CaricaArt(id);
    // Changed behind the window: an unchanged save must not overwrite it.
    ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Magazzino SET Qta = 9 WHERE IdArt = ?"), {id}));
    e.salva->click();
    EXPECT_TRUE(dlg.messages.empty());
    EXPECT_EQ(e.w.result(), QDialog::Accepted);
    EXPECT_EQ(storedQta(id), Decimal(9));
}

TEST(FrmArt, MissingItemsAreReported) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("C")).value();
    const qint64 id = addItem(cat, QStringLiteral("Dado"), "5");
    {
        Editor e;
        e.w.CaricaArt(id + 1);
        EXPECT_EQ(dlg.lastText(), QStringLiteral("Errore durante il caricamento dati"));
        EXPECT_TRUE(e.des->text().isEmpty());
    }
    Editor e;
    e.w.CaricaArt(id);
    e.des->setText(QStringLiteral("Dado M8"));
    ASSERT_TRUE(WarehouseStore::deleteItem(id).value());
    e.salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Errore"));
    EXPECT_EQ(value(QStringLiteral("SELECT Descrizione FROM Magazzino WHERE IdArt = ?"), {id}).toString(),
              QStringLiteral("Dado"));
}

TEST(FrmArt, NewCategoryOnTheSpot) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("LAMIERE")).value();
    const qint64 id = addItem(cat, QStringLiteral("Lamiera"), "5");
    {
        // An existing item keeps its category.
        Editor e;
        e.w.CaricaArt(id);
        dlg.type(QStringLiteral("alluminio e leghe leggere per carpenteria"));
        e.insCat->click();
        EXPECT_EQ(e.cat->count(), 2);
        EXPECT_EQ(e.cat->currentText(), QStringLiteral("LAMIERE"));
        dlg.type(QStringLiteral("lamiere"));
        e.insCat->click();
        EXPECT_EQ(dlg.lastText(), QStringLiteral("Categoria LAMIERE già esistente"));
        EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Exclamation);
        e.salva->click();
        EXPECT_TRUE(dlg.messages.size() == 1u);
        EXPECT_EQ(value(QStringLiteral("SELECT Cat FROM Magazzino WHERE IdArt = ?"), {id}).toLongLong(), cat);
    }
    EXPECT_EQ(value(QStringLiteral("SELECT Nome FROM Categorie WHERE Nome LIKE 'ALL%'")).toString(),
              QStringLiteral("ALLUMINIO E LEGHE LEGGERE PER "));

    // A new item takes the new category.
    Editor e;
    e.w.CaricaArt(0);
    dlg.type(QStringLiteral("l'ottone"));
    e.insCat->click();
    EXPECT_EQ(e.cat->currentText(), QStringLiteral("L'OTTONE"));
    e.des->setText(QStringLiteral("Barra"));
    dlg.type(QStringLiteral("3"));
    e.clickQuantity();
    e.salva->click();
    EXPECT_EQ(value(QStringLiteral("SELECT C.Nome FROM Magazzino M JOIN Categorie C ON C.IdCat = M.Cat "
                                   "WHERE M.Descrizione = 'Barra'"))
                  .toString(),
              QStringLiteral("L'OTTONE"));
}

TEST(FrmArt, ItemBeyondSixteenBitsShowsItsDigits) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("C")).value();
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Magazzino (IdArt, Cat, Descrizione, Um, Qta) "
                                               "VALUES (32768, ?, 'Trave', 'm', 6)"),
                                {cat}));
    Editor e;
    e.w.CaricaArt(32768);
    EXPECT_EQ(e.w.windowTitle(), QStringLiteral("MODIFICA DATI ARTICOLO 32768"));
    EXPECT_EQ(e.des->text(), QStringLiteral("Trave"));
    e.des->setText(QStringLiteral("Trave IPE"));
    e.salva->click();
    EXPECT_EQ(value(QStringLiteral("SELECT Descrizione FROM Magazzino WHERE IdArt = 32768")).toString(),
              QStringLiteral("Trave IPE"));
}
