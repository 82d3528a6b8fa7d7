#include "data/database.h"
#include "data/listorder.h"

#include <QList>
#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct Row {
    int id;
    QString nome;
};

QString sortedJoined(QStringList texts)
{
    ListOrder::sort(texts, [](const QString& t) { return t; });
    return texts.join(u'|');
}

} // namespace

TEST(ListOrder, CaseAndAccentsAsideThenCharacters)
{
    // input -> list order
    const std::pair<QStringList, QString> cases[] = {
        {{u"rossi"_s, u"ROSSI"_s, u"Rossi"_s}, u"ROSSI|Rossi|rossi"_s},
        {{u"ÈLITE"_s, u"ESPOSITO"_s, u"ebano"_s, u"élite"_s, u"ELITE"_s}, u"ebano|ELITE|ÈLITE|élite|ESPOSITO"_s},
        {{u"abc"_s, u"AB"_s, u""_s, u"a"_s}, u"|a|AB|abc"_s},
        {{u"_UNDER"_s, u"ANTONELLI"_s, u"%SCONTI"_s, u"L'OFFICINA"_s, u"LOFFICINA"_s},
         u"%SCONTI|_UNDER|ANTONELLI|L'OFFICINA|LOFFICINA"_s},
        {{u"zeta"_s, u"Ångström"_s, u"ANGSTROM 2"_s}, u"Ångström|ANGSTROM 2|zeta"_s},
        // Outside the basic plane and after every letter.
        {{u"\U0001F600 sorriso"_s, u"Zeta"_s, u"ømega"_s}, u"Zeta|ømega|\U0001F600 sorriso"_s},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(sortedJoined(input), expected) << expected.toStdString();
}

TEST(ListOrder, AgreesWithTheSortKeyOnLongListsKeepingReadOrderForEqualNames)
{
    // Names sharing long beginnings, in every case, with accents and repeats: the radix passes,
    // the short-list sort and the ties all come into play.
    const QString stems[] = {u"CARPENTERIA ROSSI "_s, u"carpenteria rossi "_s, u"Càrpenteria Rossi "_s,
                             u"CARPENTERIA "_s,       u"OFFICINA D'ANGELO"_s,  u"officina d'angelo "_s};
    QList<Row> rows;
    for (int i = 0; i < 3000; ++i) {
        QString nome = stems[(i * 7) % std::size(stems)];
        if (i % 5 != 0)
            nome += QString::number(i * 7919 % 97);
        rows.append({i, nome});
    }
    QList<Row> expected = rows;
    std::stable_sort(expected.begin(), expected.end(), [](const Row& a, const Row& b) {
        const QString ka = Database::sortKey(a.nome);
        const QString kb = Database::sortKey(b.nome);
        return ka != kb ? ka < kb : a.nome < b.nome;
    });
    ListOrder::sort(rows, [](const Row& r) { return r.nome; });
    ASSERT_EQ(rows.size(), expected.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        ASSERT_EQ(rows[i].id, expected[i].id) << "position " << i << ": " << rows[i].nome.toStdString();
}

TEST(ListOrder, GroupsKeepTheirPlace)
{
    std::vector<std::pair<int, QString>> rows = {{2, u"b"_s}, {2, u"A"_s}, {1, u"z"_s}, {1, u"É"_s}, {3, u"c"_s}};
    ListOrder::sortWithinGroups(
        rows, [](const auto& r) { return r.first; }, [](const auto& r) { return r.second; });
    QStringList out;
    for (const auto& [group, text] : rows)
        out << QString::number(group) + text;
    EXPECT_EQ(out.join(u','), u"2A,2b,1É,1z,3c"_s);
}
