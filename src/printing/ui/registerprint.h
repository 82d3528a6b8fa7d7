#pragma once

#include "data/dberror.h"
#include "printing/pdfcommand.h"
#include "printing/registerlayout.h"
#include "printing/registertable.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// A paper register on paper: the very rows and texts of its window's grid, taken from the
// window's own model over the store's register query. Each kind of paper builds its table with
// these pieces.
namespace RegisterPrint {

// "Errore N: text", as the register reports a failed read.
QString errorText(const DbError& e);

// The table of a model's rows.
template <class Model, class Rows> RegisterTable fromModel(Rows rows)
{
    Model model;
    model.setRows(std::move(rows));
    return RegisterTable::fromModel(model, RegisterLayout::kLarghezza);
}

// Names the list's customer (`name` reads it) when `id` is not 0; false with the reason in
// `error` when the database fails or there is no such customer.
bool nameCustomer(qint64 id, const std::function<DbResult<QString>()>& name, RegisterTable& t, QString& error);

// The register as the pdf command writes it.
std::optional<PdfCommand::Paper> paper(std::optional<RegisterTable> t);

// "Anteprima di stampa" of a register, or its copies on the program's printer; a table that
// could not be read shows why.
void preview(QWidget* parent, const std::optional<RegisterTable>& table, const QString& error);
void print(QWidget* parent, const std::optional<RegisterTable>& table, const QString& error);

} // namespace RegisterPrint
