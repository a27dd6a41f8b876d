#pragma once

#include <filesystem>
#include <memory>

#include "platform/store/object_store.h"

namespace tockary {

// The application shell: owns the one persistent container and hands its view context to every
// screen. The store is opened on the first read of persistentContainer(), not at launch.
class AppDelegate {
 public:
  explicit AppDelegate(std::filesystem::path dataDirectory, StoreOptions options = {});

  // Opens the store on first use. A store that cannot be opened is a fatal stop
  // ("Unresolved error " + description + ", " + user information); the file is left untouched.
  PersistentContainer& persistentContainer();
  ManagedObjectContext& viewContext() { return persistentContainer().viewContext(); }
  bool isStoreOpen() const { return container_ && container_->isLoaded(); }
  const std::filesystem::path& dataDirectory() const { return dataDirectory_; }

  // The one lifecycle callback that does anything: saves whatever a screen left unsaved; a failed
  // save is a fatal stop.
  void applicationWillTerminate();

 private:
  std::filesystem::path dataDirectory_;
  StoreOptions options_;
  std::unique_ptr<PersistentContainer> container_;
};

}  // namespace tockary
