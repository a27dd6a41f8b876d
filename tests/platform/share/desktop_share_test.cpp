#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QObject>
#include <QUrl>

#include <algorithm>
#include <cstdlib>

#include "platform/share/desktop_share.h"
#include "platform/ui/sheet.h"
#include "support/fake_mail_program.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

namespace tockary::testing {
namespace {

using enum ShareActivity;

// What the screens exclude: the warranty card and the watch report, then the CSV export.
const std::vector<ShareActivity> kCardExclusions = {
    PostToFacebook,   PostToTwitter,   PostToWeibo,        Print,
    CopyToPasteboard, AssignToContact, SaveToCameraRoll,   AddToReadingList,
    PostToFlickr,     PostToVimeo,     PostToTencentWeibo, AirDrop};
const std::vector<ShareActivity> kExportExclusions = {
    AssignToContact,    SaveToCameraRoll, PostToFlickr,   PostToVimeo,
    PostToTencentWeibo, PostToTwitter,    PostToFacebook, OpenInIBooks};

const Bytes kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 1, 2};

ShareRequest cardRequest(std::string fileName = "Warranty card.png") {
  return {{ShareItem::data(kPng, std::move(fileName), "image/png"),
           ShareItem::text("Omega Speedmaster")},
          kCardExclusions};
}

mode_t modeOf(const std::filesystem::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

// Opening and copying need the application object; offscreen, nothing is opened for real.
class DesktopShareTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (qGuiApp != nullptr) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "platform_share_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // lives as long as the test program
  }

  TempDir dir;
  ShareFolder folder;
};

TEST_F(DesktopShareTest, OffersTheDesktopActivitiesInOrderWithoutExcludedOrIdleOnes) {
  const std::filesystem::path mail = "/usr/bin/xdg-email";
  const auto offered = [&](const ShareRequest& request, bool canMail) {
    return offeredShareActivities(request, canMail);
  };
  // The card: copying is excluded; mail only where xdg-email is.
  EXPECT_EQ(offered(cardRequest(), true),
            (std::vector{SaveToFile, OpenWithDefaultApplication, Mail}));
  EXPECT_EQ(offered(cardRequest(), false), (std::vector{SaveToFile, OpenWithDefaultApplication}));
  ShareRequest unrestricted = cardRequest();
  unrestricted.excludedActivityTypes.clear();
  EXPECT_EQ(offered(unrestricted, true),
            (std::vector{SaveToFile, OpenWithDefaultApplication, Mail, CopyToPasteboard}));

  const ShareRequest report{{ShareItem::file(dir.path() / "Report.pdf")}, kCardExclusions};
  EXPECT_EQ(offered(report, true), (std::vector{SaveToFile, OpenWithDefaultApplication, Mail}));
  const ShareRequest exported{{ShareItem::file(dir.path() / "Tockary.csv")}, kExportExclusions};
  EXPECT_EQ(offered(exported, false), (std::vector{SaveToFile, OpenWithDefaultApplication}));

  // Texts alone cannot be opened; a screen that excludes mail never gets it.
  const ShareRequest texts{{ShareItem::text("a"), ShareItem::text("b")}, {Mail}};
  EXPECT_EQ(offered(texts, true), (std::vector{SaveToFile, CopyToPasteboard}));
  EXPECT_TRUE(offered(ShareRequest{}, true).empty());
  EXPECT_TRUE(
      offered({{ShareItem::text("a")}, {SaveToFile, CopyToPasteboard, Mail}}, true).empty());
}

TEST_F(DesktopShareTest, TheSheetSaysWhatIsSharedAndListsTheOfferedActivitiesThenCancel) {
  DesktopShare share(cardRequest(), folder, "/usr/bin/xdg-email");
  std::vector<ShareActivity> chosen;
  const Sheet sheet = shareSheet(share, [&](ShareActivity a) { chosen.push_back(a); });
  EXPECT_EQ(sheet.style, SheetStyle::ActionSheet);
  EXPECT_EQ(sheet.displayedTitle(), "Share");
  EXPECT_EQ(sheet.displayedMessage(), "Warranty card.png\nOmega Speedmaster");
  EXPECT_EQ(sheet.actionList(),
            "saveToFile (\"Save to File\u2026\"), openWithDefaultApplication (\"Open with Default "
            "Application\"), mail (\"Mail\u2026\"), cancel (\"Cancel\")");
  ASSERT_TRUE(sheet.press("mail"));
  EXPECT_EQ(chosen, std::vector{Mail});
  EXPECT_EQ(sheet.dismissAction()->identity, "cancel");

  DesktopShare nothing({{ShareItem::text("x")}, {SaveToFile, CopyToPasteboard, Mail}}, folder, {});
  EXPECT_EQ(shareSheet(nothing, {}).displayedMessage(),
            "x\nNothing on this computer can take these items.");
  EXPECT_EQ(nothing.carryOut(CopyToPasteboard).description(),
            "Copy is not offered for these items.");
  EXPECT_EQ(nothing.saveTo(dir.path() / "x.txt").description(),
            "Save to File\u2026 is not offered for these items.");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.txt"));
}

TEST_F(DesktopShareTest, AFileNameIsOnlyANameAndAHostileOneFallsBackToASafeOne) {
  EXPECT_EQ(safeShareFileName("Warranty card.png", "image/png"), "Warranty card.png");
  EXPECT_EQ(safeShareFileName("../x.png", "image/png"), "x.png");
  EXPECT_EQ(safeShareFileName("a/b.png", "image/png"), "b.png");
  EXPECT_EQ(safeShareFileName("/etc/", "image/png"), "Shared file.png");
  EXPECT_EQ(safeShareFileName("..", "application/pdf"), "Shared file.pdf");
  EXPECT_EQ(safeShareFileName("", "text/csv"), "Shared file.csv");
  EXPECT_EQ(safeShareFileName("", ""), "Shared file");
  EXPECT_EQ(safeShareFileName("card\xff\xfe.png", "image/png"), "Shared file.png");
  EXPECT_EQ(safeShareFileName(".hidden.png", "image/png"), "hidden.png");
  EXPECT_EQ(safeShareFileName("line\nbreak\t.png", "image/png"), "linebreak.png");
  EXPECT_EQ(safeShareFileName(std::string(256, 'a'), "image/png"), "Shared file.png");
  EXPECT_EQ(safeShareFileName("Kello \xc3\xa4.png", "image/png"), "Kello \xc3\xa4.png");
}

TEST_F(DesktopShareTest, DataLandsPrivatelyUnderItsSafeNameAndGoesWithTheFolder) {
  FakeMailProgram mail(dir.path() / "bin");
  std::filesystem::path written;
  {
    ShareFolder own;
    ShareRequest request = cardRequest("../../escape.png");
    request.items.push_back(ShareItem::data({1, 2, 3}, "a/escape.png", "image/png"));
    DesktopShare share(std::move(request), own, mail.program());
    ASSERT_TRUE(share.carryOut(Mail)) << share.carryOut(Mail).description();

    written = *share.writtenFile(0);
    EXPECT_EQ(written.filename(), "escape.png");
    EXPECT_EQ(share.writtenFile(2)->filename(), "escape 2.png");
    EXPECT_EQ(written.parent_path(), share.writtenFile(2)->parent_path());
    EXPECT_EQ(written.parent_path().parent_path(), own.path());
    EXPECT_EQ(own.path().parent_path(), std::filesystem::temp_directory_path());
    EXPECT_EQ(modeOf(written), 0600);
    EXPECT_EQ(modeOf(written.parent_path()), 0700);
    EXPECT_EQ(modeOf(own.path()), 0700);
    EXPECT_EQ(readFile(written), std::string(kPng.begin(), kPng.end()));

    // Attachments in their order, then the texts as the body.
    EXPECT_EQ(
        mail.arguments(),
        (std::vector<std::string>{"--utf8", "--attach", written.string(), "--attach",
                                  share.writtenFile(2)->string(), "--body", "Omega Speedmaster"}));
  }
  EXPECT_FALSE(std::filesystem::exists(written.parent_path().parent_path()));
}

TEST_F(DesktopShareTest, MailFindsXdgEmailOnThePathJoinsTheTextsAndReportsAFailedStart) {
  FakeMailProgram mail(dir.path() / "bin");
  {
    const ScopedEnvironment path("PATH", (dir.path() / "empty").string());
    EXPECT_TRUE(findMailProgram().empty());
  }
  {
    const ScopedEnvironment path("PATH", (dir.path() / "bin").string());
    EXPECT_EQ(findMailProgram(), mail.program());
  }

  DesktopShare texts({{ShareItem::text("one"), ShareItem::text(""), ShareItem::text("three")}, {}},
                     folder, mail.program());
  ASSERT_TRUE(texts.carryOut(Mail));
  EXPECT_EQ(mail.arguments(), (std::vector<std::string>{"--utf8", "--body", "one\n\nthree"}));

  DesktopShare broken(cardRequest(), folder, dir.path() / "missing" / "xdg-email");
  const Status failed = broken.carryOut(Mail);
  ASSERT_FALSE(failed);
  EXPECT_TRUE(failed.description().starts_with("Could not start xdg-email: "))
      << failed.description();
}

TEST_F(DesktopShareTest, SavingRefusesFoldersAndMissingFoldersAndReplacesAtomically) {
  DesktopShare share(cardRequest(), folder, {});
  EXPECT_EQ(share.saveFileName(), "Warranty card.png");
  EXPECT_EQ(share.saveMimeType(), "image/png");
  EXPECT_EQ(share.saveNote(), "Saves Warranty card.png only, not the other item.");

  std::filesystem::create_directories(dir.path() / "Documents" / "card.png");
  EXPECT_EQ(share.saveTo(dir.path() / "Documents" / "card.png").description(),
            "Could not save to " + (dir.path() / "Documents" / "card.png").string() +
                ": it is a directory.");
  EXPECT_EQ(share.saveTo(dir.path() / "Nowhere" / "card.png").description(),
            "Could not save to " + (dir.path() / "Nowhere" / "card.png").string() +
                ": it is in a folder that does not exist.");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Nowhere"));
  EXPECT_EQ(namesIn(dir.path() / "Documents"), std::vector<std::string>{"card.png"});
  EXPECT_TRUE(namesIn(dir.path() / "Documents" / "card.png").empty());

  // An existing file is replaced whole, and nothing else is left beside it.
  const std::filesystem::path target = dir.path() / "Documents" / "old.png";
  writeFile(target, "an older picture, longer than the new one");
  ASSERT_TRUE(share.saveTo(target));
  EXPECT_EQ(readFile(target), std::string(kPng.begin(), kPng.end()));
  EXPECT_EQ(namesIn(dir.path() / "Documents"), (std::vector<std::string>{"card.png", "old.png"}));
}

TEST_F(DesktopShareTest, SavingCopiesAFileAndWritesTextsAloneAsText) {
  writeFile(dir.path() / "Tockary.csv", "Merkki,Malli\nOmega,Speedmaster\n");
  DesktopShare exported({{ShareItem::file(dir.path() / "Tockary.csv")}, kExportExclusions}, folder,
                        {});
  EXPECT_EQ(exported.saveFileName(), "Tockary.csv");
  EXPECT_EQ(exported.saveMimeType(), "text/csv");
  EXPECT_EQ(exported.saveNote(), "");
  ASSERT_TRUE(exported.saveTo(dir.path() / "copy.csv"));
  EXPECT_EQ(readFile(dir.path() / "copy.csv"), "Merkki,Malli\nOmega,Speedmaster\n");

  DesktopShare gone({{ShareItem::file(dir.path() / "gone.pdf")}, {}}, folder, {});
  EXPECT_TRUE(gone.saveTo(dir.path() / "out.pdf")
                  .description()
                  .starts_with("Could not save to " + (dir.path() / "out.pdf").string() + ": " +
                               (dir.path() / "gone.pdf").string() + " cannot be read"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.pdf"));

  DesktopShare texts(
      {{ShareItem::text("Purchased: 1/2/24"), ShareItem::text("Glass: Sapphire")}, {}}, folder, {});
  EXPECT_EQ(texts.saveFileName(), "Shared text.txt");
  ASSERT_TRUE(texts.saveTo(dir.path() / "notes.txt"));
  EXPECT_EQ(readFile(dir.path() / "notes.txt"), "Purchased: 1/2/24\nGlass: Sapphire\n");
}

// Stands in for the desktop's opener of local files.
class Opener : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

TEST_F(DesktopShareTest, OpensTheWrittenFileAndSaysSoWhenNothingCan) {
  DesktopShare share(cardRequest(), folder, {});
  // Offscreen there is no opener: that is a message, not silence.
  EXPECT_EQ(share.carryOut(OpenWithDefaultApplication).description(),
            "No application could open Warranty card.png.");

  Opener opener;
  QDesktopServices::setUrlHandler("file", &opener, "open");
  const Status opened = share.carryOut(OpenWithDefaultApplication);
  QDesktopServices::unsetUrlHandler("file");
  ASSERT_TRUE(opened) << opened.description();
  // The file written for the first attempt is used again.
  EXPECT_EQ(
      opener.opened,
      QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(share.writtenFile(0)->string()))});
}

TEST_F(DesktopShareTest, CopyPutsTheTextsOnTheClipboardInOrder) {
  DesktopShare share({{ShareItem::data(kPng, "x.png", "image/png"), ShareItem::text("Brand"),
                       ShareItem::text("Model")},
                      {}},
                     folder, {});
  ASSERT_TRUE(share.carryOut(CopyToPasteboard));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Brand\nModel");
  EXPECT_FALSE(share.writtenFile(0));  // nothing needed the picture as a file
}

}  // namespace
}  // namespace tockary::testing

#include "desktop_share_test.moc"
