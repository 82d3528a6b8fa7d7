#include "data/database.h"
#include "registry/customerstore.h"
#include "printing/ui/formstampa.h"
#include "registry/ui/frmana.h"
#include "shell/appstate.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using Icon = Dialogs::Icon;

struct Editor {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmAna frm;

    QLineEdit* box(const char* name) { return frm.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    void set(const char* name, const QString& text) { box(name)->setText(text); }
    void salva() { frm.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click(); }
    bool closed() const { return frm.result() == QDialog::Accepted; }
};

qint64 add(const Customer& c) {
    return CustomerStore::insert(c).value();
}

Customer sample() {
    Customer c;
    c.nome = QStringLiteral("BRAMBILLA & FIGLI");
    c.ragione = QStringLiteral("Brambilla & Figli S.n.c.");
    c.ragione2 = QStringLiteral("di Brambilla Ugo");
    c.piva = QStringLiteral("01234560159");
    c.cf = QStringLiteral("BRMGUO50A01F205X");
    c.indirizzo = QStringLiteral("Via Dante 7");
    c.cap = QStringLiteral("20900");
    c.citta = QStringLiteral("Monza");
    c.prov = QStringLiteral("MB");
    return c;
}

QString stored(qint64 id, const char* column) {
    return Database::scalar(QStringLiteral("SELECT ") + QString::fromUtf8(column) +
                                QStringLiteral(" FROM Anagrafica WHERE Id = ?"),
                            {id})
        .value()
        .toString();
}

int rows() {
    return Database::scalar(QStringLiteral("SELECT count(*) FROM Anagrafica")).value().toInt();
}

} // namespace

TEST(FrmAna, BoxesHaveTheirLimitsLabelsAndTabOrder) {
    Editor e;
    const std::pair<const char*, int> limits[] = {{"TxtNome", 50},  {"TxtRag", 100}, {"TxtRag2", 100},
                                                  {"TxtPiva", 50},  {"TxtCf", 50},   {"TxtInd", 100},
                                                  {"TxtCitta", 30}, {"TxtCap", 10},  {"TxtProv", 2}};
    for (const auto& [name, limit] : limits) {
        ASSERT_NE(e.box(name), nullptr) << name;
        EXPECT_EQ(e.box(name)->maxLength(), limit) << name;
        EXPECT_FALSE(e.box(name)->accessibleName().isEmpty()) << name;
    }
    EXPECT_TRUE(e.box("TxtCod")->isReadOnly());
    EXPECT_EQ(e.box("TxtCitta")->accessibleName(), QStringLiteral("Città"));
    EXPECT_EQ(e.box("TxtCap")->accessibleName(), QStringLiteral("C.A.P."));
    EXPECT_TRUE(e.box("TxtNome")->font().bold());
    EXPECT_EQ(e.frm.windowTitle(), QStringLiteral("ANAGRAFICA "));

    QStringList labels;
    for (auto* l : e.frm.findChildren<QLabel*>())
        labels << l->text();
    for (const char* l : {"Codice", "Nominativo", "Ragione Sociale", "Partita IVA", "Codice Fiscale",
                          "Via/Piazza", "Città", "C.A.P.", "Provincia"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(l))) << l;

    auto* stampa = e.frm.findChild<QPushButton*>(QStringLiteral("BtnStampa"));
    auto* ant = e.frm.findChild<QPushButton*>(QStringLiteral("BtnAnt"));
    ASSERT_NE(stampa, nullptr);
    ASSERT_NE(ant, nullptr);
    EXPECT_EQ(stampa->text(), QStringLiteral("&STAMPA"));
    EXPECT_EQ(ant->toolTip(), QStringLiteral("Anteprima di Stampa"));
    EXPECT_EQ(ant->accessibleName(), QStringLiteral("Anteprima di Stampa"));

    const QStringList order = {"TxtNome", "TxtRag",     "TxtRag2", "TxtPiva", "TxtCf",
                               "TxtInd",  "TxtCitta",   "TxtCap",  "TxtProv", "BtnStampa",
                               "BtnAnt",  "BtnAnnulla", "BtnSalva"};
    QWidget* w = e.box("TxtNome");
    for (int i = 1; i < order.size(); ++i) {
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        EXPECT_EQ(w->objectName(), order.at(i));
    }
}

TEST(FrmAna, NewCustomerProposesTheNextCodeAndStoresEveryBox) {
    Editor e;
    Customer old;
    old.nome = QStringLiteral("VECCHIO");
    for (int i = 0; i < 12; ++i)
        add(old);
    ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Anagrafica SET Valid = 0")));
    ASSERT_TRUE(e.frm.Carica(QString()));
    EXPECT_EQ(e.box("TxtCod")->text(), QStringLiteral("0013"));
    EXPECT_EQ(e.frm.windowTitle(), QStringLiteral("ANAGRAFICA "));

    const Customer c = sample();
    e.set("TxtNome", QStringLiteral("brambilla & figli"));
    e.set("TxtRag", c.ragione);
    e.set("TxtRag2", c.ragione2);
    e.set("TxtPiva", c.piva);
    e.set("TxtCf", c.cf);
    e.set("TxtInd", c.indirizzo);
    e.set("TxtCitta", c.citta);
    e.set("TxtCap", c.cap);
    e.set("TxtProv", c.prov);
    e.salva();
    EXPECT_TRUE(e.closed());
    EXPECT_EQ(e.dlg.texts(), QStringList{QStringLiteral("Nuovo CLIENTE inserito con successo")});
    const auto found = CustomerStore::findValid(c.nome).value();
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->id, 13);
    EXPECT_EQ(found->ragione2, c.ragione2);
    EXPECT_EQ(found->cf, c.cf);
    EXPECT_EQ(found->indirizzo, c.indirizzo);
    EXPECT_EQ(found->citta, c.citta);
    EXPECT_EQ(found->cap, c.cap);
    EXPECT_EQ(found->prov, c.prov);
}

TEST(FrmAna, NameComesFromCompanyAndCompanyFromName) {
    {
        Editor e;
        ASSERT_TRUE(e.frm.Carica(QString()));
        e.set("TxtRag", QStringLiteral("Carpenteria dell'Olmo"));
        e.salva();
        EXPECT_TRUE(e.closed());
        EXPECT_EQ(stored(1, "Nome"), QStringLiteral("CARPENTERIA DELL'OLMO"));
        EXPECT_EQ(stored(1, "Ragione"), QStringLiteral("Carpenteria dell'Olmo"));
    }
    Editor e;
    ASSERT_TRUE(e.frm.Carica(QString()));
    EXPECT_EQ(e.box("TxtCod")->text(), QStringLiteral("0001"));
    e.set("TxtNome", QStringLiteral("GALLI"));
    e.salva();
    EXPECT_EQ(stored(1, "Ragione"), QStringLiteral("GALLI"));
    EXPECT_EQ(stored(1, "Ragione2"), QString());
    EXPECT_FALSE(Database::scalar(QStringLiteral("SELECT Ragione2 FROM Anagrafica")).value().isNull());
}

TEST(FrmAna, EmptyNameIsRefusedAndTheWindowStaysOpen) {
    Editor e;
    ASSERT_TRUE(e.frm.Carica(QString()));
    e.set("TxtPiva", QStringLiteral("01234567890"));
    e.set("TxtNome", QStringLiteral("   "));
    e.salva();
    EXPECT_FALSE(e.closed());
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Inserire NOME"));
    EXPECT_EQ(e.dlg.messages.back().icon, Icon::Exclamation);
    EXPECT_EQ(e.dlg.messages.back().title, QString());
    EXPECT_EQ(e.box("TxtPiva")->text(), QStringLiteral("01234567890"));
    EXPECT_EQ(rows(), 0);
}

TEST(FrmAna, LeavingTheNameUpperCasesIt) {
    Editor e;
    ASSERT_TRUE(e.frm.Carica(QString()));
    e.set("TxtNome", QStringLiteral("fonderia città"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(e.box("TxtNome"), &out);
    EXPECT_EQ(e.box("TxtNome")->text(), QStringLiteral("FONDERIA CITTÀ"));
    EXPECT_EQ(rows(), 0);
}

TEST(FrmAna, ExistingCustomerLoadsAndSavesOnlyWhenChanged) {
    Editor e;
    const qint64 id = add(sample());
    ASSERT_TRUE(e.frm.Carica(QStringLiteral("brambilla & figli")));
    EXPECT_EQ(e.frm.windowTitle(), QStringLiteral("ANAGRAFICA  - brambilla & figli"));
    EXPECT_EQ(e.box("TxtCod")->text(), QStringLiteral("0001"));
    EXPECT_EQ(e.box("TxtNome")->text(), QStringLiteral("BRAMBILLA & FIGLI"));
    EXPECT_EQ(e.box("TxtRag2")->text(), QStringLiteral("di Brambilla Ugo"));
    EXPECT_EQ(e.box("TxtProv")->text(), QStringLiteral("MB"));
    ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Anagrafica SET Ragione2 = 'CAMBIATO DA FUORI'")));
    // Saving unchanged writes nothing and says nothing.
    e.salva();
    EXPECT_TRUE(e.closed());
    EXPECT_TRUE(e.dlg.messages.empty());
    EXPECT_EQ(stored(id, "Ragione2"), QStringLiteral("CAMBIATO DA FUORI"));

    // Saving under its own name is not a duplicate.
    FrmAna again;
    ASSERT_TRUE(again.Carica(QStringLiteral("BRAMBILLA & FIGLI")));
    again.findChild<QLineEdit*>(QStringLiteral("TxtCap"))->setText(QStringLiteral("20052"));
    again.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("CLIENTE modificato con successo"));
    EXPECT_EQ(stored(id, "Cap"), QStringLiteral("20052"));
    EXPECT_EQ(stored(id, "Ragione2"), QStringLiteral("CAMBIATO DA FUORI"));
    EXPECT_EQ(rows(), 1);
}

TEST(FrmAna, NullColumnsLoadAsEmptyBoxes) {
    Editor e;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES ('SOLO NOME')")));
    ASSERT_TRUE(e.frm.Carica(QStringLiteral("SOLO NOME")));
    EXPECT_TRUE(e.box("TxtCitta")->text().isEmpty());
    e.salva();
    // The empty company takes the name, which is a change worth storing.
    EXPECT_EQ(stored(1, "Ragione"), QStringLiteral("SOLO NOME"));
    EXPECT_EQ(stored(1, "Città"), QString());
    EXPECT_FALSE(Database::scalar(QStringLiteral("SELECT Città FROM Anagrafica")).value().isNull());
}

TEST(FrmAna, TakingAnotherCustomersNameIsRefused) {
    Editor e;
    add(sample());
    Customer c;
    c.nome = QStringLiteral("CITTÀ SRL");
    const qint64 id = add(c);
    ASSERT_TRUE(e.frm.Carica(QStringLiteral("CITTÀ SRL")));
    e.set("TxtNome", QStringLiteral("Brambilla & Figli"));
    e.salva();
    EXPECT_FALSE(e.closed());
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Nominativo 'BRAMBILLA & FIGLI' gia esistente"));
    EXPECT_EQ(e.dlg.messages.back().icon, Icon::Critical);
    EXPECT_EQ(stored(id, "Nome"), QStringLiteral("CITTÀ SRL"));
    // Another case of its own accented name is fine.
    e.set("TxtNome", QStringLiteral("città srl"));
    e.salva();
    EXPECT_TRUE(e.closed());
    EXPECT_EQ(stored(id, "Nome"), QStringLiteral("CITTÀ SRL"));
}

TEST(FrmAna, MissingCustomerIsReportedAndTheWindowClosesItself) {
    Editor e;
    EXPECT_FALSE(e.frm.Carica(QStringLiteral("NESSUNO")));
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Errore durante l'apertura"));
    EXPECT_EQ(e.dlg.messages.back().icon, Icon::Critical);
    EXPECT_TRUE(e.box("TxtCod")->text().isEmpty());
    e.frm.show();
    QApplication::processEvents();
    EXPECT_FALSE(e.frm.isVisible());
    EXPECT_EQ(e.frm.result(), QDialog::Rejected);
}

TEST(FrmAna, CustomerDeletedWhileOpenIsNotWritten) {
    Editor e;
    const qint64 id = add(sample());
    ASSERT_TRUE(e.frm.Carica(QStringLiteral("BRAMBILLA & FIGLI")));
    ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Anagrafica SET Valid = 0")));
    e.set("TxtInd", QStringLiteral("Via Nuova 1"));
    e.salva();
    EXPECT_TRUE(e.closed());
    EXPECT_EQ(e.dlg.lastText(), QStringLiteral("Errore"));
    EXPECT_EQ(e.dlg.messages.back().icon, Icon::None);
    EXPECT_EQ(e.dlg.messages.back().buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(stored(id, "Indirizzo"), QStringLiteral("Via Dante 7"));
}

TEST(FrmAna, CancelWritesNothing) {
    Editor e;
    add(sample());
    ASSERT_TRUE(e.frm.Carica(QStringLiteral("BRAMBILLA & FIGLI")));
    e.set("TxtNome", QStringLiteral("ALTRO"));
    e.frm.findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->click();
    EXPECT_EQ(e.frm.result(), QDialog::Rejected);
    EXPECT_TRUE(e.dlg.messages.empty());
    EXPECT_EQ(stored(1, "Nome"), QStringLiteral("BRAMBILLA & FIGLI"));
}

TEST(FrmAna, FocusFrameSurroundsTheFocusedBox) {
    Editor e;
    ASSERT_TRUE(e.frm.Carica(QString()));
    auto* shape = e.frm.findChild<QFrame*>(QStringLiteral("Shape1"));
    ASSERT_NE(shape, nullptr);
    e.frm.show();
    for (const char* name : {"TxtCitta", "TxtProv"}) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(e.box(name), &in);
        const QRect r(e.box(name)->mapTo(&e.frm, QPoint(0, 0)), e.box(name)->size());
        EXPECT_TRUE(shape->geometry().contains(r)) << name;
        EXPECT_GT(shape->width(), r.width());
    }
    e.frm.hide();
}

namespace {

TEST(FrmAna, SheetButtonsPreviewAndPrintWhatTheBoxesShow) {
    Editor e;
    ASSERT_TRUE(e.frm.Carica(QString()));
    e.set("TxtNome", QStringLiteral("OFFICINA L'INCUDINE"));
    e.set("TxtCitta", QStringLiteral("Forlì"));
    std::vector<Page> previewed;
    e.dlg.onWindow([&](QDialog* w) {
        if (auto* sheet = qobject_cast<FormStampa*>(w))
            previewed = sheet->pages();
        return 0;
    });
    e.frm.findChild<QPushButton*>(QStringLiteral("BtnAnt"))->click();
    EXPECT_EQ(e.dlg.windowsShown, QStringList{QStringLiteral("FormStampa")});
    ASSERT_EQ(previewed.size(), 1u);

    // Printing on the program's PDF printer writes the same sheet to the chosen file.
    app().stampantePdf = QStringLiteral("CutePDF Writer");
    app().stampantePredefinita = app().stampantePdf;
    const QString file = e.dir.path(QStringLiteral("scheda.pdf"));
    e.dlg.chooseFile(file);
    e.frm.findChild<QPushButton*>(QStringLiteral("BtnStampa"))->click();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("OFFICINA L'INCUDINE"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Forlì"))) << out.toStdString();
}

} // namespace
