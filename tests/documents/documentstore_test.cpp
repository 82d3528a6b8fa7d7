#include "documenttest.h"
#include "workdir.h"

namespace {

using O = SeriesStore::Outcome;

QString next()
{
    return DocumentStore::prossimoNumero(u"/26"_s).value();
}

} // namespace

TEST(DocumentStore, NumberingDuplicatesAndDeletionOfTheLast)
{
    TestWorkDir dir;
    EXPECT_EQ(next(), u"1/26"_s);
    registraDoc(u"40/25"_s, QDate(2025, 12, 1));
    for (int i = 1; i <= 9; ++i)
        registraDoc(QString::number(i) + u"/26"_s, QDate(2026, 1, i));
    EXPECT_EQ(next(), u"10/26"_s);
    // A number taken is refused, and nothing is written.
    EXPECT_EQ(DocumentStore::registra({u"9/26"_s, QDate(2026, 5, 1), u"Altro"_s}).value_or(DbError{}).number,
              DbError::Duplicate);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Documenti WHERE Num = '9/26'"_s), u"1"_s);

    // Only the last goes; then its number is proposed again. A vanished one is told apart.
    EXPECT_EQ(DocumentStore::elimina(u"8/26"_s).value(), O::NotLast);
    EXPECT_EQ(DocumentStore::elimina(u"9/26"_s).value(), O::Done);
    EXPECT_EQ(DocumentStore::elimina(u"9/26"_s).value(), O::PaperMissing);
    EXPECT_EQ(next(), u"9/26"_s);
    EXPECT_EQ(DocumentStore::salva(u"9/26"_s, u"x"_s).value(), false);
}

TEST(DocumentStore, TextsStoredAsTypedAndTheRegisterShowsTheirFirstLine)
{
    TestWorkDir dir;
    // Any length, quotes, non-breaking spaces, characters outside the basic plane, a final break.
    const QString lungo = QString(u'x').repeated(70000) + u"\r\n'\"\u00a0\U0001F600 à\r\n"_s;
    registraDoc(u"1/26"_s, QDate(2026, 3, 2), lungo);
    registraDoc(u"2/26"_s, QDate(2026, 3, 1), u"Prima riga\r\nseconda\r\nterza"_s);
    registraDoc(u"10/26"_s, QDate(2026, 4, 1), u"Solo una\nriga a capo LF"_s);
    registraDoc(u"3/26"_s, QDate(2025, 12, 31), u"Dell'anno prima"_s);
    EXPECT_EQ(DocumentStore::load(u"1/26"_s).value().value_or(Documento{}).des, lungo);
    ASSERT_TRUE(DocumentStore::salva(u"2/26"_s, u"Nuovo\r\ntesto"_s).value());

    // Dated in the year, highest number first (10 before 2).
    QStringList rows;
    const auto registro = DocumentStore::registro(2026);
    for (const auto& r : registro.value())
        rows << r.num + u'|' + r.data.toString(Qt::ISODate) + u'|' + r.primaRiga.left(5) +
                    QString::number(r.primaRiga.size());
    EXPECT_EQ(rows.join(u'\n'), u"10/26|2026-04-01|Solo 8\n2/26|2026-03-01|Nuovo5\n1/26|2026-03-02|xxxxx70000"_s);
}
