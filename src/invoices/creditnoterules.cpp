#include "invoices/creditnoterules.h"

namespace CreditNoteRules {

Invoice proposta(const Invoice& fattura)
{
    Invoice nota;
    nota.idAna = fattura.idAna;
    nota.nome = fattura.nome;
    nota.iva = fattura.iva;
    nota.ra = fattura.ra;
    nota.rows = fattura.rows;
    nota.storno = {fattura.num, fattura.data};
    return nota;
}

} // namespace CreditNoteRules
