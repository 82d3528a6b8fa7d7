#include "data/database.h"
#include "scripteddialogs.h"
#include "warehouse/ui/frmimpcat.h"
#include "warehouse/warehousestore.h"
#include "workdir.h"

#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

QStringList column(QTableWidget* grid, int col) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << (grid->item(r, col) ? grid->item(r, col)->text() : QString());
    return out;
}

QStringList validNames() {
    const auto categories = WarehouseStore::categories();
    QStringList out;
    for (const auto& c : categories.value())
        out << c.nome;
    return out;
}

void clickRow(QTableWidget* grid, const QString& name) {
    const int row = static_cast<int>(column(grid, 1).indexOf(name));
    ASSERT_GE(row, 0) << name.toStdString();
    emit grid->cellClicked(row, 1);
}

int count(const QString& sql) {
    return Database::scalar(sql).value().toInt();
}

} // namespace

TEST(FrmImpCat, InsertsUpperCasedNamesCutTo30AndRefusesDuplicates) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmImpCat w;
    auto* grid = w.findChild<QTableWidget*>(QStringLiteral("FGrid"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Impostazione CATEGORIE MAGAZZINO"));
    EXPECT_FALSE(button(&w, "BtnRinomina")->isEnabled());
    EXPECT_FALSE(button(&w, "BtnElimina")->isEnabled());

    dlg.type(QStringLiteral("tubolari"));
    button(&w, "BtnInserisci")->click();
    EXPECT_EQ(dlg.prompts.last(), QStringLiteral("Nome CATEGORIA ?"));
    EXPECT_EQ(validNames(), QStringList({"TUBOLARI"}));
    EXPECT_EQ(column(grid, 1), QStringList({"TUBOLARI"}));
    EXPECT_EQ(column(grid, 2), QStringList({"01"}));

    dlg.type(QStringLiteral("l'acciaio inossidabile lucido e satinato"));
    button(&w, "BtnInserisci")->click();
    EXPECT_TRUE(validNames().contains(QStringLiteral("L'ACCIAIO INOSSIDABILE LUCIDO ")));

    // Case and accents do not make a new name.
    dlg.type(QStringLiteral("Città"));
    button(&w, "BtnInserisci")->click();
    dlg.type(QStringLiteral("CITTÀ"));
    button(&w, "BtnInserisci")->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Categoria CITTÀ già esistente"));
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Critical);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Categorie")), 3);

    // Cancel and an empty answer write nothing.
    dlg.cancelInput();
    button(&w, "BtnInserisci")->click();
    dlg.type(QString());
    button(&w, "BtnInserisci")->click();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Categorie")), 3);
    EXPECT_EQ(grid->rowCount(), 3);
}

TEST(FrmImpCat, IdsShowTwoDigitsAndGrow) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    for (int id : {9, 10, 100, 32768})
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Categorie (IdCat, Nome) VALUES (?, ?)"),
                                    {id, QStringLiteral("C%1").arg(id)}));
    FrmImpCat w;
    auto* grid = w.findChild<QTableWidget*>(QStringLiteral("FGrid"));
    EXPECT_EQ(column(grid, 1), QStringList({"C10", "C100", "C32768", "C9"}));
    EXPECT_EQ(column(grid, 2), QStringList({"10", "100", "32768", "09"}));
}

TEST(FrmImpCat, RenamesTheChosenCategory) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 id = WarehouseStore::insertCategory(QStringLiteral("DELL'ARTE")).value();
    WarehouseStore::insertCategory(QStringLiteral("VERNICI"));
    FrmImpCat w;
    auto* grid = w.findChild<QTableWidget*>(QStringLiteral("FGrid"));

    clickRow(grid, QStringLiteral("DELL'ARTE"));
    EXPECT_TRUE(button(&w, "BtnRinomina")->isEnabled());
    EXPECT_TRUE(button(&w, "BtnElimina")->isEnabled());

    // The unchanged name counts as already there.
    dlg.type(QStringLiteral("dell'arte"));
    button(&w, "BtnRinomina")->click();
    EXPECT_EQ(dlg.inputDefaults.last(), QStringLiteral("DELL'ARTE"));
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Categoria DELL'ARTE già esistente"));

    dlg.type(QStringLiteral("vernici"));
    button(&w, "BtnRinomina")->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Categoria VERNICI già esistente"));

    dlg.type(QStringLiteral("arte 50% l'una"));
    button(&w, "BtnRinomina")->click();
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Nome FROM Categorie WHERE IdCat = ?"), {id})
                  .value()
                  .toString(),
              QStringLiteral("ARTE 50% L'UNA"));
    EXPECT_EQ(column(grid, 1), QStringList({"ARTE 50% L'UNA", "VERNICI"}));

    // The same category stays chosen after the list is sorted again.
    dlg.type(QStringLiteral("zinco"));
    button(&w, "BtnRinomina")->click();
    EXPECT_EQ(dlg.inputDefaults.last(), QStringLiteral("ARTE 50% L'UNA"));
    EXPECT_EQ(validNames(), QStringList({"VERNICI", "ZINCO"}));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Categorie")), 2);
}

TEST(FrmImpCat, DeleteIsRefusedWhileValidItemsUseTheCategory) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 cat = WarehouseStore::insertCategory(QStringLiteral("LAMIERE")).value();
    const qint64 item =
        WarehouseStore::addItem({0, cat, QStringLiteral("Lamiera"), QStringLiteral("Pz"), Decimal(1)})
            .value();
    FrmImpCat w;
    auto* grid = w.findChild<QTableWidget*>(QStringLiteral("FGrid"));
    clickRow(grid, QStringLiteral("LAMIERE"));

    dlg.answer(Dialogs::Answer::No);
    button(&w, "BtnElimina")->click();
    EXPECT_EQ(dlg.messages.back().text, QStringLiteral("Categoria LAMIERE"));
    EXPECT_EQ(dlg.messages.back().title, QStringLiteral("CONFERMA ELIMINAZIONE"));
    EXPECT_EQ(dlg.messages.back().buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(count(QStringLiteral("SELECT Valid FROM Categorie")), 1);

    button(&w, "BtnElimina")->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("La CATEGORIA contiene degli Articoli"));
    EXPECT_EQ(dlg.messages.back().title, QStringLiteral("Impossibile eliminare la CATEGORIA"));
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Information);
    EXPECT_EQ(count(QStringLiteral("SELECT Valid FROM Categorie")), 1);

    // A deleted item no longer holds its category.
    ASSERT_TRUE(WarehouseStore::deleteItem(item).value());
    button(&w, "BtnElimina")->click();
    EXPECT_EQ(count(QStringLiteral("SELECT Valid FROM Categorie")), 0);
    EXPECT_EQ(grid->rowCount(), 0);

    // Nothing chosen any more.
    const auto shown = dlg.messages.size();
    button(&w, "BtnRinomina")->click();
    ASSERT_EQ(dlg.messages.size(), shown + 1);
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Selezionare una CATEGORIA"));
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Exclamation);
}
