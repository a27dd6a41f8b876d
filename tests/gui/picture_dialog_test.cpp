#include <cstdlib>

#include "editor_screen.h"
#include "gui/editor_gui_support.h"
#include "platform/image/image_codec.h"

namespace tockary::testing {
namespace {

// The photo gallery as a person uses it: taps, the path bar, the filter list and keys. The
// user's Pictures folder is one of the test's own, named in its XDG user-dirs file.
class PictureDialogTest : public EditorGuiTest {
 protected:
  void SetUp() override {
    pictures = dir.path() / "Pictures";
    std::filesystem::create_directories(pictures / "trips");
    ImageCodec codec;
    const auto picture = [&](int width, int height) {
      std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), 0xFF2255AA);
      return codec.encodePng(Image::fromArgb(width, height, pixels)).value();
    };
    const Bytes dial = picture(300, 200);
    writeFile(pictures / "dial.png", std::string(dial.begin(), dial.end()));
    const Bytes strap =
        codec
            .encodeJpeg(Image::fromArgb(80, 80, std::vector<std::uint32_t>(80 * 80, 0xFF884422)),
                        0.5)
            .value();
    writeFile(pictures / "trips" / "STRAP.JPG", std::string(strap.begin(), strap.end()));
    writeFile(pictures / "notes.txt", "not a picture");
    std::filesystem::create_directories(dir.path() / "config");
    writeFile(dir.path() / "config" / "user-dirs.dirs",
              "XDG_PICTURES_DIR=\"" + pictures.string() + "\"\n");
    if (const char* previous = std::getenv("XDG_CONFIG_HOME")) previousConfig = previous;
    setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
    EditorGuiTest::SetUp();
  }

  void TearDown() override {
    EditorGuiTest::TearDown();
    if (previousConfig) {
      setenv("XDG_CONFIG_HOME", previousConfig->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }

  gui::EditorScreen& editor() { return watchEditor(); }

  void openGallery(const QString& slot) {
    click(item(slot));
    pressAction("photoGallery");
    ASSERT_TRUE(waitFor([&] { return item("pictureDialog") != nullptr; }));
  }

  QQuickItem* entry(const QString& name) {
    QQuickItem* found = nullptr;
    waitFor([&] { return (found = item("pictureDialogEntry_" + name)) != nullptr; }, 3000);
    return found;
  }

  QString shownPath() { return item("pictureDialogPath")->property("text").toString(); }

  static QString path(const std::filesystem::path& folder) {
    return QString::fromStdString(folder.string());
  }

  // Replaces what the path bar says, as typed.
  void typePath(const QString& typed) {
    click(item("pictureDialogPath"));
    QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
    typeText(window(), typed);
    QTest::keyClick(window(), Qt::Key_Return);
    settle();
  }

  std::filesystem::path pictures;
  std::optional<std::string> previousConfig;
};

TEST_F(PictureDialogTest, OpensInPicturesFiltersByNameChoosesByTapsAndKeepsTheFolder) {
  ASSERT_NE(openEditor(), nullptr);
  openGallery("cameraImageView");
  EXPECT_EQ(shownPath(), path(pictures));
  QQuickItem* filter = item("pictureFilter");
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(filter->property("displayText").toString(), "Pictures (*.png *.jpg *.jpeg)");
  // Folders first, then the pictures; other files only under "All files".
  QQuickItem* trips = entry("trips");
  QQuickItem* dial = entry("dial.png");
  ASSERT_NE(trips, nullptr);
  ASSERT_NE(dial, nullptr);
  EXPECT_LT(trips->mapToScene(QPointF(0, 0)).y(), dial->mapToScene(QPointF(0, 0)).y());
  EXPECT_EQ(item("pictureDialogEntry_notes.txt"), nullptr);
  EXPECT_FALSE(item("pictureDialogOpen")->isEnabled());
  screenshot("pictures-folder");

  click(filter);
  click(item("pictureFilter_1"));
  EXPECT_EQ(filter->property("displayText").toString(), "All files (*)");
  EXPECT_NE(entry("notes.txt"), nullptr);
  screenshot("all-files");

  // Into a folder; a picture is chosen with Open. Upper-case extensions are pictures too.
  click(entry("trips"));
  EXPECT_EQ(shownPath(), path(pictures / "trips"));
  click(entry("STRAP.JPG"));
  ASSERT_TRUE(item("pictureDialogOpen")->isEnabled());
  screenshot("picture-selected");
  click(item("pictureDialogOpen"));
  EXPECT_EQ(item("pictureDialog"), nullptr);
  EXPECT_FALSE(app->presenter().imagePickPending());
  ASSERT_TRUE(editor().form()->pictureSlot("cameraImageView")->image);
  EXPECT_EQ(editor().form()->pictureSlot("cameraImageView")->image->width(), 80);

  // The next pick starts where this one came from, with the pictures filter; Esc cancels it.
  openGallery("cameraImageViewBack");
  EXPECT_EQ(shownPath(), path(pictures / "trips"));
  EXPECT_EQ(item("pictureFilter")->property("displayText").toString(),
            "Pictures (*.png *.jpg *.jpeg)");
  QTest::keyClick(window(), Qt::Key_Escape);
  settle();
  EXPECT_EQ(item("pictureDialog"), nullptr);
  EXPECT_FALSE(app->presenter().imagePickPending());
  EXPECT_NE(item("editorPage"), nullptr);  // Esc closed the dialog only
  EXPECT_EQ(item("pictureError"), nullptr);

  // Also after the app was quit and started again.
  restartApp();
  ASSERT_NE(openEditor(), nullptr);
  openGallery("cameraImageView");
  EXPECT_EQ(shownPath(), path(pictures / "trips"));
}

TEST_F(PictureDialogTest, ThePathBarAndTheKeysGoWhereTheyAreTold) {
  ASSERT_NE(openEditor(), nullptr);
  openGallery("cameraImageView");
  ASSERT_NE(entry("dial.png"), nullptr);

  typePath(path(pictures / "trips"));
  EXPECT_NE(entry("STRAP.JPG"), nullptr);
  EXPECT_EQ(shownPath(), path(pictures / "trips"));

  // A path to nothing leaves the folder as it was and says so in red.
  typePath(path(pictures / "nowhere"));
  EXPECT_TRUE(item("pictureDialogPath")->property("missing").toBool());
  EXPECT_NE(entry("STRAP.JPG"), nullptr);
  screenshot("missing-path");

  click(item("pictureDialogUp"));
  EXPECT_EQ(shownPath(), path(pictures));
  EXPECT_FALSE(item("pictureDialogPath")->property("missing").toBool());

  // Keys: Down points at the folder, Return opens it, Backspace goes back up.
  ASSERT_NE(entry("trips"), nullptr);
  QTest::keyClick(window(), Qt::Key_Down);
  QTest::keyClick(window(), Qt::Key_Return);
  settle();
  EXPECT_EQ(shownPath(), path(pictures / "trips"));
  QTest::keyClick(window(), Qt::Key_Backspace);
  settle();
  EXPECT_EQ(shownPath(), path(pictures));

  // A typed file is chosen as it is; one that is no picture is refused with the reason.
  typePath(path(pictures / "notes.txt"));
  EXPECT_EQ(item("pictureDialog"), nullptr);
  ASSERT_NE(item("pictureError"), nullptr);
  EXPECT_EQ(item("pictureError")->property("text").toString().toStdString(),
            editor().form()->pictureError().value_or("<none>"));
  screenshot("typed-file-refused");
}

}  // namespace
}  // namespace tockary::testing
