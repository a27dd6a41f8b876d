#pragma once

#include "platform/ui/sheet.h"
#include "store/app_services.h"

namespace tockary {

// The collection summary: counts of unsold and sold watches, what they cost and fetched, and the
// average case of the unsold ones, as an information sheet closed by "OK".
Sheet collectionSummarySheet(AppServices& services);

// The list's summary button: presents the sheet above.
void showCollectionFacts(AppServices& services);

}  // namespace tockary
