#include "gui/editor_gui_support.h"
#include "platform/store/store_backup.h"
#include "store/collection_model.h"
#include "support/scoped_environment.h"

namespace tockary::testing {
namespace {

// "Back Up…" and "Restore…" of the settings screen, through their file dialogs and sheets.
class BackupGuiTest : public EditorGuiTest {
 protected:
  void SetUp() override {
    documents = userFolder("DOCUMENTS", "Documents");
    EditorGuiTest::SetUp();
  }

  std::shared_ptr<Kello> addWatch(const std::string& brand) {
    auto watch = app->services().context().insertNewObject<Kello>();
    watch->setMerkki(brand);
    watch->setMyyntiliike(std::string());
    EXPECT_TRUE(app->services().context().save().isOk());
    return watch;
  }

  QString sheetHeadline() { return app->presenter().visible() ? app->presenter().headline() : ""; }

  QQuickItem* row(std::int64_t key) { return item("row_" + QString::number(key)); }

  // Taps a row of the settings screen's end, after scrolling the list to it.
  void tapSettingsRow(const QString& objectName) {
    click(item("tab_settings"));
    QQuickItem* button = item(objectName);
    ASSERT_NE(button, nullptr) << objectName.toStdString();
    scrollIntoView("settingsList", button);
    click(button);
  }

  // Puts `text` into a dialog's field as typed, replacing what it holds, and presses Enter.
  void typeInto(const QString& field, const std::string& text) {
    click(item(field));
    QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
    typeText(window(), QString::fromStdString(text));
    pressKey(Qt::Key_Return);
  }

  std::filesystem::path backupFile() const { return documents / "mine.sqlite"; }
  std::filesystem::path documents;
  const ScopedEnvironment config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
};

TEST_F(BackupGuiTest, BackUpWritesTheChosenFileAndRestoreBringsItBack) {
  auto omega = addWatch("Omega");
  auto seiko = addWatch("Seiko");
  const auto seikoId = seiko->objectID();

  tapSettingsRow("backUpButton");
  ASSERT_NE(item("backupDialog"), nullptr);
  EXPECT_TRUE(item("backupDialogName")->property("text").toString().startsWith("Tockary backup "));
  screenshot("backup-dialog");
  typeInto("backupDialogName", "mine.sqlite");
  EXPECT_EQ(item("backupDialog"), nullptr);
  ASSERT_TRUE(waitFor([&] { return sheetHeadline() == "Backup Saved"; }));
  EXPECT_TRUE(app->presenter().message().contains("Watches: 2"));
  pressAction("ok");
  auto checked =
      checkBackup(backupFile(), app->services().app.persistentContainer().managedObjectModel());
  ASSERT_TRUE(checked) << checked.status().description();
  EXPECT_EQ(checked->records.front(), std::make_pair(std::string("Kello"), std::int64_t{2}));

  // The Seiko goes, a Tudor comes; the restore brings back the two of the backup.
  auto& context = app->services().context();
  context.deleteObject(seiko);
  seiko.reset();
  addWatch("Tudor");
  click(item("tab_collection"));
  ASSERT_TRUE(waitFor([&] { return row(3) != nullptr; }));
  EXPECT_EQ(row(seikoId.primaryKey), nullptr);

  tapSettingsRow("restoreButton");
  ASSERT_NE(item("restoreDialog"), nullptr);
  typeInto("restoreDialogPath", backupFile().string());
  ASSERT_TRUE(waitFor([&] { return sheetHeadline() == "Restore this backup?"; }));
  EXPECT_TRUE(app->presenter().message().contains("Watches: 2 now, 2 in the backup"));
  screenshot("restore-sheet");
  pressAction("confirmRestore");
  ASSERT_TRUE(waitFor([&] { return sheetHeadline() == "Collection Restored"; }));
  pressAction("ok");

  click(item("tab_collection"));
  ASSERT_TRUE(waitFor([&] { return row(seikoId.primaryKey) != nullptr; }));
  EXPECT_NE(row(omega->objectID().primaryKey), nullptr);
  EXPECT_EQ(row(3), nullptr);  // the Tudor is gone
  const auto restored = context.existingObject<Kello>(seikoId);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->merkki(), "Seiko");
  screenshot("restored-collection");
}

TEST_F(BackupGuiTest, AFileThatIsNoBackupIsRefusedInAnAlertAndNothingChanges) {
  addWatch("Omega");
  const auto notes = documents / "notes.sqlite";
  writeFile(notes, "not a database\n");
  tapSettingsRow("restoreButton");
  typeInto("restoreDialogPath", notes.string());
  ASSERT_TRUE(waitFor([&] { return sheetHeadline() == "Cannot Restore"; }));
  EXPECT_EQ(
      app->presenter().message(),
      QString::fromStdString(notes.string() + " is not a Tockary backup; nothing was changed"));
  pressAction("ok");
  EXPECT_EQ(*app->services().context().count(FetchRequest("Kello")), 1);
}

}  // namespace
}  // namespace tockary::testing
