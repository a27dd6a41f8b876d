#include "store/app_delegate.h"

#include "platform/ui/diagnostics.h"
#include "store/collection_model.h"

namespace tockary {

AppDelegate::AppDelegate(std::filesystem::path dataDirectory, StoreOptions options)
    : dataDirectory_(std::move(dataDirectory)), options_(options) {}

PersistentContainer& AppDelegate::persistentContainer() {
  if (!container_) {
    container_ = std::make_unique<PersistentContainer>(std::string(kModelName), collectionModel(),
                                                       dataDirectory_, options_);
  }
  if (!container_->isLoaded()) {
    if (Status opened = container_->loadPersistentStores(); !opened) fatalStop(opened);
  }
  return *container_;
}

void AppDelegate::applicationWillTerminate() {
  ManagedObjectContext& context = viewContext();
  if (!context.hasChanges()) return;
  if (Status saved = context.save(); !saved) fatalStop(saved);
}

}  // namespace tockary
