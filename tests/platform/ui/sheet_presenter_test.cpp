#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/sheet.h"
#include "support/recording_presenter.h"

namespace tockary {
namespace {

Sheet twoActionSheet(std::vector<std::string>& log) {
  Sheet sheet;
  sheet.title = "Log it?";
  sheet.actions.push_back(
      {"logFirst", "OK", ActionStyle::Default, [&log] { log.push_back("first"); }});
  sheet.actions.push_back(cancelAction());
  sheet.actions.push_back(
      {"logSecond", "OK", ActionStyle::Default, [&log] { log.push_back("second"); }});
  return sheet;
}

TEST(SheetTest, PressRunsTheActionWithThatIdentity) {
  std::vector<std::string> log;
  const Sheet sheet = twoActionSheet(log);
  EXPECT_EQ(sheet.action("logSecond"), &sheet.actions[2]);
  EXPECT_EQ(sheet.action("OK"), nullptr);  // a title is not an identity
  EXPECT_TRUE(sheet.press("logSecond"));
  EXPECT_TRUE(sheet.press("cancel"));  // no handler: only closes the sheet
  EXPECT_EQ(log, std::vector<std::string>{"second"});
  // A user may name an action either way; an identity wins over a title.
  EXPECT_EQ(sheet.actionNamed("OK"), &sheet.actions[0]);
  EXPECT_EQ(sheet.actionNamed("logSecond"), &sheet.actions[2]);
  EXPECT_EQ(sheet.actionNamed("Delete"), nullptr);
}

TEST(SheetTest, PressingAnActionTheSheetDoesNotHaveIsAnErrorNamingItsActions) {
  std::vector<std::string> log;
  const Sheet sheet = twoActionSheet(log);
  const Status pressed = sheet.press("confirmDelete");
  ASSERT_FALSE(pressed);
  EXPECT_EQ(pressed.description(),
            "The sheet \"Log it?\" has no action \"confirmDelete\"; it has: logFirst (\"OK\"), "
            "cancel (\"Cancel\"), logSecond (\"OK\")");
  EXPECT_TRUE(log.empty());
}

TEST(SheetTest, AnIdentityKeepsWorkingWhenItsTitleChanges) {
  std::vector<std::string> log;
  Sheet sheet = twoActionSheet(log);
  sheet.actions[2].title = "Log the second one";
  EXPECT_TRUE(sheet.press("logSecond"));
  EXPECT_EQ(log, std::vector<std::string>{"second"});
}

TEST(SheetTest, DisplayedTextsPreferTheAttributedOnes) {
  Sheet sheet;
  EXPECT_EQ(sheet.displayedTitle(), "");
  sheet.title = "plain";
  sheet.message = "plain message";
  EXPECT_EQ(sheet.displayedTitle(), "plain");
  sheet.attributedTitle = AttributedText{"Headline", "HelveticaNeue-Bold", 20};
  sheet.attributedMessage = AttributedText{"", "HelveticaNeue", 14};
  EXPECT_EQ(sheet.displayedTitle(), "Headline");
  EXPECT_EQ(sheet.displayedMessage(), "");
}

TEST(SheetTest, HandlerReadsWhatWasTypedIntoThePresentedCopy) {
  RecordingPresenter presenter;
  std::string submitted;
  Sheet sheet;
  sheet.textFields.push_back({"", KeyboardKind::Number});
  auto typed = sheet.textFields[0].text;
  sheet.actions.push_back(
      {"submit", "Submit", ActionStyle::Default, [&, typed] { submitted = *typed; }});
  presenter.present(sheet);

  *presenter.lastSheet()->textFields[0].text = "42";
  ASSERT_TRUE(presenter.press("submit"));
  EXPECT_EQ(submitted, "42");
}

// Esc, a tap beside the sheet and Enter in its field each press one action, found by what the
// actions are, never by their titles or places.
TEST(SheetTest, DismissAndDefaultActionsAreFoundByIdentityAndStyle) {
  const auto identityOf = [](const SheetAction* action) {
    return action == nullptr ? std::string("<none>") : action->identity;
  };
  const SheetAction submit{"submitNewWearCount", "Submit", ActionStyle::Default, {}};
  const SheetAction erase{"resetWristStats", "Reset", ActionStyle::Destructive, {}};

  Sheet adjust;
  adjust.actions = {submit, cancelAction()};
  EXPECT_EQ(identityOf(adjust.dismissAction()), "cancel");
  EXPECT_EQ(identityOf(adjust.defaultAction()), "submitNewWearCount");

  // A destructive action is never what Enter presses.
  Sheet reset;
  reset.actions = {erase, cancelAction()};
  EXPECT_EQ(identityOf(reset.defaultAction()), "<none>");

  // The badge: its only action, OK, is set apart as a cancel action.
  Sheet badge;
  badge.actions = {okAction(ActionStyle::Cancel)};
  EXPECT_EQ(identityOf(badge.dismissAction()), "ok");
  EXPECT_EQ(identityOf(badge.defaultAction()), "<none>");

  // A lone plain OK closes the sheet either way.
  Sheet notice;
  notice.actions = {okAction()};
  EXPECT_EQ(identityOf(notice.dismissAction()), "ok");
  EXPECT_EQ(identityOf(notice.defaultAction()), "ok");

  // Two choices and no way out: the sheet waits for one of them.
  std::vector<std::string> log;
  Sheet both = twoActionSheet(log);
  both.actions.erase(both.actions.begin() + 1);
  EXPECT_EQ(identityOf(both.dismissAction()), "<none>");
  EXPECT_EQ(identityOf(both.defaultAction()), "<none>");

  // The identity "cancel" wins over an earlier action of cancel style, and is never the default
  // whatever its style.
  Sheet odd;
  odd.actions = {
      okAction(ActionStyle::Cancel), submit, {"cancel", "Keep editing", ActionStyle::Default, {}}};
  EXPECT_EQ(identityOf(odd.dismissAction()), "cancel");
  EXPECT_EQ(identityOf(odd.defaultAction()), "submitNewWearCount");

  EXPECT_EQ(identityOf(Sheet{}.dismissAction()), "<none>");
  EXPECT_EQ(identityOf(Sheet{}.defaultAction()), "<none>");
}

class RecordingPresenterTest : public testing::Test {
 protected:
  RecordingPresenter presenter_;
};

TEST_F(RecordingPresenterTest, RecordsEveryRequestInOrder) {
  Sheet sheet;
  sheet.title = "Menu";
  presenter_.present(sheet);
  presenter_.push({"TarkasteleKelloaTableViewController", "Kello/12", {{"edit", "1"}}});
  presenter_.pop(2);
  presenter_.share(
      {{ShareItem::file("/tmp/Tockary.csv"), ShareItem::text("text")}, {ShareActivity::AirDrop}});
  presenter_.pickImage(ImageSource::Camera, [](PickedImage) {});

  const auto& events = presenter_.events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(std::get<Sheet>(events[0]).title, "Menu");
  EXPECT_EQ(std::get<ScreenRequest>(events[1]).objectId, "Kello/12");
  EXPECT_EQ(std::get<ScreenRequest>(events[1]).arguments.at("edit"), "1");
  EXPECT_EQ(std::get<RecordingPresenter::Pop>(events[2]).count, 2);
  const ShareRequest& shared = std::get<RecordingPresenter::Share>(events[3]).request;
  ASSERT_EQ(shared.items.size(), 2u);
  EXPECT_EQ(shared.items[0].asFile()->path, "/tmp/Tockary.csv");
  EXPECT_EQ(*shared.items[1].asText(), "text");
  EXPECT_EQ(shared.excludedActivityTypes, std::vector<ShareActivity>{ShareActivity::AirDrop});
  EXPECT_EQ(std::get<RecordingPresenter::ImagePick>(events[4]).source, ImageSource::Camera);
}

TEST_F(RecordingPresenterTest, HandlerMayPresentTheNextSheet) {
  // Each press presents a new sheet, so the recorded sheets move while a handler runs.
  int depth = 0;
  std::function<Sheet()> makeSheet = [&] {
    Sheet sheet;
    sheet.title = "Level " + std::to_string(depth);
    sheet.actions.push_back({"next", "Next", ActionStyle::Default, [&] {
                               ++depth;
                               presenter_.present(makeSheet());
                             }});
    return sheet;
  };
  presenter_.present(makeSheet());
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(presenter_.press("next"));
  EXPECT_EQ(presenter_.sheets().size(), 21u);
  EXPECT_EQ(presenter_.lastSheet()->title, "Level 20");
}

TEST_F(RecordingPresenterTest, PressWithoutSheetOrActionFails) {
  EXPECT_FALSE(presenter_.press("ok"));
  presenter_.present(Sheet{});
  EXPECT_FALSE(presenter_.press("ok"));
}

TEST_F(RecordingPresenterTest, ImagePickIsAnsweredOnce) {
  EXPECT_FALSE(presenter_.answerImagePick(Bytes{1}));
  std::vector<PickedImage> answers;
  presenter_.pickImage(ImageSource::PhotoLibrary, [&](PickedImage picture) {
    answers.push_back(picture);
    // A picker that reopens itself from its own completion stays pending.
    if (answers.size() == 1) {
      presenter_.pickImage(ImageSource::PhotoLibrary, [&](PickedImage p) { answers.push_back(p); });
    }
  });
  ASSERT_TRUE(presenter_.answerImagePick(Bytes{0x89, 0x50}));
  EXPECT_TRUE(presenter_.imagePickPending());
  ASSERT_TRUE(presenter_.answerImagePick(std::nullopt));
  EXPECT_FALSE(presenter_.imagePickPending());
  EXPECT_FALSE(presenter_.answerImagePick(std::nullopt));
  ASSERT_EQ(answers.size(), 2u);
  ASSERT_TRUE(answers[0] && answers[0]->isOk());
  EXPECT_EQ(answers[0]->value(), (Bytes{0x89, 0x50}));
  EXPECT_FALSE(answers[1].has_value());
}

}  // namespace
}  // namespace tockary
