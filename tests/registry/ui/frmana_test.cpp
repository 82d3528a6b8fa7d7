#include "../registrytest.h"
#include "registry/ui/frmana.h"
#include "windowtest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Icon = Dialogs::Icon;

const char* const kBoxes[] = {"TxtNome", "TxtRag", "TxtRag2",  "TxtPiva", "TxtCf",
                              "TxtInd",  "TxtCap", "TxtCitta", "TxtProv"};
const QStringList kSample =
    u"BRAMBILLA & FIGLI|Brambilla & Figli S.n.c.|di Brambilla Ugo|01234560159|BRMGUO50A01F205X|Via Dante 7|"
    "20900|Monza|MB"_s.split(u'|');

QLineEdit* box(FrmAna& f, const char* name)
{
    return f.findChild<QLineEdit*>(QString::fromLatin1(name));
}

// The boxes from `first` on, in the order of kBoxes.
QStringList boxes(FrmAna& f, int first = 0)
{
    QStringList out;
    for (int i = first; i < 9; ++i)
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

void addSample()
{
    const QStringList& s = kSample;
    CustomerStore::insert({0, s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8]});
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

TEST_F(FrmAnaTest, NewCustomerIsCheckedUpperCasedAndStoredWithEveryBox)
{
    const QString taken = u"OFFICINE MECCANICHE E CARPENTERIE METALLICHE RIUNI"_s;
    addCustomer(taken);
    FrmAna f;
    ASSERT_TRUE(f.Carica(QString()));
    fill(f, kSample, 2);
    box(f, "TxtNome")->setText(u"   "_s);
    EXPECT_FALSE(salva(f));
    EXPECT_EQ(dlg.lastText(), u"Inserire NOME"_s);
    EXPECT_EQ(dlg.messages.back().icon, Icon::Exclamation);
    EXPECT_EQ(boxes(f, 2), kSample.mid(2));

    // Without a name the company gives it, cut as its box shows it before the duplicate check.
    box(f, "TxtNome")->clear();
    box(f, "TxtRag")->setText(u"Officine Meccaniche e Carpenterie Metalliche Riunite di Brambilla Ugo & Figli"_s);
    EXPECT_FALSE(salva(f));
    EXPECT_EQ(box(f, "TxtNome")->text(), taken);
    box(f, "TxtNome")->clear();
    box(f, "TxtRag")->setText(kSample[1]);
    EXPECT_TRUE(salva(f));
    EXPECT_EQ(dlg.texts(), QStringList({u"Inserire NOME"_s, u"Nominativo '"_s + taken + u"' gia esistente"_s,
                                        u"Nuovo CLIENTE inserito con successo"_s}));
    EXPECT_EQ(stored(2), QStringList(u"BRAMBILLA & FIGLI S.N.C."_s) + kSample.mid(1));
}

TEST_F(FrmAnaTest, ExistingCustomerIsWrittenOnlyWhenChangedValidAndNotNamedLikeAnother)
{
    addSample();
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
    EXPECT_EQ(dlg.messages.back().icon, Icon::None);
    EXPECT_EQ(stored(2)[5], kSample[5]);
    EXPECT_EQ(customerRows(), u"1:BRAMBILLA & FIGLI:0|2:CITTÀ SRL:0"_s);
}

TEST_F(FrmAnaTest, PaymentTermAndBankAreStoredWithTheCustomerOrRefusedWithNothingWritten)
{
    const qint64 riba =
        dbText(u"SELECT Id FROM CondizioniPagamento WHERE Descrizione = 'Ri.Ba. 30/60 gg f.m.'"_s).toLongLong();
    const auto payment = [] { return dbRows(u"SELECT * FROM ClientiPagamento"_s); };
    const auto open = [](FrmAna& f, const QString& iban, const QString& abi, const QString& cab) {
        ASSERT_TRUE(f.Carica(QString()));
        box(f, "TxtNome")->setText(u"FERRAMENTA GIALLI"_s);
        box(f, "TxtIban")->setText(iban);
        box(f, "TxtAbi")->setText(abi);
        box(f, "TxtCab")->setText(cab);
        auto* term = f.findChild<QComboBox*>(u"ComboCondizione"_s);
        term->setCurrentIndex(term->findText(u"Ri.Ba. 30/60 gg f.m."_s));
    };
    const struct {
        const char* name;
        QString iban, abi, cab;
        QString rifiuto;
        const char* focus;
    } refused[] = {
        {"IBAN con le cifre di controllo errate",
         u"IT61 X054 2811 1010 0000 0123 456"_s,
         {},
         {},
         u"IBAN non valido: \"IT61 X054 2811 1010 0000 0123 456\" (paese, cifre di controllo o lunghezza errati)"_s,
         "TxtIban"},
        {"ABI senza CAB", {}, u"05428"_s, {}, u"Codici ABI e CAB: vanno indicati entrambi"_s, "TxtCab"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        FrmAna f;
        open(f, c.iban, c.abi, c.cab);
        f.show();
        EXPECT_FALSE(salva(f));
        EXPECT_EQ(dlg.lastText() + u'|' + dlg.messages.back().title, c.rifiuto + u"|Impossibile procedere"_s);
        EXPECT_EQ(f.focusWidget(), box(f, c.focus));
        EXPECT_EQ(customerRows(), QString());
        EXPECT_EQ(payment(), QString());
    }

    // A write of the payment data that fails takes the new customer back with it.
    failInserts(u"ClientiPagamento"_s, u"NEW.IdAna > 0"_s);
    FrmAna failing;
    open(failing, {}, u"05428"_s, u"11101"_s);
    EXPECT_FALSE(salva(failing));
    EXPECT_TRUE(dlg.lastText().contains(u"disco pieno"_s)) << dlg.lastText().toStdString();
    EXPECT_EQ(customerRows(), QString());
    ASSERT_FALSE(Database::exec(Dialect::onServer() ? u"DROP TRIGGER fail_clientipagamento ON ClientiPagamento"_s
                                                    : u"DROP TRIGGER fail_clientipagamento"_s));

    FrmAna good;
    open(good, u"it60 x054 2811 1010 0000 0123 456"_s, u"05428"_s, u"11101"_s);
    box(good, "TxtBanca")->setText(u"Banca di Forlì"_s);
    EXPECT_TRUE(salva(good));
    const qint64 id = good.codiceSalvato();
    EXPECT_EQ(payment(), u"%1|%2|IT60X0542811101000000123456|05428|11101|Banca di Forlì"_s.arg(id).arg(riba));
    // Recalled as stored; the term emptied is stored as none.
    FrmAna again;
    ASSERT_TRUE(again.Carica(u"FERRAMENTA GIALLI"_s));
    auto* term = again.findChild<QComboBox*>(u"ComboCondizione"_s);
    EXPECT_EQ(term->currentText() + u'|' + box(again, "TxtIban")->text(),
              u"Ri.Ba. 30/60 gg f.m.|IT60X0542811101000000123456"_s);
    term->setCurrentIndex(0);
    EXPECT_TRUE(salva(again));
    EXPECT_EQ(payment(), u"%1|-|IT60X0542811101000000123456|05428|11101|Banca di Forlì"_s.arg(id));
}
