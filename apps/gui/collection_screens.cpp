#include "collection_list_model.h"
#include "collection_popups_model.h"
#include "detail_screen_model.h"
#include "gui_app.h"

namespace tockary::gui {

void installCollectionScreens(AppServices& services, QObject& parent, const ReminderHooks& hooks) {
  auto screen = std::make_unique<MyWatchCollectionTableViewController>(services);
  screen->printPendingNotificationRequests = hooks.print;
  screen->initiateNotifications = hooks.rebuild;
  auto* list = new CollectionList(std::move(screen), &parent);
  CollectionList::setInstance(list);
  CollectionPopups::setInstance(new CollectionPopups(services, *list, &parent));
  WatchDetail::setInstance(new WatchDetail(services, &parent));
}

}  // namespace tockary::gui
