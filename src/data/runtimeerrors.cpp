#include "data/runtimeerrors.h"

namespace RuntimeErrors {

QString text(int code)
{
    switch (code) {
    case Overflow:
        return QStringLiteral("Overflow");
    case TypeMismatch:
        return QStringLiteral("Tipo non corrispondente");
    case BadFileName:
        return QStringLiteral("Nome o numero di file non valido");
    case FileNotFound:
        return QStringLiteral("Impossibile trovare il file");
    case DiskFull:
        return QStringLiteral("Disco pieno");
    case PermissionDenied:
        return QStringLiteral("Autorizzazione negata");
    case DiskNotReady:
        return QStringLiteral("Disco non pronto");
    case PrinterError:
        return QStringLiteral("Errore della stampante");
    default:
        return QStringLiteral("Errore definito dall'applicazione o dall'oggetto");
    }
}

QString title(int code)
{
    return QStringLiteral("Errore ") + QString::number(code);
}

} // namespace RuntimeErrors
