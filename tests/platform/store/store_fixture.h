#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/store/object_store.h"
#include "support/temp_dir.h"

namespace tockary::testing {

// A small model with one attribute of each kind, as the collection uses them.
inline ManagedObjectModel watchModel(int version = 1) {
  using T = AttributeType;
  EntityDescription watch{"Kello",
                          {{"merkki", T::String},
                           {"halkaisija", T::String},
                           {"myyntiliike", T::String},
                           {"ostohinta", T::Double},
                           {"ostopvm", T::Date},
                           {"kellokuva", T::Bytes}},
                          {{"takuunKello", "Takuu", false, "kellonTakuu"}},
                          nullptr};
  EntityDescription card{"Takuu", {{"takuunKello", T::String}}, {}, nullptr};
  return {"Test", version, {watch, card}};
}

class StoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<PersistentContainer> openContainer(int version = 1) {
    auto container =
        std::make_unique<PersistentContainer>("Test", watchModel(version), dir.path() / "data",
                                              StoreOptions{std::chrono::milliseconds(50)});
    Status opened = container->loadPersistentStores();
    EXPECT_TRUE(opened.isOk()) << opened.description() << " " << opened.userInfoText();
    return container;
  }

  void SetUp() override { container = openContainer(); }

  ManagedObjectContext& context() { return container->viewContext(); }

  std::shared_ptr<ManagedObject> insertWatch(const std::string& brand, Value diameter = {},
                                             Value soldTo = std::string()) {
    auto watch = context().insertNewObject("Kello");
    watch->setValueForKey("merkki", brand);
    watch->setValueForKey("halkaisija", std::move(diameter));
    watch->setValueForKey("myyntiliike", std::move(soldTo));
    return watch;
  }

  std::vector<std::string> brands(const FetchRequest& request) {
    std::vector<std::string> names;
    auto objects = context().execute(request);
    EXPECT_TRUE(objects.isOk()) << objects.status().description();
    if (!objects) return names;
    for (const auto& object : objects.value()) {
      const Value v = object->valueForKey("merkki");
      names.push_back(isNull(v) ? "<null>" : std::get<std::string>(v));
    }
    return names;
  }

  static FetchRequest byBrand(bool ascending = true) {
    FetchRequest request("Kello");
    request.sortDescriptors = {{"merkki", ascending}};
    return request;
  }

  TempDir dir;
  std::unique_ptr<PersistentContainer> container;
};

}  // namespace tockary::testing
