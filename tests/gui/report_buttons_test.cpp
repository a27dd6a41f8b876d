#include "gui/collection_screen_support.h"
#include "support/pdf_reading.h"
#include "support/scoped_environment.h"

namespace tockary::testing {
namespace {

// The detail page's report and share buttons, pressed as a person does: the report lands in the
// user's documents folder (one of the test's own) and the share sheet offers it.
class ReportButtonsTest : public CollectionScreenTest {
 protected:
  void SetUp() override {
    documents = dir.path() / "Documents";
    std::filesystem::create_directories(dir.path() / "config");
    writeFile(dir.path() / "config" / "user-dirs.dirs",
              "XDG_DOCUMENTS_DIR=\"" + documents.string() + "\"\n");
    CollectionScreenTest::SetUp();
  }

  // Opens the detail page of a watch, with a front picture when `picture` says so, and scrolls
  // down to the buttons.
  void openWatch(bool picture) {
    auto watch = addWatch("Alpha", "Beta", "1998");
    if (picture) watch->setKellokuva(pngPicture(40, 30));
    ASSERT_TRUE(app->services().context().save().isOk());
    revisitCollection();
    click(row(*watch));
    ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
    settle(300);
    dragDetailUntilShown("reportButton_PDF2_FOR_SALE");
  }

  QString text(const QString& objectName) {
    QQuickItem* found = item(objectName);
    return found != nullptr ? found->property("text").toString() : "<none>";
  }

  std::filesystem::path documents;
  const ScopedEnvironment config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
};

TEST_F(ReportButtonsTest, AReportButtonWritesTheReportAndOffersIt) {
  openWatch(true);
  EXPECT_EQ(text("reportButton_PDF"), "Report");
  EXPECT_EQ(text("reportButton_PDF2_FOR_SALE"), "For Sale, 2 pictures");
  click(item("reportButton_PDF_FOR_SALE"));
  ASSERT_TRUE(waitFor([&] { return app->presenter().visible(); }));
  EXPECT_EQ(text("sheetHeadline"), "Share");
  EXPECT_EQ(text("sheetMessage"), "Alpha Beta.pdf");
  EXPECT_NE(item("sheetAction_saveToFile"), nullptr);
  EXPECT_EQ(item("sheetAction_copy"), nullptr);
  screenshot("report-shared");
  const auto file = documents / "Alpha Beta.pdf";
  EXPECT_EQ(pdfInfo(file, "Title"), "Alpha Beta");
  EXPECT_TRUE(pdfInfo(file, "Page size").starts_with("595.2 x 595.2 pts"));
  pressAction("cancel");
  EXPECT_FALSE(app->presenter().visible());
}

TEST_F(ReportButtonsTest, WithoutTheBackPictureTheTwoPictureReportIsRefusedInAnAlert) {
  openWatch(true);
  click(item("reportButton_PDF2"));
  ASSERT_TRUE(waitFor([&] { return app->presenter().visible(); }));
  EXPECT_EQ(text("sheetHeadline"), "Could Not Share");
  EXPECT_EQ(text("sheetMessage"), "The report needs the back picture, and the watch has none");
  pressAction("ok");
  EXPECT_FALSE(std::filesystem::exists(documents / "Alpha Beta.pdf"));

  // The share buttons hand on the picture and the watch's texts.
  click(item("shareWatchInfoButton"));
  ASSERT_TRUE(waitFor([&] { return app->presenter().visible(); }));
  EXPECT_EQ(text("sheetHeadline"), "Share");
  EXPECT_TRUE(text("sheetMessage").startsWith("Alpha Beta.png\n"))
      << text("sheetMessage").toStdString();
  pressAction("cancel");
  click(item("shareInfoButton"));
  ASSERT_TRUE(waitFor([&] { return app->presenter().visible(); }));
  EXPECT_TRUE(text("sheetMessage").startsWith("Alpha Beta.png\n"));
}

}  // namespace
}  // namespace tockary::testing
