#pragma once

// What the UI tests of the record tabs (measurements, services, warranty cards) share: a
// collection of two unsold watches to pick from, and the rows and texts of their pages.

#include <string>

#include "gui/editor_gui_support.h"
#include "store/records.h"

namespace tockary::testing {

class RecordScreensTest : public EditorGuiTest {
 protected:
  void SetUp() override {
    EditorGuiTest::SetUp();
    addWatch("Omega", "Speedmaster");
    addWatch("Seiko", "SKX007");
    ASSERT_TRUE(context().save().isOk());
  }

  ManagedObjectContext& context() { return app->services().context(); }

  void addWatch(const std::string& brand, const std::string& model) {
    auto watch = context().insertNewObject<Kello>();
    watch->setMerkki(brand);
    watch->setMalli(model);
    watch->setMyyntiliike(std::string());
  }

  // The row named `prefix` + the record's id, once the list shows it; nullptr when it does not.
  QQuickItem* recordRow(const QString& prefix, const ManagedObject& record) {
    const QString name = prefix + QString::fromStdString(record.objectID().text());
    QQuickItem* found = nullptr;
    waitFor([&] { return (found = item(name)) != nullptr; }, 3000);
    return found;
  }

  static QString textIn(QQuickItem* parent, const QString& name) {
    QQuickItem* found = find(parent, name);
    return found == nullptr ? QString("<none: %1>").arg(name) : found->property("text").toString();
  }
};

}  // namespace tockary::testing
