#include "registry/ui/customercodebox.h"

#include "shell/ui/windowbehaviour.h"

#include <QComboBox>

namespace CustomerCodeBox {

QComboBox* create(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("ComboIdCli"));
    box->hide();
    WindowBehaviour::setAccessible(box, QStringLiteral("Codice cliente"));
    return box;
}

} // namespace CustomerCodeBox
