#include <QQmlComponent>

#include <chrono>
#include <thread>

#include "gui/collection_screen_support.h"
#include "store/screens.h"

namespace tockary::testing {
namespace {

using GuiPictureTest = CollectionScreenTest;

// Waits without letting the GUI thread run anything, as a GUI thread busy elsewhere does.
bool waitWithoutEvents(const std::function<bool()>& condition) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// The image loader asks for a picture and is answered at once; the store is read later, on the
// GUI thread, and the picture arrives then. So the app can go while reads are still waiting, and
// they are dropped with it.
TEST_F(GuiPictureTest, TheLoaderNeverWaitsForTheGuiThreadNorTheAppForTheLoader) {
  std::vector<std::shared_ptr<Kello>> pictured;
  for (const char* model : {"Speedmaster", "Seamaster", "Constellation"}) {
    pictured.push_back(addWatch("Omega", model, "1969"));
    pictured.back()->setKellokuva(pngPicture(800, 600));
  }
  ASSERT_TRUE(app->services().context().save().isOk());
  revisitCollection();
  QQuickItem* first = find(row(*pictured.front()), "watchImageView");
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(waitFor([&] { return first->property("status").toInt() == 1; }));  // Ready

  // The detail page asks for its picture while it is built; the GUI thread runs nothing here.
  gui::Pictures& pictures = app->pictures();
  const auto openDetail = [&] {
    const int answered = pictures.responsesHandedOut();
    app->presenter().push(
        ScreenRequest{std::string(kWatchDetailScreen), pictured.front()->objectID().text(), {}});
    return waitWithoutEvents(
        [&] { return pictures.responsesHandedOut() > answered && pictures.readsWaiting() > 0; });
  };
  ASSERT_TRUE(openDetail()) << "the loader waits for the GUI thread";
  QQuickItem* picture = item("detailPictureImage");
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(waitFor([&] { return picture->property("status").toInt() == 1; }));  // Ready
  screenshot("detail");

  click(item("backButton"));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") == nullptr; }));
  ASSERT_TRUE(openDetail()) << "the loader waits for the GUI thread";
  app.reset();
  // The read that was waiting went with the app: nothing reads the closed store now.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

TEST_F(GuiPictureTest, ANameThatNamesNoPictureIsAnError) {
  QQmlComponent component(&app->engine());
  component.setData(
      "import QtQuick\n"
      "Item {\n"
      "  property Image gone: Image { source: 'image://picture/Kello/999/front' }\n"
      "  property Image unknown: Image { source: 'image://picture/nothing/here' }\n"
      "  property Image asset: Image { source: 'image://picture/asset/StatusKeeper' }\n"
      "}\n",
      QUrl());
  std::unique_ptr<QObject> root(component.create());
  ASSERT_NE(root, nullptr) << component.errorString().toStdString();
  const auto status = [&](const char* name) {
    return root->property(name).value<QObject*>()->property("status").toInt();
  };
  constexpr int kReady = 1;
  constexpr int kError = 3;
  EXPECT_TRUE(waitFor([&] { return status("gone") == kError; }));
  EXPECT_TRUE(waitFor([&] { return status("unknown") == kError; }));
  EXPECT_TRUE(waitFor([&] { return status("asset") == kReady; }));
}

}  // namespace
}  // namespace tockary::testing
