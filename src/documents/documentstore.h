#pragma once

#include "data/dberror.h"
#include "documents/documento.h"
#include "papers/seriesstore.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// Every statement on free documents (table Documenti), numbered in the yearly series "N/YY".
class DocumentStore {
public:
    // One line of the register: the text cut to its first line.
    struct RegisterRow {
        QString num;
        QDate data;
        QString primaRiga;
    };

    static DbResult<std::optional<long long>> maxOrdinale(const QString& suffisso);
    static DbResult<QString> prossimoNumero(const QString& suffisso);
    static DbResult<bool> exists(const QString& num);
    // Leading numbers of the series `suffisso`, in number order: browsing goes by number only.
    static DbResult<QList<long long>> ordinaliSerie(const QString& suffisso);

    // Stores a new document; a number taken meanwhile gives DbError::Duplicate.
    static DbStatus registra(const Documento& d);
    // Nothing when there is no document of that number.
    static DbResult<std::optional<Documento>> load(const QString& num);
    // Rewrites the text; false when the document is no longer there.
    static DbResult<bool> salva(const QString& num, const QString& des);
    // Deletes the document; only the highest number of its series.
    static DbResult<SeriesStore::Outcome> elimina(const QString& num);

    // Documents dated in `anno`, highest number first.
    static DbResult<QList<RegisterRow>> registro(int anno);
};
