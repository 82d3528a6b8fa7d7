#include "data/database.h"
#include "registry/customerstore.h"
#include "registry/ui/formana.h"
#include "registry/ui/frmana.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <gtest/gtest.h>

namespace {

using Icon = Dialogs::Icon;

struct Registry {
    TestWorkDir dir;
    ScriptedDialogs dlg;
};

qint64 add(const QString& nome) {
    Customer c;
    c.nome = nome;
    return CustomerStore::insert(c).value();
}

QListView* list(FormAna& f) {
    return f.findChild<QListView*>(QStringLiteral("List1"));
}

QStringList shown(FormAna& f) {
    QStringList out;
    for (int i = 0; i < list(f)->model()->rowCount(); ++i)
        out << list(f)->model()->index(i, 0).data().toString();
    return out;
}

QModelIndex row(FormAna& f, const QString& nome) {
    const auto found =
        list(f)->model()->match(list(f)->model()->index(0, 0), Qt::DisplayRole, nome, -1, Qt::MatchExactly);
    EXPECT_EQ(found.size(), 1) << nome.toStdString();
    return found.value(0);
}

QString count(FormAna& f) {
    return f.findChild<QLabel*>(QStringLiteral("LblN"))->text();
}

void click(QWidget& w, const QString& name) {
    auto* b = w.findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name.toStdString();
    b->click();
}

void select(FormAna& f, const QString& nome) {
    list(f)->setCurrentIndex(row(f, nome));
}

QLineEdit* box(QDialog* w, const char* name) {
    return w->findChild<QLineEdit*>(QString::fromLatin1(name));
}

// Types into the editor and saves; returns the editor's result.
std::function<int(QDialog*)> typeAndSave(std::vector<std::pair<const char*, QString>> fields) {
    return [fields](QDialog* w) {
        for (const auto& [name, text] : fields)
            box(w, name)->setText(text);
        w->findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
        return w->result();
    };
}

int validCount(const QString& nome) {
    return Database::scalar(QStringLiteral("SELECT count(*) FROM Anagrafica WHERE Valid = 1 AND Nome = ?"),
                            {nome})
        .value()
        .toInt();
}

int rows() {
    return Database::scalar(QStringLiteral("SELECT count(*) FROM Anagrafica")).value().toInt();
}

} // namespace

TEST(FormAna, ShowsItsControlsAndCountsTheCustomers) {
    Registry r;
    {
        FormAna f;
        EXPECT_EQ(f.objectName(), QStringLiteral("FormAna"));
        EXPECT_EQ(f.windowTitle(), QStringLiteral("ANAGRAFICA"));
        EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("LabelInt"))->text(), QStringLiteral("Anagrafica"));
        EXPECT_EQ(count(f), QStringLiteral("0 clienti"));
        EXPECT_TRUE(shown(f).isEmpty());
        EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("Btn0"))->text(), QStringLiteral("A"));
        EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("Btn16"))->text(), QStringLiteral("WX"));
        EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("BtnElenco"))->text(),
                  QStringLiteral("E&lenco completo"));
        EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("BtnElenco"))->accessibleName(),
                  QStringLiteral("Elenco completo"));
        EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("BtnNuovo"))->text(),
                  QStringLiteral("&NUOVO CLIENTE"));
        EXPECT_FALSE(list(f)->accessibleName().isEmpty());
    }
    add(QStringLiteral("ROSSI"));
    {
        FormAna f;
        EXPECT_EQ(count(f), QStringLiteral("1 cliente"));
    }
    for (int i = 0; i < 26; ++i)
        add(QStringLiteral("CLIENTE ") + QChar(u'A' + i));
    FormAna f;
    EXPECT_EQ(count(f), QStringLiteral("27 clienti"));
    EXPECT_EQ(shown(f).first(), QStringLiteral("CLIENTE A"));
    EXPECT_EQ(shown(f).last(), QStringLiteral("ROSSI"));
}

TEST(FormAna, LetterButtonsFilterAndTheFilterSurvivesRefills) {
    Registry r;
    for (const char* n :
         {"ANTONELLI", "BIANCHI", "ESPOSITO", "FERRARI", "GALLI", "PAGANI", "QUARTA", "ROSSI"})
        add(QString::fromLatin1(n));
    FormAna f;
    click(f, QStringLiteral("Btn0"));
    EXPECT_EQ(shown(f), QStringList{QStringLiteral("ANTONELLI")});
    EXPECT_EQ(count(f), QStringLiteral("1 cliente"));
    click(f, QStringLiteral("Btn4"));
    EXPECT_EQ(shown(f), (QStringList{QStringLiteral("ESPOSITO"), QStringLiteral("FERRARI")}));
    click(f, QStringLiteral("Btn11"));
    EXPECT_EQ(shown(f), (QStringList{QStringLiteral("PAGANI"), QStringLiteral("QUARTA")}));
    EXPECT_EQ(count(f), QStringLiteral("2 clienti"));
    click(f, QStringLiteral("Btn17"));
    EXPECT_EQ(count(f), QStringLiteral("0 clienti"));

    // A customer created from a filtered list is stored but stays outside the filter.
    click(f, QStringLiteral("Btn11"));
    r.dlg.onWindow(typeAndSave({{"TxtNome", QStringLiteral("ZETA")}}));
    click(f, QStringLiteral("BtnNuovo"));
    EXPECT_EQ(validCount(QStringLiteral("ZETA")), 1);
    EXPECT_EQ(shown(f), (QStringList{QStringLiteral("PAGANI"), QStringLiteral("QUARTA")}));
    r.dlg.onWindow(typeAndSave({{"TxtNome", QStringLiteral("PIZZI")}}));
    click(f, QStringLiteral("BtnNuovo"));
    EXPECT_EQ(shown(f),
              (QStringList{QStringLiteral("PAGANI"), QStringLiteral("PIZZI"), QStringLiteral("QUARTA")}));

    click(f, QStringLiteral("BtnElenco"));
    EXPECT_EQ(count(f), QStringLiteral("10 clienti"));
}

TEST(FormAna, NewCustomerIsStoredUpperCaseWithItsMessage) {
    Registry r;
    FormAna f;
    r.dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->objectName(), QStringLiteral("FrmAna"));
        EXPECT_EQ(box(w, "TxtCod")->text(), QStringLiteral("0001"));
        EXPECT_EQ(w->windowTitle(), QStringLiteral("ANAGRAFICA "));
        return typeAndSave(
            {{"TxtNome", QStringLiteral("officina d'amico")}, {"TxtCitta", QStringLiteral("Forlì")}})(w);
    });
    click(f, QStringLiteral("BtnNuovo"));
    EXPECT_EQ(r.dlg.windowsShown, QStringList{QStringLiteral("FrmAna")});
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Nuovo CLIENTE inserito con successo"));
    EXPECT_EQ(r.dlg.messages.back().icon, Icon::Information);
    EXPECT_EQ(validCount(QStringLiteral("OFFICINA D'AMICO")), 1);
    EXPECT_EQ(
        Database::scalar(QStringLiteral("SELECT Ragione || '|' || Città FROM Anagrafica")).value().toString(),
        QStringLiteral("OFFICINA D'AMICO|Forlì"));
    EXPECT_EQ(shown(f), QStringList{QStringLiteral("OFFICINA D'AMICO")});
    EXPECT_EQ(count(f), QStringLiteral("1 cliente"));
}

TEST(FormAna, OpenNeedsASelectionAndChangesTheCustomer) {
    Registry r;
    add(QStringLiteral("BIANCHI"));
    const qint64 id = add(QStringLiteral("ROSSI"));
    FormAna f;
    click(f, QStringLiteral("BtnApri"));
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Selezionare prima un CLIENTE"));
    EXPECT_EQ(r.dlg.messages.back().icon, Icon::Exclamation);
    EXPECT_TRUE(r.dlg.windowsShown.isEmpty());

    select(f, QStringLiteral("ROSSI"));
    r.dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("ANAGRAFICA  - ROSSI"));
        EXPECT_EQ(box(w, "TxtNome")->text(), QStringLiteral("ROSSI"));
        return typeAndSave({{"TxtNome", QStringLiteral("ROSSI MARIO")}, {"TxtProv", QStringLiteral("CO")}})(
            w);
    });
    click(f, QStringLiteral("BtnApri"));
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("CLIENTE modificato con successo"));
    EXPECT_EQ(
        Database::scalar(QStringLiteral("SELECT Nome || Prov FROM Anagrafica WHERE Id = ?"), {id}).value(),
        QStringLiteral("ROSSI MARIOCO"));
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(shown(f), (QStringList{QStringLiteral("BIANCHI"), QStringLiteral("ROSSI MARIO")}));

    // A double click opens the customer under the mouse too.
    r.dlg.onWindow([](QDialog* w) {
        EXPECT_EQ(box(w, "TxtNome")->text(), QStringLiteral("BIANCHI"));
        return 0;
    });
    const QModelIndex bianchi = row(f, QStringLiteral("BIANCHI"));
    list(f)->setCurrentIndex(bianchi);
    emit list(f)->doubleClicked(bianchi);
    EXPECT_EQ(r.dlg.windowsShown.size(), 2);
    EXPECT_TRUE(r.dlg.allAnswersUsed());
}

TEST(FormAna, DuplicateNameIsRefusedAndADeletedNameCanBeReused) {
    Registry r;
    add(QStringLiteral("CITTÀ SRL"));
    FormAna f;
    bool stayedOpen = false;
    r.dlg.onWindow([&](QDialog* w) {
        typeAndSave({{"TxtNome", QStringLiteral("Città srl")}})(w);
        stayedOpen = w->result() == 0 && box(w, "TxtNome")->text() == QStringLiteral("CITTÀ SRL");
        w->findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->click();
        return w->result();
    });
    click(f, QStringLiteral("BtnNuovo"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Nominativo 'CITTÀ SRL' gia esistente"));
    EXPECT_EQ(r.dlg.messages.back().icon, Icon::Critical);
    EXPECT_EQ(rows(), 1);

    select(f, QStringLiteral("CITTÀ SRL"));
    r.dlg.answer(Dialogs::Answer::Yes);
    click(f, QStringLiteral("BtnElimina"));
    EXPECT_EQ(count(f), QStringLiteral("0 clienti"));
    r.dlg.onWindow(typeAndSave({{"TxtNome", QStringLiteral("Città srl")}}));
    click(f, QStringLiteral("BtnNuovo"));
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Nuovo CLIENTE inserito con successo"));
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(validCount(QStringLiteral("CITTÀ SRL")), 1);
    EXPECT_EQ(shown(f), QStringList{QStringLiteral("CITTÀ SRL")});
}

TEST(FormAna, DeleteAsksFirstAndIsSoft) {
    Registry r;
    const qint64 id = add(QStringLiteral("L'OFFICINA"));
    add(QStringLiteral("ROSSI"));
    FormAna f;
    click(f, QStringLiteral("BtnElimina"));
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Selezionare prima un CLIENTE"));

    select(f, QStringLiteral("L'OFFICINA"));
    r.dlg.answer(Dialogs::Answer::No);
    click(f, QStringLiteral("BtnElimina"));
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Cliente 'L'OFFICINA' ?"));
    EXPECT_EQ(r.dlg.messages.back().title, QStringLiteral("CONFERMI ELIMINAZIONE"));
    EXPECT_EQ(r.dlg.messages.back().icon, Icon::Question);
    EXPECT_EQ(r.dlg.messages.back().buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(validCount(QStringLiteral("L'OFFICINA")), 1);

    r.dlg.answer(Dialogs::Answer::Yes);
    click(f, QStringLiteral("BtnElimina"));
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Eliminazione effettuata con successo"));
    EXPECT_EQ(r.dlg.messages.back().icon, Icon::Information);
    EXPECT_EQ(
        Database::scalar(QStringLiteral("SELECT Valid FROM Anagrafica WHERE Id = ?"), {id}).value().toInt(),
        0);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(shown(f), QStringList{QStringLiteral("ROSSI")});

    // Deleted behind the list's back: nothing changes.
    select(f, QStringLiteral("ROSSI"));
    ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Anagrafica SET Valid = 0 WHERE Nome = 'ROSSI'")));
    r.dlg.answer(Dialogs::Answer::Yes);
    click(f, QStringLiteral("BtnElimina"));
    EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Errore durante l'eliminazione"));
    EXPECT_EQ(r.dlg.messages.back().icon, Icon::Critical);
}

TEST(FormAna, NamesWithQuotesAndWildcardsAreStoredFoundAndDeletedAsTyped) {
    Registry r;
    add(QStringLiteral("SCONTI 10"));
    add(QStringLiteral("A_B"));
    FormAna f;
    const QStringList odd = {QStringLiteral("D'ANGELO"), QStringLiteral("100% FERRO"), QStringLiteral("A_"),
                             QStringLiteral("*STELLA*")};
    for (const QString& n : odd) {
        r.dlg.onWindow(typeAndSave({{"TxtNome", n}}));
        click(f, QStringLiteral("BtnNuovo"));
        EXPECT_EQ(r.dlg.lastText(), QStringLiteral("Nuovo CLIENTE inserito con successo")) << n.toStdString();
        EXPECT_EQ(validCount(n), 1) << n.toStdString();
    }
    EXPECT_EQ(count(f), QStringLiteral("6 clienti"));
    click(f, QStringLiteral("Btn0"));
    EXPECT_EQ(shown(f), (QStringList{QStringLiteral("A_"), QStringLiteral("A_B")}));
    click(f, QStringLiteral("BtnElenco"));

    for (const QString& n : odd) {
        select(f, n);
        QString loaded;
        r.dlg.onWindow([&](QDialog* w) {
            loaded = box(w, "TxtNome")->text();
            return 0;
        });
        click(f, QStringLiteral("BtnApri"));
        EXPECT_EQ(loaded, n);
    }
    select(f, QStringLiteral("A_"));
    r.dlg.answer(Dialogs::Answer::Yes);
    click(f, QStringLiteral("BtnElimina"));
    EXPECT_EQ(validCount(QStringLiteral("A_")), 0);
    EXPECT_EQ(validCount(QStringLiteral("A_B")), 1);
    EXPECT_EQ(count(f), QStringLiteral("5 clienti"));
}

TEST(FormAna, CustomerPast32767KeepsItsDigits) {
    Registry r;
    ASSERT_FALSE(
        Database::exec(QStringLiteral("INSERT INTO Anagrafica (Id, Nome) VALUES (32767, 'ULTIMO')")));
    FormAna f;
    QString proposed;
    r.dlg.onWindow([&](QDialog* w) {
        proposed = box(w, "TxtCod")->text();
        return typeAndSave({{"TxtNome", QStringLiteral("OLTRE")}})(w);
    });
    click(f, QStringLiteral("BtnNuovo"));
    EXPECT_EQ(proposed, QStringLiteral("32768"));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Id FROM Anagrafica WHERE Nome = 'OLTRE'"))
                  .value()
                  .toLongLong(),
              32768);
    select(f, QStringLiteral("OLTRE"));
    r.dlg.onWindow([&](QDialog* w) {
        proposed = box(w, "TxtCod")->text();
        return 0;
    });
    click(f, QStringLiteral("BtnApri"));
    EXPECT_EQ(proposed, QStringLiteral("32768"));
}
