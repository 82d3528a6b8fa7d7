#include "../ddttest.h"
#include "currentseries.h"
#include "ddt/ui/formddt.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

TEST(FormDdtTest, DeferredInvoiceOfTheChosenDdts)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const qint64 rossi = addCustomer(u"ROSSI"_s);
    issueDdt(num(1), addCustomer(u"BIANCHI"_s), QDate(kAnno, 1, 5));
    issueDdt(num(2), rossi, QDate(kAnno, 1, 10));
    issueDdt(num(10), rossi, QDate(kAnno, 3, 10));
    FormDdt frm;
    auto* fattura = frm.findChild<QPushButton*>(u"BtnFattura"_s);
    fattura->click();
    EXPECT_EQ(dlg.lastText(), u"Selezionare un CLIENTE"_s);
    auto* cli = frm.findChild<QComboBox*>(u"ComboCli"_s);
    cli->activated(cli->findText(u"ROSSI"_s));

    // All offered and ticked, lowest number first; the invoice's rows come from the DDTs left ticked.
    // Invoice `number` of the DDTs offered with `untick` unticked, `meanwhile` done while it is open.
    QStringList offered;
    QString rows;
    const auto invoice = [&](const char* untick, const QString& number, std::function<void()> meanwhile) {
        dlg.onWindow([&offered, untick](QDialog* w) {
            offered.clear();
            for (auto* c : w->findChildren<QCheckBox*>())
                offered << c->accessibleName() + (c->isChecked() ? u"+"_s : u"-"_s);
            if (untick)
                w->findChild<QCheckBox*>(QString::fromLatin1(untick))->setChecked(false);
            w->findChild<QPushButton*>(u"BtnFattura"_s)->click();
            return w->result();
        });
        dlg.onWindow([&rows, number, meanwhile](QDialog* w) {
            rows = gridText(w->findChild<QTableWidget*>(u"FGrid"_s)->model());
            meanwhile();
            w->findChild<QComboBox*>(u"ComboIva"_s)->setEditText(u"22"_s);
            w->findChild<QLineEdit*>(u"TxtNum"_s)->setText(number);
            w->findChild<QPushButton*>(u"BtnEmetti"_s)->click();
            return w->result();
        });
        fattura->click();
    };
    const auto heading = [](int n, QDate d) { return u"DDT n. %1 del %2"_s.arg(num(n), d.toString(u"dd/MM/yyyy"_s)); };
    const QString d2 = heading(2, QDate(kAnno, 1, 10));
    const QString d10 = heading(10, QDate(kAnno, 3, 10));
    invoice("ChkDdt1", num(1), [] {});
    EXPECT_EQ(offered, (QStringList{d2 + u'+', d10 + u'+'}));
    EXPECT_EQ(rows, u"%1||||1\nCancello|2|||2"_s.arg(d2));
    EXPECT_EQ(dbRows(u"SELECT NumDdt, NumFattura FROM FattureDdt"_s), u"%1|%2"_s.arg(num(2), num(1)));

    // Never offered again; taken by another invoice while this one is open, it is refused.
    invoice(nullptr, num(3),
            [&] { EXPECT_FALSE(InvoiceStore::issue(sampleInvoice(num(2), rossi, QDate(kAnno, 3, 31)), {num(10)})); });
    EXPECT_EQ(offered, QStringList{d10 + u'+'});
    EXPECT_EQ(
        dlg.lastText(),
        u"Il DDT %1 è già stato fatturato con la fattura %2: la fattura non è stata emessa."_s.arg(num(10), num(2)));
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture WHERE Num = ?"_s, {num(3)}), u"0"_s);
    fattura->click();
    EXPECT_EQ(dlg.lastText(), u"Nessun DDT da fatturare per questo cliente nel %1"_s.arg(kAnno));
}
