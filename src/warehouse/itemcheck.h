#pragma once

#include "data/dberror.h"

#include <QString>

// The checks an item passes before it is saved, in the order the editor reports them.
namespace ItemCheck {

enum class Failure { None, NoCategory, NoDescription, DuplicateDescription, NoUnit, NoQuantity };

struct Draft {
    qint64 id = 0; // 0 = new item
    qint64 cat = 0;
    QString descrizione;
    QString um;
    QString qta; // the quantity box's text
};

// The first failing check; a blank-only text counts as empty.
DbResult<Failure> check(const Draft& draft);

} // namespace ItemCheck
