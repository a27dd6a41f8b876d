#include "collection_list_model.h"
#include "detail_screen_model.h"
#include "gui_app.h"

namespace tockary::gui {

void installCollectionScreens(AppServices& services, QObject& parent) {
  CollectionList::setInstance(new CollectionList(
      std::make_unique<MyWatchCollectionTableViewController>(services), &parent));
  WatchDetail::setInstance(new WatchDetail(services, &parent));
}

}  // namespace tockary::gui
