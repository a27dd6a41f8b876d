#pragma once

#include "store/app_services.h"
#include "store/records.h"

namespace tockary {

// The collection list's quick log of one wear: adds one to the count, sets the last-worn date to
// now, appends the wear entries the history-log preferences ask for, and saves. A failed save is
// a fatal stop.
void quickLogWear(Kello& watch, AppServices& services);

}  // namespace tockary
