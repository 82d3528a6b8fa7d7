#pragma once

#include "printing/registertable.h"

#include <QString>
#include <optional>

class QWidget;

// The invoice and DDT registers on paper: the very rows and texts of their windows' grids, taken
// from the windows' own models over the stores' register queries.
namespace RegisterPrint {

// The register of that year, of one customer when idCliente is not 0; nothing with the reason
// in `error` when the database fails or the customer does not exist.
std::optional<RegisterTable> fatture(int anno, qint64 idCliente, QString& error);
std::optional<RegisterTable> ddt(int anno, qint64 idCliente, QString& error);

// "Anteprima di stampa" of a register, or its copies on the program's printer; a table that
// could not be read shows why.
void preview(QWidget* parent, const std::optional<RegisterTable>& table, const QString& error);
void print(QWidget* parent, const std::optional<RegisterTable>& table, const QString& error);

// "&ESPORTA" and "ESPORTA EXCE&L": the invoices of the list written as CSV, or as a spreadsheet,
// where the user says.
bool esportaFatture(QWidget* parent, int anno, qint64 idCliente, bool excel = false);

// "pdf registro-fatture ANNO" and "pdf registro-ddt ANNO".
void registerPdfKinds();

} // namespace RegisterPrint
