#include "papers/seriesstore.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Row {
    QString num;
};

QString highestFirst(const QStringList& nums)
{
    QList<Row> rows;
    for (const QString& n : nums)
        rows.append({n});
    SeriesStore::highestFirst(rows);
    QStringList out;
    for (const Row& r : rows)
        out << r.num;
    return out.join(u',');
}

} // namespace

TEST(RegisterOrder, HighestLeadingNumberFirstThenNumberText)
{
    // numbers as read -> register order
    const std::pair<QStringList, QString> cases[] = {
        {{u"9/26"_s, u"10/26"_s, u"1/26"_s, u"100/26"_s}, u"100/26,10/26,9/26,1/26"_s},
        // Equal leading numbers: the text, highest first.
        {{u"5/25"_s, u"5/26"_s, u"5bis/26"_s, u"6/26"_s}, u"6/26,5bis/26,5/26,5/25"_s},
        // No leading digit (a space included) counts 0, as the engine's ordinal().
        {{u"abc"_s, u" 7/26"_s, u"2/26"_s}, u"2/26,abc, 7/26"_s},
        // Only the first 18 digits count.
        {{u"1234567890123456789/26"_s, u"123456789012345679/26"_s}, u"123456789012345679/26,1234567890123456789/26"_s},
    };
    for (const auto& [nums, expected] : cases)
        EXPECT_EQ(highestFirst(nums), expected) << expected.toStdString();
}
