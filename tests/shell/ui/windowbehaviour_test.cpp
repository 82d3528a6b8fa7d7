#include "data/database.h"
#include "scripteddialogs.h"
#include "shell/ui/windowbehaviour.h"
#include "workdir.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

TEST(WindowBehaviour, DateBoxAndYearPromptCheckWhatIsTyped)
{
    ScriptedDialogs dlg;
    QLineEdit box(QStringLiteral("3/4/26"));
    EXPECT_TRUE(WindowBehaviour::checkDateBox(&box));
    EXPECT_EQ(box.text(), "03/04/26");
    EXPECT_TRUE(dlg.messages.empty());
    for (const char* bad : {"31/02/26", ""}) {
        box.setText(QString::fromLatin1(bad));
        EXPECT_FALSE(WindowBehaviour::checkDateBox(&box));
        EXPECT_EQ(box.text(), bad);
        EXPECT_EQ(dlg.lastText(), "Data non valida");
    }
    // The year prompt takes the nearest whole number from 1 to 9999; empty or cancelled asks nothing more.
    const struct {
        std::optional<QString> typed; // nothing: cancelled
        std::optional<int> year;
        const char* error; // the message's title, or nullptr
    } years[] = {{QStringLiteral("2024.6"), 2025, nullptr},
                 {QStringLiteral("9999"), 9999, nullptr},
                 {QStringLiteral("10000"), std::nullopt, "Errore 6"},
                 {QString(), std::nullopt, nullptr},
                 {std::nullopt, std::nullopt, nullptr},
                 {QStringLiteral("duemila"), std::nullopt, "Errore 13"}};
    for (const auto& y : years) {
        SCOPED_TRACE(y.typed.value_or(QStringLiteral("(annullato)")).toStdString());
        dlg.messages.clear();
        if (y.typed)
            dlg.type(*y.typed);
        else
            dlg.cancelInput();
        EXPECT_EQ(WindowBehaviour::askYear(nullptr), y.year);
        EXPECT_EQ(dlg.inputDefaults.back(), QString::number(QDate::currentDate().year()));
        EXPECT_EQ(dlg.messages.empty() ? QString() : dlg.messages.back().title, QString::fromLatin1(y.error));
    }
}

TEST(WindowBehaviour, CustomerListsMatchPositionByPosition)
{
    TestWorkDir dir;
    for (const char* n : {"ZETA", "ALFA", "BETA"})
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES (?)"), {n}));
    ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Anagrafica SET Valid = 0 WHERE Nome = 'BETA'")));
    QComboBox ids, names;
    ids.addItem(QStringLiteral("vecchio"));
    ASSERT_FALSE(WindowBehaviour::riempiClienti(&ids, &names));
    ASSERT_TRUE(names.count() == 2 && ids.count() == 2) << names.count() << " " << ids.count();
    EXPECT_EQ(names.itemText(0) + ids.itemText(0) + u' ' + names.itemText(1) + ids.itemText(1), "ALFA2 ZETA1");
}

} // namespace
