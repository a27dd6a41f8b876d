#include "collection_list_model.h"
#include "collection_popups_model.h"
#include "detail_screen_model.h"
#include "gui_app.h"

namespace tockary::gui {

void installCollectionScreens(AppServices& services, QObject& parent) {
  auto* list =
      new CollectionList(std::make_unique<MyWatchCollectionTableViewController>(services), &parent);
  CollectionList::setInstance(list);
  CollectionPopups::setInstance(new CollectionPopups(services, *list, &parent));
  WatchDetail::setInstance(new WatchDetail(services, &parent));
}

}  // namespace tockary::gui
