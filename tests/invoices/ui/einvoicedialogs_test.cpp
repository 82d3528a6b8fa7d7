#include "../einvoicetest.h"
#include "invoices/einvoicestore.h"
#include "invoices/ui/formfatt.h"
#include "invoices/ui/formregfatt.h"
#include "invoices/ui/frmdatife.h"
#include "scripteddialogs.h"
#include "usergestures.h"
#include "workdir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

using Answer = Dialogs::Answer;

void set(QWidget& w, const char* name, const QString& text)
{
    auto* b = w.findChild<QLineEdit*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->setText(text);
}

void click(QWidget& w, const char* name)
{
    auto* b = w.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

} // namespace

TEST(FrmDatiFe, StoresTheCompanyDataAndRefusesAWrongVatNumber)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmDatiFe f;
    ASSERT_TRUE(f.Carica());
    auto* regime = f.findChild<QComboBox*>(u"ComboRegime"_s);
    EXPECT_TRUE(regime->currentText().startsWith(u"RF01 - Ordinario"_s));
    set(f, "TxtDenominazione", u"Carpenteria Rossi Srl"_s);
    for (const auto& [piva, causale, refusal] : std::vector<std::tuple<QString, QString, QString>>{
             {u"01234567890"_s, u"W"_s, u"Partita IVA dell'azienda non valida"_s},
             {u"IT 01234567897"_s, u"j"_s, u"Causale della ritenuta non valida"_s}}) {
        set(f, "TxtPiva", piva);
        set(f, "TxtCausale", causale);
        click(f, "BtnSalva");
        EXPECT_TRUE(dlg.lastText().contains(refusal)) << dlg.lastText().toStdString();
        EXPECT_EQ(EInvoiceStore::company()->denominazione, QString());
    }
    set(f, "TxtCausale", u"m2"_s);
    set(f, "TxtProvincia", u"bo"_s);
    regime->setCurrentIndex(regime->findData(u"RF19"_s));
    f.findChild<QCheckBox*>(u"ChkPersona"_s)->setChecked(true);
    f.findChild<QCheckBox*>(u"ChkBolloCliente"_s)->setChecked(true);
    click(f, "BtnSalva");
    EXPECT_EQ(dlg.lastText(), u"Dati FATTURA ELETTRONICA salvati con successo"_s);
    const CompanyFiscalData d = EInvoiceStore::company().value();
    EXPECT_EQ(
        std::tuple(d.partitaIva, d.provincia, d.regimeFiscale, d.personaFisica, d.causaleRitenuta, d.bolloACliente),
        std::tuple(u"01234567897"_s, u"BO"_s, u"RF19"_s, true, u"M2"_s, true));
    FrmDatiFe again;
    ASSERT_TRUE(again.Carica());
    EXPECT_TRUE(again.findChild<QComboBox*>(u"ComboRegime"_s)->currentText().startsWith(u"RF19"_s));
}

TEST(EInvoiceSave, XmlButtonsWriteTheStoredInvoiceAskingItsNatura)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    const int anno = QDate::currentDate().year();
    const QString num = u"1"_s + InvoiceRules::suffisso(anno);
    ASSERT_FALSE(
        Database::exec(u"INSERT INTO Anagrafica (Nome, Ragione, Piva, Indirizzo, Cap, Città) "
                       "VALUES ('BERTOLDI', 'Bertoldi Łódź Srl', '12345678903', 'Via Verdi 2', '38100', 'Trento')"_s));
    issue(Invoice{
        num, 1, {}, QDate(anno, 1, 10), dec("100"), 0, {}, false, false, {{1, u"Cancello"_s, dec("1"), dec("100")}}});

    ASSERT_FALSE(EInvoiceStore::saveCompany(company()));
    FormFatt reg;
    Gesture::click(reg.findChild<QTableView*>(u"FGrid"_s), 0);
    dlg.type(u"n6.3"_s);
    dlg.chooseFile(dir.path(u"fe.xml"_s));
    click(reg, "BtnXml");
    ASSERT_EQ(dlg.proposedFiles.size(), 1);
    EXPECT_TRUE(dlg.proposedFiles[0].endsWith(u"/IT01234567897_00001.xml"_s)) << dlg.proposedFiles[0].toStdString();
    // The letters the format cannot hold are told.
    EXPECT_TRUE(dlg.lastText().startsWith(u"FATTURA elettronica salvata con successo\n\n"_s) &&
                dlg.lastText().contains(u"\"Bertoldi Łódź Srl\" → \"Bertoldi Lodz Srl\""_s))
        << dlg.lastText().toStdString();
    EXPECT_EQ(EInvoiceStore::natura(num).value(), u"N6.3"_s);
    EXPECT_TRUE(dir.read(u"fe.xml"_s).contains("<Natura>N6.3</Natura>"));

    // The recalled invoice offers it too, asking whether the file keeps its name: a new one is
    // for a file the exchange system refused.
    FormRegFatt recalled;
    ASSERT_TRUE(recalled.Carica(num, anno));
    QString given = u"00001"_s;
    for (const auto& [answer, file, progressivo] :
         std::vector<std::tuple<Answer, QString, QString>>{{Answer::Yes, u"fe2.xml"_s, u"00001"_s},
                                                           {Answer::No, u"fe3.xml"_s, u"00002"_s},
                                                           {Answer::Yes, u"fe4.xml"_s, u"00002"_s},
                                                           {Answer::Cancel, u"fe5.xml"_s, QString()}}) {
        dlg.answer(answer);
        if (!progressivo.isEmpty())
            dlg.chooseFile(dir.path(file));
        click(recalled, "BtnXml");
        const auto question = std::find_if(dlg.messages.rbegin(), dlg.messages.rend(),
                                           [](const auto& m) { return m.buttons == Dialogs::Buttons::YesNoCancel; });
        ASSERT_NE(question, dlg.messages.rend());
        EXPECT_TRUE(question->text.contains(u"IT01234567897_"_s + given + u".xml"_s)) << question->text.toStdString();
        if (progressivo.isEmpty())
            continue;
        EXPECT_TRUE(dlg.proposedFiles.last().endsWith(u"/IT01234567897_"_s + progressivo + u".xml"_s))
            << dlg.proposedFiles.last().toStdString();
        EXPECT_TRUE(dir.read(file).contains("<ProgressivoInvio>" + progressivo.toUtf8() + "</ProgressivoInvio>"));
        given = progressivo;
    }
    EXPECT_EQ(EInvoiceStore::lastProgressive().value(), 2);
    EXPECT_TRUE(dlg.allAnswersUsed());
}
