#include "data/database.h"
#include "scripteddialogs.h"
#include "warehouse/ui/formmag.h"
#include "warehouse/warehousestore.h"
#include "workdir.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

struct List {
    FormMag w;
    QTableWidget* grid = w.findChild<QTableWidget*>(QStringLiteral("FGrid"));
    QComboBox* cat = w.findChild<QComboBox*>(QStringLiteral("ComboCat"));
    QLabel* count = w.findChild<QLabel*>(QStringLiteral("LabelN"));

    QPushButton* button(const char* name) { return w.findChild<QPushButton*>(QString::fromLatin1(name)); }
    QStringList column(int col) const {
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r)
            out << (grid->item(r, col) ? grid->item(r, col)->text() : QString());
        return out;
    }
    void click(const QString& description) {
        const int row = static_cast<int>(column(3).indexOf(description));
        ASSERT_GE(row, 0) << description.toStdString();
        emit grid->cellClicked(row, 3);
    }
    void chooseCategory(const QString& name) {
        const int index = cat->findText(name);
        cat->setCurrentIndex(index);
        emit cat->activated(index);
    }
};

qint64 addItem(qint64 cat, const QString& des, const char* qta = "1") {
    return WarehouseStore::addItem(
               {0, cat, des, QStringLiteral("Pz"), *Decimal::fromString(QString::fromLatin1(qta))})
        .value();
}

int valid(qint64 id) {
    return Database::scalar(QStringLiteral("SELECT Valid FROM Magazzino WHERE IdArt = ?"), {id})
        .value()
        .toInt();
}

} // namespace

TEST(FormMag, ListsValidItemsWithCountsAndColumns) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    {
        List empty;
        EXPECT_EQ(empty.count->text(), QStringLiteral("0 articoli"));
        EXPECT_EQ(empty.w.windowTitle(), QStringLiteral("MAGAZZINO"));
    }
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES ('OFFICINA ROSSI')")));
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("PROFILATI")).value();
    const QString longText = QStringLiteral("Profilo a T 40x40x5 mm in acciaio S275JR laminato a caldo, "
                                            "barre da sei metri, certificato 3.1");
    addItem(cat, longText, "12.1");
    {
        List one;
        EXPECT_EQ(one.w.windowTitle(), QStringLiteral("MAGAZZINO - OFFICINA ROSSI"));
        EXPECT_EQ(one.count->text(), QStringLiteral("1 articolo"));
        EXPECT_EQ(one.column(2), QStringList({"PROFILATI"}));
        EXPECT_EQ(one.column(4), QStringList({"Pz"}));
        EXPECT_EQ(one.column(5), QStringList({"12,1"}));
        EXPECT_TRUE(one.grid->isColumnHidden(1));
        EXPECT_EQ(one.grid->horizontalHeaderItem(5)->text(), QStringLiteral("Quantità"));
        // The full text of a long description is its cell's hover text.
        one.w.show();
        const QRect cell = one.grid->visualItemRect(one.grid->item(0, 3));
        ASSERT_TRUE(cell.isValid());
        QHelpEvent hover(QEvent::ToolTip, cell.center(), one.grid->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(one.grid->viewport(), &hover);
        EXPECT_EQ(QToolTip::text(), longText);
        const QRect category = one.grid->visualItemRect(one.grid->item(0, 2));
        QHelpEvent other(QEvent::ToolTip, category.center(),
                         one.grid->viewport()->mapToGlobal(category.center()));
        QApplication::sendEvent(one.grid->viewport(), &other);
        EXPECT_EQ(QToolTip::text(), QStringLiteral("PROFILATI"));
    }
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Magazzino (IdArt, Cat, Descrizione, Um, Qta) "
                                               "VALUES (32768, ?, 'Trave', 'm', 6)"),
                                {cat}));
    const qint64 gone = addItem(cat, QStringLiteral("Eliminato"));
    ASSERT_TRUE(WarehouseStore::deleteItem(gone).value());
    List two;
    EXPECT_EQ(two.count->text(), QStringLiteral("2 articoli"));
    EXPECT_TRUE(two.column(1).contains(QStringLiteral("32768")));
    EXPECT_FALSE(two.column(3).contains(QStringLiteral("Eliminato")));
}

TEST(FormMag, CategoryFilterAndSearch) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 viti = WarehouseStore::insertCategory(QStringLiteral("BULLONERIA")).value();
    const qint64 tubi = WarehouseStore::insertCategory(QStringLiteral("TUBOLARI")).value();
    addItem(viti, QStringLiteral("Vite 100% inox"));
    addItem(viti, QStringLiteral("Vite_M8"));
    addItem(viti, QStringLiteral("Dado dell'anno"));
    addItem(tubi, QStringLiteral("Tubo * zincato"));
    addItem(tubi, QStringLiteral("Tubo CITTÀ"));
    List l;
    EXPECT_EQ(l.count->text(), QStringLiteral("5 articoli"));

    l.chooseCategory(QStringLiteral("TUBOLARI"));
    EXPECT_EQ(l.column(3), QStringList({"Tubo * zincato", "Tubo CITTÀ"}));

    // A search inside the chosen category only.
    dlg.type(QStringLiteral("città"));
    l.button("BtnRicArt")->click();
    EXPECT_EQ(dlg.prompts.last(), QStringLiteral("Descrizione ?"));
    EXPECT_EQ(dlg.inputDefaults.last(), QString());
    EXPECT_EQ(l.column(3), QStringList({"Tubo CITTÀ"}));
    EXPECT_EQ(l.count->text(), QStringLiteral("1 articolo"));

    // Choosing a category drops the search text.
    l.chooseCategory(QStringLiteral("BULLONERIA"));
    EXPECT_EQ(l.column(3), QStringList({"Dado dell'anno", "Vite 100% inox", "Vite_M8"}));

    // The box offers the previous text; wildcard characters are plain text.
    dlg.type(QStringLiteral("100%"));
    l.button("BtnRicArt")->click();
    EXPECT_EQ(dlg.inputDefaults.last(), QStringLiteral("città"));
    EXPECT_EQ(l.column(3), QStringList({"Vite 100% inox"}));
    dlg.type(QStringLiteral("_"));
    l.button("BtnRicArt")->click();
    EXPECT_EQ(l.column(3), QStringList({"Vite_M8"}));
    dlg.type(QStringLiteral("dell'"));
    l.button("BtnRicArt")->click();
    EXPECT_EQ(l.column(3), QStringList({"Dado dell'anno"}));

    // Nothing found: the list comes back without the search, the category stays.
    const auto shown = dlg.messages.size();
    dlg.type(QStringLiteral("*"));
    l.button("BtnRicArt")->click();
    ASSERT_EQ(dlg.messages.size(), shown + 1);
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Nessun articolo trovato"));
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Information);
    EXPECT_EQ(l.count->text(), QStringLiteral("3 articoli"));

    // Cancel changes nothing but still offers the last text next time.
    dlg.cancelInput();
    l.button("BtnRicArt")->click();
    EXPECT_EQ(dlg.inputDefaults.last(), QStringLiteral("*"));
    EXPECT_EQ(l.count->text(), QStringLiteral("3 articoli"));

    l.button("BtnTutti")->click();
    EXPECT_EQ(l.cat->currentIndex(), -1);
    EXPECT_EQ(l.count->text(), QStringLiteral("5 articoli"));
}

TEST(FormMag, SoftDeleteAsksFirst) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("VERNICI")).value();
    const qint64 keep = addItem(cat, QStringLiteral("Smalto"));
    const qint64 id = addItem(cat, QStringLiteral("Diluente nitro"));
    List l;

    l.button("BtnEliArt")->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Selezionare un ARTICOLO"));
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Information);

    l.click(QStringLiteral("Diluente nitro"));
    dlg.answer(Dialogs::Answer::No);
    l.button("BtnEliArt")->click();
    EXPECT_EQ(dlg.lastText(),
              QStringLiteral("Sicuro di voler eliminare l'articolo:\r\n\r\nCategoria: VERNICI\r\n"
                             "Descrizione: DILUENTE NITRO"));
    EXPECT_EQ(dlg.messages.back().title, QStringLiteral("CONFERMA ELIMINAZIONE"));
    EXPECT_EQ(dlg.messages.back().buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(valid(id), 1);

    l.button("BtnEliArt")->click();
    EXPECT_EQ(valid(id), 0);
    EXPECT_EQ(valid(keep), 1);
    EXPECT_EQ(l.column(3), QStringList({"Smalto"}));
    EXPECT_EQ(l.count->text(), QStringLiteral("1 articolo"));

    // Nothing stays chosen after a delete.
    l.button("BtnEliArt")->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Selezionare un ARTICOLO"));
    EXPECT_EQ(valid(keep), 1);
}

TEST(FormMag, OpensTheItemEditorAndRefills) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("LAMIERE")).value();
    const qint64 id = addItem(cat, QStringLiteral("Lamiera zincata"), "3");
    List l;

    l.button("BtnModArt")->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Selezionare un ARTICOLO"));
    EXPECT_TRUE(dlg.windowsShown.isEmpty());

    // A new item through the editor.
    dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("INSERIMENTO ARTICOLO IN MAGAZZINO"));
        auto* combo = w->findChild<QComboBox*>(QStringLiteral("ComboCat"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("LAMIERE")));
        w->findChild<QLineEdit*>(QStringLiteral("TxtDes"))->setText(QStringLiteral("Lamiera striata"));
        w->findChild<QLineEdit*>(QStringLiteral("TxtQta"))->setText(QStringLiteral("4,5"));
        w->findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
        return w->result();
    });
    l.button("BtnInsArt")->click();
    EXPECT_EQ(dlg.windowsShown, QStringList({"FrmArt"}));
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Articolo INSERITO con successo"));
    EXPECT_EQ(l.column(3), QStringList({"Lamiera striata", "Lamiera zincata"}));
    EXPECT_EQ(l.column(5), QStringList({"4,5", "3"}));

    // A double click opens the item that was clicked.
    dlg.onWindow([id](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("MODIFICA DATI ARTICOLO %1").arg(id, 4, 10, QChar(u'0')));
        w->findChild<QLineEdit*>(QStringLiteral("TxtDes"))->setText(QStringLiteral("Lamiera zincata 8/10"));
        w->findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
        return w->result();
    });
    l.click(QStringLiteral("Lamiera zincata"));
    emit l.grid->cellDoubleClicked(1, 3);
    EXPECT_EQ(dlg.windowsShown.size(), 2);
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Articolo MODIFICATO con successo"));
    EXPECT_EQ(l.column(3), QStringList({"Lamiera striata", "Lamiera zincata 8/10"}));

    // The same item stays chosen after the refill.
    dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("TxtDes"))->text(),
                  QStringLiteral("Lamiera zincata 8/10"));
        return 0;
    });
    l.button("BtnModArt")->click();
    EXPECT_EQ(dlg.windowsShown.size(), 3);
    EXPECT_TRUE(dlg.allAnswersUsed());
}
