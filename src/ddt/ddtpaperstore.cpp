#include "ddt/ddtpaperstore.h"

#include "ddt/ddtrules.h"
#include "ddt/ddtstore.h"

namespace DdtPaperStore {

DbResult<std::optional<DdtData>> datiDdt(const QString& num)
{
    // The stored DDT as the editor shows it once recalled, so both print the same pages.
    const auto found = DdtStore::load(num);
    if (!found)
        return found.error();
    if (!found.value())
        return std::optional<DdtData>();
    return std::optional<DdtData>(DdtRules::dati(*found.value()));
}

} // namespace DdtPaperStore
