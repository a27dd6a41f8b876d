#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantList>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "platform/share/desktop_share.h"
#include "platform/ui/presenter.h"

namespace tockary::gui {

class GuiApp;
class Pictures;

// Shows the screens' sheets in QML: one sheet at a time, its displayed headline and message in
// their fonts, its text fields, its decorative pictures and its actions in order; choosing an
// action by its identity runs its handler. Opens the page of each screen the screens ask for.
// Also the photo picker: pickImage asks QML for a file dialog. And the share sheet: a sheet of the
// activities this desktop offers for the request; "Save to File…" asks QML for a save dialog.
class GuiPresenter : public QObject, public Presenter {
  Q_OBJECT
  QML_NAMED_ELEMENT(Sheets)
  QML_SINGLETON
  Q_PROPERTY(bool visible READ visible NOTIFY changed)
  Q_PROPERTY(bool actionSheet READ actionSheet NOTIFY changed)
  Q_PROPERTY(QString headline READ headline NOTIFY changed)
  Q_PROPERTY(QString headlineFont READ headlineFont NOTIFY changed)
  Q_PROPERTY(QString headlineFamily READ headlineFamily NOTIFY changed)
  Q_PROPERTY(bool headlineBold READ headlineBold NOTIFY changed)
  Q_PROPERTY(double headlineSize READ headlineSize NOTIFY changed)
  Q_PROPERTY(QString message READ message NOTIFY changed)
  Q_PROPERTY(QString messageFont READ messageFont NOTIFY changed)
  Q_PROPERTY(QString messageFamily READ messageFamily NOTIFY changed)
  Q_PROPERTY(bool messageBold READ messageBold NOTIFY changed)
  Q_PROPERTY(double messageSize READ messageSize NOTIFY changed)
  // {identity, title, style} per action in order; style is "default", "cancel" or "destructive".
  Q_PROPERTY(QVariantList actions READ actions NOTIFY changed)
  // The action set apart as cancel actions are (the first of style "cancel"); empty when none.
  Q_PROPERTY(QVariantMap cancelAction READ cancelAction NOTIFY changed)
  // {placeholder, numeric, text} per text field.
  Q_PROPERTY(QVariantList textFields READ textFields NOTIFY changed)
  // {source, x, y, width, height, animated, toX, toY, toWidth, toHeight, duration} per picture,
  // in the sheet's coordinates (negative y is above the sheet).
  Q_PROPERTY(QVariantList images READ images NOTIFY changed)
  Q_PROPERTY(bool imagePickPending READ imagePickPending NOTIFY imagePickChanged)
  // The picture dialog's texts: title, accept ("Open"), cancel, empty (a folder with nothing to
  // show).
  Q_PROPERTY(QVariantMap pictureDialogTexts READ pictureDialogTexts CONSTANT)
  // {name, globs} per file filter, the pictures first: "Pictures (*.png *.jpg *.jpeg)".
  Q_PROPERTY(QVariantList pictureFilters READ pictureFilters CONSTANT)
  // Where the picture dialog opens: the folder the last picture was chosen from (also in an
  // earlier run), else the user's Pictures folder, else the home folder.
  Q_PROPERTY(QUrl pictureFolder READ pictureFolder NOTIFY pictureFolderChanged)
  // The save dialog of "Save to File…": its texts (title, accept, cancel, empty, name, the note
  // saying what is left out, empty when nothing is), its filters (the saved item's type, then
  // "All files (*)"), the folder it opens in (the user's Documents folder, else the home folder)
  // and the name it proposes.
  Q_PROPERTY(QVariantMap saveDialogTexts READ saveDialogTexts NOTIFY shareChanged)
  Q_PROPERTY(QVariantList saveFilters READ saveFilters NOTIFY shareChanged)
  Q_PROPERTY(QUrl saveFolder READ saveFolder NOTIFY shareChanged)
  Q_PROPERTY(QString saveFileName READ saveFileName NOTIFY shareChanged)
  // {page, tab, properties} of every screen that can be asked for, for the self-test.
  Q_PROPERTY(QVariantList pages READ pages CONSTANT)

 public:
  // The picture source of the shown sheet's pictures given as bytes.
  static constexpr const char* kPictureSource = "sheet";

  explicit GuiPresenter(QObject* parent);

  // Serves the shown sheet's pictures given as bytes.
  void servePictures(Pictures& pictures);
  // Keeps the picture dialog's last folder in `file` (an ini file of the app's own), and starts
  // from the one kept there.
  void keepPictureFolderIn(const QString& file);

  void present(Sheet sheet) override;
  // A screen without a page is reported through the diagnostics and opens nothing.
  void push(ScreenRequest request) override;
  void pop(int count) override;
  // Presents the share sheet of the request; a failure of its activities is shown in an alert.
  void share(ShareRequest request) override;
  // The request share() was last given; nullopt before the first.
  const std::optional<ShareRequest>& lastShareRequest() const { return lastShareRequest_; }
  // Emits imagePickRequested; the answer comes through imageFileChosen or imagePickCancelled.
  void pickImage(ImageSource source, std::function<void(PickedImage)> done) override;
  // This desktop has no camera the app can drive.
  bool cameraAvailable() const override { return false; }

  bool visible() const { return sheet_.has_value(); }
  bool actionSheet() const;
  QString headline() const;
  QString headlineFont() const;
  QString headlineFamily() const;
  bool headlineBold() const;
  double headlineSize() const;
  QString message() const;
  QString messageFont() const;
  QString messageFamily() const;
  bool messageBold() const;
  double messageSize() const;
  QVariantList actions() const;
  QVariantMap cancelAction() const;
  QVariantList textFields() const;
  QVariantList images() const;
  bool imagePickPending() const { return static_cast<bool>(pendingPick_); }
  static QVariantMap pictureDialogTexts();
  static QVariantList pictureFilters();
  // A file dialog's filters for files of one kind: "NAME (GLOBS)", then "All files (*)".
  static QVariantList fileFilters(const QString& name, const QStringList& globs);
  QUrl pictureFolder() const;
  QVariantMap saveDialogTexts() const;
  QVariantList saveFilters() const;
  static QUrl saveFolder();
  QString saveFileName() const;
  QVariantList pages() const;

  // The installed family standing in for a font the screens name ("HelveticaNeue-Bold" →
  // "Nimbus Sans"), and whether that font is bold; other pages use them too.
  Q_INVOKABLE static QString fontFamily(const QString& fontName);
  Q_INVOKABLE static bool fontBold(const QString& fontName);

  // What the user typed into a text field of the shown sheet; the action's handler reads it.
  Q_INVOKABLE void setFieldText(int index, const QString& text);
  // Closes the sheet and runs the action with this identity. An identity the sheet does not have
  // is a bug: it is reported through the diagnostics and the sheet stays.
  Q_INVOKABLE void choose(const QString& identity);
  // Esc or a tap beside the sheet: chooses its dismiss action; a sheet without one stays.
  Q_INVOKABLE void dismiss();
  // Enter in the sheet's text field: chooses its one default action, if it has exactly one.
  Q_INVOKABLE void submit();

  // The picker's answer: the file's bytes, or why the file cannot be used (not a regular file,
  // larger than pictures may be, unreadable), which the screen shows as it shows any refusal.
  Q_INVOKABLE void imageFileChosen(const QUrl& file);
  Q_INVOKABLE void imagePickCancelled();
  // What the picture dialog's path bar names: `typed` as an absolute path, "~/..." or relative to
  // the folder `from`, as {url, folder}; empty when nothing is there.
  Q_INVOKABLE static QVariantMap pathAt(const QString& typed, const QUrl& from);
  // Where a file named `typed` (as pathAt reads it) is, whether or not it exists.
  Q_INVOKABLE static QUrl fileAt(const QString& typed, const QUrl& from);
  // The save dialog's answer: saves the shared item there, first asking whether to replace a
  // file that exists.
  Q_INVOKABLE void saveShared(const QUrl& file);
  // The folder as the path bar shows it.
  Q_INVOKABLE static QString pathOf(const QUrl& folder);

  // The encoded picture `index` of the shown sheet; empty when it has none.
  Bytes sheetPicture(int index) const;

  static void setInstance(GuiPresenter* presenter);
  static GuiPresenter* create(QQmlEngine* engine, QJSEngine*);

 signals:
  void changed();
  // `page` is the QML file of the screen asked for, to be opened in the tab named `tab` with
  // `properties` (its objectId, and its form and handOver where it has them).
  void screenRequested(QString page, QString tab, QVariantMap properties);
  void popRequested(int count);
  void imagePickRequested();
  void imagePickChanged();
  // After a picked picture (or a cancel) was handed to the screen that asked for it.
  void imagePickAnswered();
  void pictureFolderChanged();
  void shareChanged();
  void saveDialogRequested();

 private:
  // Only the composition root makes the presenter. QML would build a second, default-constructed
  // one for the singleton (showing none of the screens' sheets) if it could.
  friend class GuiApp;
  GuiPresenter() : GuiPresenter(nullptr) {}

  void answerPick(PickedImage picked);
  void carryOut(ShareActivity activity);
  void save(const std::filesystem::path& file);

  std::optional<Sheet> sheet_;
  int revision_ = 0;  // new picture URLs for every sheet
  std::function<void(PickedImage)> pendingPick_;
  QString lastPictureFolder_;
  QString pictureFolderFile_;
  ShareFolder shareFolder_;
  std::unique_ptr<DesktopShare> sharing_;
  std::optional<ShareRequest> lastShareRequest_;
};

}  // namespace tockary::gui
