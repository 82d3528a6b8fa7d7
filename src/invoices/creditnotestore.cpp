#include "invoices/creditnotestore.h"

#include "data/database.h"

#include <QSqlError>

DbStatus CreditNoteStore::collega(const QString& nota, const QString& fattura)
{
    auto found = Database::select(QStringLiteral("SELECT F.Num, N.NumFattura FROM Fatture F "
                                                 "LEFT JOIN NoteCredito N ON N.Num = F.Num WHERE F.Num = ?"),
                                  {fattura});
    if (!found)
        return found.error();
    QSqlQuery& q = found.value();
    if (!q.next()) {
        if (q.lastError().isValid())
            return DbError::from(q.lastError());
        return DbError{NonStornabile, QStringLiteral("La fattura %1 non esiste più (annullata?): la nota di credito "
                                                     "non è stata emessa")
                                          .arg(fattura)};
    }
    if (!q.value(1).isNull())
        return DbError{
            NonStornabile,
            QStringLiteral("Il documento %1 è una nota di credito: si storna solo una fattura").arg(fattura)};
    return Database::exec(QStringLiteral("INSERT INTO NoteCredito (Num, NumFattura) VALUES (?, ?)"), {nota, fattura});
}

DbResult<QStringList> CreditNoteStore::note(const QString& fattura)
{
    auto q = Database::select(
        QStringLiteral("SELECT Num FROM NoteCredito WHERE NumFattura = ? ORDER BY ordinal(Num), Num"), {fattura});
    if (!q)
        return q.error();
    QStringList out;
    while (q.value().next())
        out << q.value().value(0).toString();
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return out;
}

DbStatus CreditNoteStore::annullabile(const QString& fattura)
{
    const auto note = CreditNoteStore::note(fattura);
    if (!note)
        return note.error();
    if (!note->isEmpty())
        return DbError{ConNote, QStringLiteral("La fattura %1 è stornata dalla nota di credito %2: annullare prima la "
                                               "nota di credito.")
                                    .arg(fattura, note->join(QStringLiteral(", ")))};
    return Database::exec(QStringLiteral("DELETE FROM NoteCredito WHERE Num = ?"), {fattura});
}
