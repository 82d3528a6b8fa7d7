#include "data/database.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "invoices/ui/formfatt.h"
#include "invoices/ui/formregfatt.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

using Answer = Dialogs::Answer;
using Icon = Dialogs::Icon;

const int kAnno = QDate::currentDate().year();

QString num(int n, int anno = kAnno) {
    return QString::number(n) + InvoiceRules::suffisso(anno);
}

qint64 customer(const QString& nome) {
    Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES (?)"), {nome});
    return Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong();
}

void stored(const QString& number, qint64 idAna, QDate data, const char* totale) {
    Invoice inv;
    inv.num = number;
    inv.idAna = idAna;
    inv.data = data;
    inv.iva = 22;
    inv.totale = Decimal::fromString(QString::fromLatin1(totale)).value();
    inv.rows = {InvoiceRules::rigaVuota(1)};
    ASSERT_FALSE(InvoiceStore::issue(inv));
}

struct Register {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    qint64 rossi = customer(QStringLiteral("ROSSI"));
    qint64 bianchi = customer(QStringLiteral("BIANCHI"));
    qint64 verdi = customer(QStringLiteral("VERDI"));
    std::unique_ptr<FormFatt> frm;

    Register() {
        stored(num(1), rossi, QDate(kAnno, 1, 10), "100.10");
        stored(num(2), bianchi, QDate(kAnno, 2, 10), "0.20");
        stored(num(10), rossi, QDate(kAnno, 3, 10), "1234.56");
        stored(num(7, kAnno - 1), bianchi, QDate(kAnno - 1, 6, 1), "50");
        InvoiceStore::setPaid(num(1), true);
        frm = std::make_unique<FormFatt>();
    }
    template <typename T = QWidget> T* get(const char* name) {
        auto* w = frm->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTableView* grid() { return get<QTableView>("FGrid"); }
    QString cell(int row, int col) { return grid()->model()->index(row, col).data().toString(); }
    QString text(const char* name) { return get<QLineEdit>(name)->text(); }
    QPushButton* button(const char* name) { return get<QPushButton>(name); }
    void select(int row) { emit grid()->clicked(grid()->model()->index(row, 1)); }
};

} // namespace

TEST(FormFatt, ListsTheYearHighestNumberFirstWithSums) {
    Register r;
    EXPECT_EQ(r.get<QLabel>("LabelInt")->text(), QStringLiteral("Fatture %1").arg(kAnno));
    ASSERT_EQ(r.grid()->model()->rowCount(), 3);
    EXPECT_EQ(r.cell(0, 1), num(10));
    EXPECT_EQ(r.cell(1, 1), num(2));
    EXPECT_EQ(r.cell(2, 1), num(1));
    EXPECT_EQ(r.cell(0, 2), QStringLiteral("ROSSI"));
    EXPECT_EQ(r.cell(0, 3), QStringLiteral("10/03/%1").arg(kAnno % 100, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(r.cell(0, 4), QStringLiteral("1.234,56"));
    EXPECT_EQ(r.cell(2, 5), QStringLiteral("X"));
    EXPECT_EQ(r.grid()->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Totale €"));
    EXPECT_EQ(r.get<QLabel>("LblRec")->text(), QStringLiteral("3 fatture"));
    EXPECT_EQ(r.text("TxtIncassato"), QStringLiteral("€ 100,10"));
    EXPECT_EQ(r.text("TxtIncassare"), QStringLiteral("€ 1.234,76"));

    // The filter offers only customers having invoices.
    auto* cli = r.get<QComboBox>("ComboCli");
    ASSERT_EQ(cli->count(), 3);
    EXPECT_EQ(cli->itemText(0), QStringLiteral("Tutti"));
    EXPECT_EQ(cli->itemText(1), QStringLiteral("BIANCHI"));
    cli->setCurrentIndex(1);
    emit cli->activated(1);
    EXPECT_EQ(r.get<QLabel>("LblRec")->text(), QStringLiteral("1 fattura"));
    EXPECT_EQ(r.text("TxtIncassato"), QStringLiteral("€ 0,00"));
    EXPECT_EQ(r.text("TxtIncassare"), QStringLiteral("€ 0,20"));

    // Another year, through the year prompt.
    r.dlg.type(QString::number(kAnno - 1));
    r.button("BtnAnno")->click();
    EXPECT_EQ(r.get<QLabel>("LabelInt")->text(), QStringLiteral("Fatture %1").arg(kAnno - 1));
    ASSERT_EQ(r.grid()->model()->rowCount(), 1);
    EXPECT_EQ(r.cell(0, 1), num(7, kAnno - 1));
    r.dlg.type(QString::number(2001));
    emit cli->activated(0);
    r.button("BtnAnno")->click();
    EXPECT_EQ(r.get<QLabel>("LblRec")->text(), QStringLiteral("0 fatture"));
    EXPECT_EQ(r.text("TxtIncassare"), QStringLiteral("€ 0,00"));
}

TEST(FormFatt, PaymentButtonsFollowThePaidMark) {
    Register r;
    r.button("BtnRegPag")->click();
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Selezionare prima una FATTURA"));
    r.button("BtnRichiama")->click();
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Selezionare prima una FATTURA"));

    r.select(2); // 1/YY, paid
    EXPECT_FALSE(r.button("BtnRegPag")->isEnabled());
    EXPECT_TRUE(r.button("BtnAnnPag")->isEnabled());
    r.select(0); // 10/YY, unpaid
    EXPECT_TRUE(r.button("BtnRegPag")->isEnabled());
    EXPECT_FALSE(r.button("BtnAnnPag")->isEnabled());

    r.dlg.answer(Answer::No);
    r.button("BtnRegPag")->click();
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Fattura N° ") + num(10) + QStringLiteral(" -  ROSSI"));
    EXPECT_EQ(r.dlg.messages.back().title, QStringLiteral("CONFERMA PAGAMENTO"));
    EXPECT_EQ(r.text("TxtIncassato"), QStringLiteral("€ 100,10"));

    r.button("BtnRegPag")->click();
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("REGISTRAZIONE PAGAMENTO effettuata con successo"));
    EXPECT_EQ(r.dlg.messages.back().icon, Icon::Information);
    EXPECT_EQ(r.text("TxtIncassato"), QStringLiteral("€ 1.334,66"));
    EXPECT_EQ(r.text("TxtIncassare"), QStringLiteral("€ 0,20"));
    EXPECT_EQ(r.cell(0, 5), QStringLiteral("X"));
    r.select(0);
    EXPECT_FALSE(r.button("BtnRegPag")->isEnabled());

    r.button("BtnAnnPag")->click();
    EXPECT_EQ(r.dlg.messages[r.dlg.messages.size() - 2].title,
              QStringLiteral("CONFERMA ANNULLAMENTO PAGAMENTO"));
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("PAGAMENTO Annullato con successo"));
    EXPECT_TRUE(Database::scalar(QStringLiteral("SELECT Pagata FROM Fatture WHERE Num = ?"), {num(10)})
                    .value()
                    .isNull());
    EXPECT_EQ(r.text("TxtIncassare"), QStringLiteral("€ 1.234,76"));
}

TEST(FormFatt, APaymentOfAVanishedInvoiceIsNotReportedAsDone) {
    Register r;
    r.select(0);
    InvoiceStore::cancel(num(10));
    r.button("BtnRegPag")->click();
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Errore"));
    EXPECT_FALSE(r.dlg.texts().contains(QStringLiteral("REGISTRAZIONE PAGAMENTO effettuata con successo")));
    EXPECT_EQ(r.grid()->model()->rowCount(), 2);
}

TEST(FormFatt, NewAndRecalledInvoicesOpenTheEditorAndTheListFollows) {
    Register r;
    r.dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->objectName(), QStringLiteral("FormRegFatt"));
        EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("TxtNum"))->text(), num(11));
        stored(num(11), 3, QDate(kAnno, 4, 1), "5");
        return 1;
    });
    r.button("BtnEmetti")->click();
    EXPECT_EQ(r.cell(0, 1), num(11));
    EXPECT_GE(r.get<QComboBox>("ComboCli")->findText(QStringLiteral("VERDI")), 0);

    r.select(2);
    r.dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("TxtNum"))->text(), num(2));
        return 1;
    });
    emit r.grid()->doubleClicked(r.grid()->model()->index(2, 1));
    EXPECT_EQ(r.dlg.windowsShown.size(), 2);
    EXPECT_TRUE(r.dlg.allAnswersUsed());
}
