#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "editor_fixture.h"

namespace tockary::testing {
namespace {

using LeaveTest = EditorTest;

int pops(const RecordingPresenter& presenter) {
  int count = 0;
  for (const auto& event : presenter.events()) {
    if (const auto* pop = std::get_if<RecordingPresenter::Pop>(&event)) count += pop->count;
  }
  return count;
}

// The form as it opened is no change, however its values travel through the fields' texts
// (numbers, dates, notes, wheels standing at their rows).
TEST_F(LeaveTest, AnUntouchedFormClosesAtOnceWithoutAsking) {
  auto inserting = insertScreen();
  EXPECT_FALSE(inserting->formChanged());
  inserting->goBack();
  EXPECT_TRUE(presenter.sheets().empty());
  EXPECT_EQ(pops(presenter), 1);

  presenter.clear();
  auto watch = storedWatch();
  watch->setTakuupvm(at(2026, 12, 31));
  ASSERT_TRUE(context().save().isOk());
  auto editing = editScreen(watch);
  EXPECT_FALSE(editing->formChanged());
  // Opening a wheel and confirming it where it stands changes nothing.
  editing->textFieldDidBeginEditing("yearTextField");
  ASSERT_TRUE(editing->pressToolbarButton());
  EXPECT_EQ(editing->text("yearTextField"), "1998");
  EXPECT_FALSE(editing->formChanged());
  editing->goBack();
  EXPECT_TRUE(presenter.sheets().empty());
  EXPECT_EQ(pops(presenter), 1);
}

TEST_F(LeaveTest, TypedTextTurnedWheelsNotesAndPicturesAreChanges) {
  auto watch = storedWatch();
  auto screen = editScreen(watch);
  ASSERT_TRUE(screen->replaceText("manufacturerTextField", 5, 0, "x"));
  EXPECT_TRUE(screen->formChanged());
  // Typed away again: the form is as it opened.
  ASSERT_TRUE(screen->replaceText("manufacturerTextField", 5, 1, ""));
  EXPECT_FALSE(screen->formChanged());

  ASSERT_TRUE(screen->enterValue("movementTypeTextField", "Automatic").isOk());
  EXPECT_TRUE(screen->formChanged());
  ASSERT_TRUE(screen->enterValue("movementTypeTextField", "Quartz").isOk());
  EXPECT_FALSE(screen->formChanged());

  screen->enterNotes("Bought at the fair, with papers");
  EXPECT_TRUE(screen->formChanged());
  screen->enterNotes("Bought at the fair");
  EXPECT_FALSE(screen->formChanged());

  // An empty date field opens at today, which is a value the watch did not have.
  screen->textFieldDidBeginEditing("soldDateTextField");
  EXPECT_TRUE(screen->formChanged());

  // A new form: a cancelled picture is none, a chosen one replaces the placeholder.
  auto inserting = insertScreen();
  inserting->tapForPhoto();
  ASSERT_TRUE(presenter.press("photoGallery"));
  ASSERT_TRUE(presenter.answerImagePick(std::nullopt));
  EXPECT_FALSE(inserting->formChanged());
  inserting->tapForPhotoBack();
  ASSERT_TRUE(presenter.press("photoGallery"));
  ASSERT_TRUE(presenter.answerImagePick(pngOf(40, 40)));
  EXPECT_TRUE(inserting->formChanged());

  auto stamped = insertScreen();
  stamped->insertDatestampToNotesField();
  EXPECT_TRUE(stamped->formChanged());
}

TEST_F(LeaveTest, AChangedFormAsksAndOnlyDiscardCloses) {
  auto watch = storedWatch();
  auto screen = editScreen(watch);
  ASSERT_TRUE(screen->enterValue("yearTextField", "1970").isOk());
  presenter.clear();

  screen->goBack();
  ASSERT_NE(presenter.lastSheet(), nullptr);
  const Sheet& question = *presenter.lastSheet();
  EXPECT_EQ(question.style, SheetStyle::ActionSheet);
  EXPECT_EQ(question.title, "Discard changes?");
  EXPECT_EQ(question.message, "What you typed in this form will be lost.");
  EXPECT_EQ(question.actionList(), "discardChanges (\"Discard\"), cancel (\"Keep editing\")");
  ASSERT_EQ(question.actions.size(), 2u);
  EXPECT_EQ(question.actions[0].style, ActionStyle::Destructive);
  EXPECT_EQ(question.actions[1].style, ActionStyle::Cancel);
  EXPECT_EQ(pops(presenter), 0);

  // Keep editing: the form stays as typed, and asks again next time.
  ASSERT_TRUE(presenter.press("cancel"));
  EXPECT_EQ(pops(presenter), 0);
  EXPECT_EQ(screen->text("yearTextField"), "1970");
  screen->goBack();
  EXPECT_EQ(presenter.sheets().size(), 2u);

  ASSERT_TRUE(presenter.press("discardChanges"));
  EXPECT_EQ(pops(presenter), 1);
  EXPECT_EQ(allWatches().size(), 1u);
  EXPECT_EQ(watch->vuosimalli(), "1998");
  EXPECT_FALSE(context().hasChanges());
}

// Another way out (another tab) closes through its own action, and only once it may.
TEST_F(LeaveTest, LeavingByAnotherWayRunsItsOwnCloseAfterTheAnswer) {
  auto screen = insertScreen();
  int closed = 0;
  screen->leaveForm([&] { ++closed; });
  EXPECT_EQ(closed, 1);

  ASSERT_TRUE(screen->replaceText("modelTextField", 0, 0, "Speedmaster"));
  screen->leaveForm([&] { ++closed; });
  EXPECT_EQ(closed, 1);
  ASSERT_TRUE(presenter.press("discardChanges"));
  EXPECT_EQ(closed, 2);
  EXPECT_EQ(pops(presenter), 0);
  EXPECT_TRUE(allWatches().empty());

  // A screen gone before the answer closes nothing.
  screen->leaveForm([&] { ++closed; });
  screen.reset();
  ASSERT_TRUE(presenter.press("discardChanges"));
  EXPECT_EQ(closed, 2);
}

}  // namespace
}  // namespace tockary::testing
