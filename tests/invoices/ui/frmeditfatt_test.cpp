#include "data/database.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "invoices/ui/frmeditfatt.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QComboBox>
#include <QDate>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const int kAnno = QDate::currentDate().year();

qint64 customer(const QString& nome, int valid = 1) {
    Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Valid) VALUES (?, ?)"), {nome, valid});
    return Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong();
}

void stored(const QString& number, qint64 idAna, QDate data) {
    Invoice inv;
    inv.num = number;
    inv.idAna = idAna;
    inv.data = data;
    inv.totale = Decimal(10);
    inv.rows = {InvoiceRules::rigaVuota(1),
                InvoiceRow{2, QStringLiteral("Cancello"), Decimal(), Decimal(10)}};
    ASSERT_FALSE(InvoiceStore::issue(inv));
}

} // namespace

TEST(FrmEditFatt, MovesAnInvoiceOfThisYearToAnotherCustomer) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 rossi = customer(QStringLiteral("ROSSI"));
    const qint64 zeta = customer(QStringLiteral("ZETA"), 0);
    const QString suf = InvoiceRules::suffisso(kAnno);
    stored(QStringLiteral("10") + suf, rossi, QDate(kAnno, 3, 1));
    stored(QStringLiteral("9") + suf, rossi, QDate(kAnno, 2, 1));
    stored(QStringLiteral("4") + InvoiceRules::suffisso(kAnno - 1), rossi, QDate(kAnno - 1, 2, 1));

    FrmEditFatt frm;
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Cambia intestazione Fatture"));
    auto* fatt = frm.findChild<QComboBox*>(QStringLiteral("ComboFatt"));
    auto* nome = frm.findChild<QComboBox*>(QStringLiteral("ComboNome"));
    auto* salva = frm.findChild<QPushButton*>(QStringLiteral("BtnSalva"));
    ASSERT_TRUE(fatt && nome && salva);
    EXPECT_EQ(frm.findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->text(), QStringLiteral("&Annulla"));
    // This year's invoices in number order; every customer, deleted ones too.
    ASSERT_EQ(fatt->count(), 2);
    EXPECT_EQ(fatt->itemText(0), QStringLiteral("9") + suf);
    EXPECT_EQ(fatt->itemText(1), QStringLiteral("10") + suf);
    ASSERT_EQ(nome->count(), 2);
    EXPECT_EQ(nome->itemText(1), QStringLiteral("ZETA"));
    EXPECT_EQ(fatt->accessibleName(), QStringLiteral("Seleziona Fattura"));

    salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Selezionare FATTURA"));
    EXPECT_EQ(dlg.messages.back().title, QStringLiteral("AVVISO"));
    fatt->setCurrentIndex(1);
    salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Selezionare CLIENTE"));
    nome->setCurrentIndex(1);
    salva->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Modifica effettuata con successo"));
    EXPECT_EQ(frm.result(), QDialog::Accepted);
    EXPECT_EQ(InvoiceStore::load(QStringLiteral("10") + suf).value()->idAna, zeta);
    // Nothing else of the invoices changes.
    EXPECT_EQ(InvoiceStore::load(QStringLiteral("10") + suf).value()->rows.size(), 2);
    EXPECT_EQ(InvoiceStore::load(QStringLiteral("9") + suf).value()->idAna, rossi);
}

TEST(FrmEditFatt, AnInvoiceGoneMeanwhileIsReportedAndTheDialogStays) {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 rossi = customer(QStringLiteral("ROSSI"));
    const QString n = QStringLiteral("1") + InvoiceRules::suffisso(kAnno);
    stored(n, rossi, QDate(kAnno, 3, 1));
    FrmEditFatt frm;
    frm.findChild<QComboBox*>(QStringLiteral("ComboFatt"))->setCurrentIndex(0);
    frm.findChild<QComboBox*>(QStringLiteral("ComboNome"))->setCurrentIndex(0);
    InvoiceStore::cancel(n);
    frm.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Errore durante la modifica"));
    EXPECT_EQ(frm.result(), 0);
}
