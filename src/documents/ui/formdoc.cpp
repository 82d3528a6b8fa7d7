#include "documents/ui/formdoc.h"

#include "documents/documentstore.h"
#include "documents/ui/documentregistermodel.h"
#include "documents/ui/formregdoc.h"
#include "papers/ui/registerwindow.h"
#include "shell/dialogs.h"

FormDoc::FormDoc(QWidget* parent)
    : YearRegister(parent, {"FormDoc", QStringLiteral("DOCUMENTI"), QStringLiteral("Documenti"),
                            QStringLiteral("&REGISTRA DOCUMENTO"), QStringLiteral("RICHIAMA &DOCUMENTO"),
                            QStringLiteral("Selezionare prima un DOCUMENTO")})
{
    m_model = new DocumentRegisterModel(this);
    costruisci(m_model, {400, 1200, 1400, 7600});
    aggiornaElenco();
}

void FormDoc::riempi(int anno, QLabel* count)
{
    RegisterWindow::riempi(this, m_model, count, DocumentStore::registro(anno), QStringLiteral("documenti"));
}

QString FormDoc::numero(int r) const
{
    const DocumentStore::RegisterRow* row = m_model->row(r);
    return row ? row->num : QString();
}

void FormDoc::apri(const QString& num)
{
    FormRegDoc editor(this);
    if (editor.Carica(num))
        dialogs().exec(&editor);
}
