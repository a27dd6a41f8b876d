#pragma once

#include <string_view>

#include "platform/status.h"
#include "platform/ui/presenter.h"
#include "platform/ui/sheet.h"

namespace tockary {

inline constexpr std::string_view kStoreBusyTitle = "Collection busy";
inline constexpr std::string_view kStoreBusyMessage =
    "Another program is changing your collection. Nothing was changed; please try again.";

// The alert every screen shows when a change could not get the store because another program
// (the command line, a second window) held it beyond the busy timeout: one "OK".
Sheet storeBusyAlert();

// Presents storeBusyAlert() when `status` says the store was busy; true when it did.
bool presentIfStoreBusy(const Status& status, Presenter& presenter);

}  // namespace tockary
