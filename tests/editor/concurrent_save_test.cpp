#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace tockary::testing {
namespace {

// The editor open in the app while another program (the command line) changes the same watch.
class ConcurrentSaveTest : public EditorTest {
 protected:
  // Runs `change` on the watch through a connection of its own, as another process would.
  void changeElsewhere(const Kello& watch, const std::function<void(Kello&)>& change) {
    AppDelegate other(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    auto theirs = other.viewContext().existingObject<Kello>(watch.objectID());
    ASSERT_TRUE(theirs);
    change(*theirs);
    ASSERT_TRUE(other.viewContext().save().isOk());
  }

  // The watch as a fresh process reads it.
  std::shared_ptr<Kello> reread(const Kello& watch) {
    reader_ =
        std::make_unique<AppDelegate>(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    return reader_->viewContext().existingObject<Kello>(watch.objectID());
  }

  static constexpr const char* kWearEntry = "\n5/17/24:  Wear count: 13";

 private:
  std::unique_ptr<AppDelegate> reader_;
};

TEST_F(ConcurrentSaveTest, AnEditWritesOnlyWhatTheFormChanged) {
  auto watch = storedWatch();
  const Bytes front = pngOf(30, 30, 0xFF112233);
  watch->setKellokuva(front);
  ASSERT_TRUE(app.viewContext().save().isOk());
  auto screen = editScreen(watch);
  changeElsewhere(*watch, [](Kello& w) {
    w.setVarasarake4(13);
    w.setVarasarake3(*w.varasarake3() + kWearEntry);
    w.setMalli(std::string("SKX009"));
  });

  ASSERT_TRUE(screen->enterValue("soldToTextField", "Collector"));
  ASSERT_TRUE(screen->saveWatchDetails().isOk());
  auto stored = reread(*watch);
  EXPECT_EQ(stored->myyntiliike(), "Collector");
  EXPECT_EQ(stored->varasarake4(), 13);
  EXPECT_EQ(stored->varasarake3(), std::string("Bought at the fair") + kWearEntry);
  EXPECT_EQ(stored->malli(), "SKX009");  // changed elsewhere, untouched here
  EXPECT_EQ(stored->merkki(), "Seiko");
  EXPECT_EQ(stored->sarjanumero(), std::nullopt);  // shown empty, never written
  EXPECT_EQ(stored->myyntiliike(), "Collector");
  EXPECT_EQ(stored->kellokuva(), front);  // the very bytes, not a re-encoding
  // The app's own copy shows the other program's values as well.
  EXPECT_EQ(watch->varasarake4(), 13);
}

TEST_F(ConcurrentSaveTest, TextAddedToTheNotesGoesAfterEntriesAppendedMeanwhile) {
  auto watch = storedWatch();
  auto screen = editScreen(watch);
  changeElsewhere(*watch, [](Kello& w) { w.setVarasarake3(*w.varasarake3() + kWearEntry); });
  screen->insertDatestampToNotesField();
  screen->enterNotes(screen->notesTextView().text + " New strap");
  ASSERT_TRUE(screen->saveWatchDetails().isOk());
  EXPECT_EQ(reread(*watch)->varasarake3(),
            std::string("Bought at the fair") + kWearEntry + "\n5/17/24 : New strap");

  // Notes rewritten rather than added to: what the user typed is what they meant.
  auto again = editScreen(watch);
  changeElsewhere(*watch, [](Kello& w) { w.setVarasarake3(*w.varasarake3() + kWearEntry); });
  again->enterNotes("Sold the box");
  ASSERT_TRUE(again->saveWatchDetails().isOk());
  EXPECT_EQ(reread(*watch)->varasarake3(), "Sold the box");
}

TEST_F(ConcurrentSaveTest, ABusyStoreSavesNothingAndKeepsTheFormOpen) {
  auto screen = insertScreen();
  ASSERT_TRUE(screen->enterValue("manufacturerTextField", "Alpha"));
  lockStore();
  EXPECT_TRUE(isStoreBusy(screen->saveWatchDetails().status()));
  ASSERT_EQ(presenter.events().size(), 1u);  // the alert, no pop
  const Sheet* alert = presenter.lastSheet();
  ASSERT_TRUE(alert);
  EXPECT_EQ(alert->displayedTitle(), "Collection busy");
  EXPECT_EQ(alert->displayedMessage(),
            "Another program is changing your collection. Nothing was changed; please try again.");
  EXPECT_FALSE(context().hasChanges());  // no insert left pending
  EXPECT_EQ(lines.back(), "Watch not saved: Could not begin a transaction");
  unlockStore();
  EXPECT_TRUE(allWatches().empty());

  presenter.clear();
  ASSERT_TRUE(screen->saveWatchDetails().isOk());  // the same form, tried again
  ASSERT_EQ(allWatches().size(), 1u);
  EXPECT_EQ(allWatches()[0]->merkki(), "Alpha");
  EXPECT_EQ(std::get<RecordingPresenter::Pop>(presenter.events().at(0)).count, 1);

  auto watch = allWatches()[0];
  auto edit = editScreen(watch);
  ASSERT_TRUE(edit->enterValue("soldToTextField", "Collector"));
  presenter.clear();
  lockStore();
  EXPECT_FALSE(edit->saveWatchDetails().isOk());
  EXPECT_TRUE(edit->isEditMode());  // still open
  EXPECT_EQ(presenter.events().size(), 1u);
  unlockStore();
  EXPECT_EQ(reread(*watch)->myyntiliike(), "");
}

TEST_F(ConcurrentSaveTest, AWatchDeletedWhileTheEditorWasOpenIsReported) {
  auto watch = storedWatch();
  auto screen = editScreen(watch);
  {
    AppDelegate other(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    other.viewContext().deleteObject(other.viewContext().existingObject<Kello>(watch->objectID()));
    ASSERT_TRUE(other.viewContext().save().isOk());
  }
  EXPECT_EQ(screen->saveWatchDetails().status().description(),
            "The watch being edited no longer exists");
  EXPECT_FALSE(context().hasChanges());
  EXPECT_EQ(std::get<RecordingPresenter::Pop>(presenter.events().at(0)).count, 2);
  EXPECT_FALSE(reread(*watch));
}

}  // namespace
}  // namespace tockary::testing
