#include "../registrytest.h"
#include "registry/ui/frmana.h"
#include "windowtest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kBoxes[] = {"TxtNome", "TxtRag", "TxtRag2",  "TxtPiva", "TxtCf",
                              "TxtInd",  "TxtCap", "TxtCitta", "TxtProv"};
const QStringList kSample =
    u"BRAMBILLA & FIGLI|Brambilla & Figli S.n.c.|di Brambilla Ugo|01234560159|BRMGUO50A01F205X|Via Dante 7|"
    "20900|Monza|MB"_s.split(u'|');

QLineEdit* box(FrmAna& f, const char* name)
{
    return f.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QStringList boxes(FrmAna& f)
{
    QStringList out;
    for (int i = 0; i < 9; ++i)
        out << box(f, kBoxes[i])->text();
    return out;
}

void fill(FrmAna& f, const QStringList& texts, int first = 0)
{
    for (int i = first; i < 9; ++i)
        box(f, kBoxes[i])->setText(texts[i]);
}

// Saves and tells whether the window closed.
bool salva(FrmAna& f)
{
    f.findChild<QPushButton*>(u"BtnSalva"_s)->click();
    return f.result() == QDialog::Accepted;
}

// The columns in the order of kBoxes; a Null column makes the whole row empty.
QStringList stored(qint64 id)
{
    return dbText(u"SELECT Nome || '|' || Ragione || '|' || Ragione2 || '|' || Piva || '|' || Cf || '|' || "
                  "Indirizzo || '|' || Cap || '|' || Città || '|' || Prov FROM Anagrafica WHERE Id = ?"_s,
                  {id})
        .split(u'|');
}

class FrmAnaTest : public WindowTest {};

} // namespace

TEST_F(FrmAnaTest, ExistingCustomerIsWrittenOnlyWhenChangedValidAndNotNamedLikeAnother)
{
    const QStringList& s = kSample;
    CustomerStore::insert({0, s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8]});
    ASSERT_FALSE(Database::exec(u"INSERT INTO Anagrafica (Nome) VALUES ('CITTÀ SRL')"_s));
    FrmAna f;
    ASSERT_TRUE(f.Carica(u"brambilla & figli"_s));
    EXPECT_EQ(f.windowTitle() + u'|' + box(f, "TxtCod")->text(), u"ANAGRAFICA  - brambilla & figli|0001"_s);
    EXPECT_EQ(boxes(f), kSample);
    // Saving unchanged writes nothing and says nothing.
    ASSERT_FALSE(Database::exec(u"UPDATE Anagrafica SET Ragione2 = 'DA FUORI' WHERE Id = 1"_s));
    EXPECT_TRUE(salva(f));
    EXPECT_TRUE(dlg.messages.empty());
    EXPECT_EQ(stored(1)[0] + stored(1)[2], u"BRAMBILLA & FIGLIDA FUORI"_s);

    FrmAna other;
    ASSERT_TRUE(other.Carica(u"CITTÀ SRL"_s));
    // Its own name in another case is fine; the empty company takes the name, Null becomes empty text.
    box(other, "TxtNome")->setText(u"città srl"_s);
    fill(other, kSample, 3);
    EXPECT_TRUE(salva(other));
    EXPECT_EQ(dlg.lastText(), u"CLIENTE modificato con successo"_s);
    EXPECT_EQ(stored(2), QStringList({u"CITTÀ SRL"_s, u"CITTÀ SRL"_s, QString()}) + kSample.mid(3));

    // Deleted while open: reported, not written.
    FrmAna deleted;
    ASSERT_TRUE(deleted.Carica(u"CITTÀ SRL"_s));
    ASSERT_FALSE(Database::exec(u"UPDATE Anagrafica SET Valid = 0"_s));
    box(deleted, "TxtInd")->setText(u"Via Nuova 1"_s);
    EXPECT_TRUE(salva(deleted));
    EXPECT_EQ(dlg.lastText(), u"Errore"_s);
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::None);
    EXPECT_EQ(stored(2)[5], kSample[5]);
    EXPECT_EQ(customerRows(), u"1:BRAMBILLA & FIGLI:0|2:CITTÀ SRL:0"_s);
}

TEST_F(FrmAnaTest, NewCustomerIsStoredWholeWithItsPaymentOrRefusedWithNothingWritten)
{
    const qint64 riba =
        dbText(u"SELECT Id FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60 gg f.m.'"_s).toLongLong();
    const auto payment = [] { return dbRows(u"SELECT * FROM ClientiPagamento"_s); };
    // A new customer with every box of the sample, then these name, company, IBAN, ABI and CAB, and the Ri.Ba. term.
    const auto open = [](FrmAna& f, const QStringList& texts) {
        ASSERT_TRUE(f.Carica(QString()));
        fill(f, kSample);
        for (int i = 0; i < 5; ++i)
            box(f, std::array{"TxtNome", "TxtRag", "TxtIban", "TxtAbi", "TxtCab"}[i])->setText(texts[i]);
        auto* term = f.findChild<QComboBox*>(u"ComboCondizione"_s);
        term->setCurrentIndex(term->findText(u"Ri.Ba. 30/60 gg f.m."_s));
    };
    const QString gialli = u"FERRAMENTA GIALLI"_s;
    const QString rag = kSample[1];
    const QString bad = u"IT61 X054 2811 1010 0000 0123 456"_s;
    const QString impossibile = u"|Impossibile procedere"_s;
    // the boxes typed, the refusal's text|title, the box given the focus
    const std::tuple<QStringList, QString, const char*> refused[] = {
        {{u"   "_s, {}, {}, {}, {}}, u"Inserire NOME|"_s, "TxtNome"},
        {{gialli, rag, bad, {}, {}},
         u"IBAN non valido: \"%1\" (paese, cifre di controllo o lunghezza errati)"_s.arg(bad) + impossibile,
         "TxtIban"},
        {{gialli, rag, {}, u"05428"_s, {}}, u"Codici ABI e CAB: vanno indicati entrambi"_s + impossibile, "TxtCab"}};
    for (const auto& [texts, rifiuto, focus] : refused) {
        SCOPED_TRACE(focus);
        FrmAna f;
        open(f, texts);
        f.show();
        EXPECT_FALSE(salva(f));
        EXPECT_EQ(dlg.lastText() + u'|' + dlg.messages.back().title, rifiuto);
        EXPECT_EQ(f.focusWidget(), box(f, focus));
        EXPECT_EQ(customerRows() + payment(), QString());
    }

    // A write of the payment data that fails takes the new customer back with it.
    failInserts(u"ClientiPagamento"_s, u"NEW.IdAna > 0"_s);
    FrmAna failing;
    open(failing, {gialli, rag, {}, u"05428"_s, u"11101"_s});
    EXPECT_FALSE(salva(failing));
    EXPECT_TRUE(dlg.lastText().contains(u"disco pieno"_s)) << dlg.lastText().toStdString();
    EXPECT_EQ(customerRows(), QString());
    ASSERT_FALSE(Database::exec(Dialect::onServer() ? u"DROP TRIGGER fail_clientipagamento ON ClientiPagamento"_s
                                                    : u"DROP TRIGGER fail_clientipagamento"_s));

    // Without a name the company gives it, upper-cased.
    FrmAna good;
    open(good, {{}, rag, u"it60 x054 2811 1010 0000 0123 456"_s, u"05428"_s, u"11101"_s});
    box(good, "TxtBanca")->setText(u"Banca di Forlì"_s);
    EXPECT_TRUE(salva(good));
    EXPECT_EQ(dlg.lastText(), u"Nuovo CLIENTE inserito con successo"_s);
    const qint64 id = good.codiceSalvato();
    EXPECT_EQ(stored(id), QStringList(u"BRAMBILLA & FIGLI S.N.C."_s) + kSample.mid(1));
    EXPECT_EQ(payment(), u"%1|%2|IT60X0542811101000000123456|05428|11101|Banca di Forlì"_s.arg(id).arg(riba));
    // Recalled as stored; the term emptied is stored as none.
    FrmAna again;
    ASSERT_TRUE(again.Carica(u"BRAMBILLA & FIGLI S.N.C."_s));
    auto* term = again.findChild<QComboBox*>(u"ComboCondizione"_s);
    EXPECT_EQ(term->currentText() + u'|' + box(again, "TxtIban")->text(),
              u"Ri.Ba. 30/60 gg f.m.|IT60X0542811101000000123456"_s);
    term->setCurrentIndex(0);
    EXPECT_TRUE(salva(again));
    EXPECT_EQ(payment(), u"%1|-|IT60X0542811101000000123456|05428|11101|Banca di Forlì"_s.arg(id));
}
