#include "store/store_busy_alert.h"

#include <string>

#include "platform/store/object_store.h"

namespace tockary {

Sheet storeBusyAlert() {
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = std::string(kStoreBusyTitle);
  sheet.message = std::string(kStoreBusyMessage);
  sheet.actions.push_back(okAction());
  return sheet;
}

bool presentIfStoreBusy(const Status& status, Presenter& presenter) {
  if (!isStoreBusy(status)) return false;
  presenter.present(storeBusyAlert());
  return true;
}

}  // namespace tockary
