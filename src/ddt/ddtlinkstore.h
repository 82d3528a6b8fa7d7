#pragma once

#include "data/dberror.h"
#include "ddt/ddt.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Which invoice covers which DDT (a deferred invoice names the DDTs it bills). The link table
// sits beside the ten of the program and is created by the first invoice that covers a DDT;
// reading never creates it, so a look that writes nothing stays so.
class DdtLinkStore {
public:
    // A DDT taken by another invoice, or gone, while this one was being written.
    static constexpr int NonDisponibile = 3201;
    // A DDT cancelled or changed while an invoice names it.
    static constexpr int Fatturato = 3202;
    // An invoice covering DDTs moved to a customer other than theirs.
    static constexpr int DaDdt = 3203;

    // The DDTs of a customer dated in `anno` that no invoice covers yet, with their rows, by
    // leading number.
    static DbResult<QList<Ddt>> daFatturare(int anno, qint64 idAna);
    // The invoice covering a DDT; empty when none.
    static DbResult<QString> fattura(const QString& numDdt);
    // Whether the link table is there.
    static DbResult<bool> presente();

    // Records that invoice `fattura` covers `ddt`. Runs inside the invoice's write transaction:
    // a DDT already covered or no longer stored gives NonDisponibile and the caller writes nothing.
    static DbStatus collega(const QString& fattura, const QStringList& ddt);
    // A cancelled invoice frees its DDTs.
    static DbStatus liberaFattura(const QString& fattura);
    // Refuses to let a DDT go while an invoice names it (Fatturato, telling which). Runs inside
    // the DDT's cancelling transaction.
    static DbStatus annullabile(const QString& numDdt);
    // Refuses to change a DDT's header or rows while an invoice names it (Fatturato, telling which).
    static DbStatus modificabile(const QString& numDdt);
    // Refuses to move invoice `fattura` to customer `idAna` while it covers DDTs of another
    // customer (DaDdt, naming the invoice and those DDTs).
    static DbStatus cambioCliente(const QString& fattura, qint64 idAna);

private:
    // `text` with the DDT and its invoice when an invoice names the DDT.
    static DbStatus seFatturato(const QString& numDdt, const QString& text);
};
