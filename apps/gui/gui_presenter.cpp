#include "gui_presenter.h"

#include <QColor>

#include <cmath>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QMimeDatabase>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>

#include "accuracy/accuracy_form.h"
#include "picture_provider.h"
#include "platform/image/image_codec.h"
#include "platform/image/qt_image.h"
#include "platform/outside_file.h"
#include "platform/render/font_names.h"
#include "platform/ui/diagnostics.h"
#include "qt_text.h"
#include "service/service_form.h"
#include "service/warranty_form.h"
#include "store/screens.h"
#include "watch/wear_counter.h"

namespace tockary::gui {

namespace {

GuiPresenter* instance = nullptr;

// The page that shows each screen the screens open, the tab it opens in, and for an editor the
// form the page serves.
struct ScreenPage {
  std::string_view screen;
  const char* page;
  const char* tab;
  const char* form = nullptr;
};
constexpr ScreenPage kScreenPages[] = {
    {kWatchDetailScreen, "DetailPage.qml", "collection"},
    {kWatchEditorScreen, "EditorPage.qml", "collection", "watch"},
    {kServiceDetailScreen, "ServiceDetailPage.qml", "services"},
    {kServiceEditorScreen, "EditorPage.qml", "services", "service"},
    {kMeasurementScreen, "MeasurementPage.qml", "measurements"},
    {kWarrantyDetailScreen, "WarrantyDetailPage.qml", "warranties"},
    {kWarrantyEditorScreen, "EditorPage.qml", "warranties", "warranty"},
};

// What the page is opened with: the record, and the form and the hand-over where there are any.
QVariantMap pageProperties(const ScreenPage& page, const ScreenRequest& request) {
  QVariantMap properties{{"objectId", qs(request.objectId)}};
  if (page.form != nullptr) properties.insert("form", page.form);
  if (!request.arguments.empty()) {
    QVariantMap arguments;
    for (const auto& [key, value] : request.arguments) arguments.insert(qs(key), qs(value));
    properties.insert("handOver", arguments);
  }
  return properties;
}

// The picture dialog's filters: a name and the file names it shows.
struct PictureFilter {
  const char* name;
  std::initializer_list<const char*> globs;
};
const PictureFilter kAllFiles = {"All files", {"*"}};
const PictureFilter kPictureFilters[] = {
    {"Pictures", {"*.png", "*.jpg", "*.jpeg"}},
    kAllFiles,
};

// A file dialog's filter as QML takes it: "Pictures (*.png *.jpg *.jpeg)" and its globs.
QVariantMap filterEntry(const QString& name, const QStringList& globs) {
  return {{"name", QString("%1 (%2)").arg(name, globs.join(' '))}, {"globs", globs}};
}

QVariantMap filterEntry(const PictureFilter& filter) {
  QStringList globs;
  for (const char* glob : filter.globs) globs << glob;
  return filterEntry(filter.name, globs);
}

// The first of `folders` that exists, else the home folder.
QUrl existingFolder(std::initializer_list<QString> folders) {
  for (const QString& folder : folders) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return QUrl::fromLocalFile(folder);
  }
  return QUrl::fromLocalFile(QDir::homePath());
}

QString colorName(const Rgba& c) {
  return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                          static_cast<float>(c.blue), static_cast<float>(c.alpha))
      .name(QColor::HexArgb);
}

// How a sheet picture is drawn around and turned: background (empty for none), radius, border,
// shadow, centred, and the spin as QML animates it.
QVariantMap decorationMap(const SheetImage& image) {
  const PictureDecoration& d = image.decoration;
  QVariantMap map{{"background", d.background ? colorName(*d.background) : QString()},
                  {"radius", d.cornerRadius},
                  {"borderColor", colorName(d.borderColor)},
                  {"borderWidth", d.borderWidth},
                  {"shadowRadius", d.shadowRadius},
                  {"shadowOpacity", d.shadowOpacity},
                  {"shadowX", d.shadowOffsetX},
                  {"shadowY", d.shadowOffsetY},
                  {"centred", image.centredHorizontally},
                  {"spins", image.spin.has_value()}};
  if (image.spin) {
    // An affine rotation is interpolated between matrices: what shows is the angle modulo a
    // full turn.
    map["spinDegrees"] = std::fmod(image.spin->angle, 2 * M_PI) * 180 / M_PI;
    map["spinDuration"] = static_cast<int>(image.spin->duration * 1000);
    map["returnDuration"] = static_cast<int>(image.spin->returnDuration * 1000);
  }
  return map;
}

QVariantMap frameMap(const Frame& frame, const QString& prefix) {
  const auto key = [&](const char* name) {
    if (prefix.isEmpty()) return QString::fromLatin1(name);
    QString capital = QString::fromLatin1(name);
    capital[0] = capital[0].toUpper();
    return prefix + capital;
  };
  return {{key("x"), frame.x},
          {key("y"), frame.y},
          {key("width"), frame.width},
          {key("height"), frame.height}};
}

}  // namespace

GuiPresenter::GuiPresenter(QObject* parent) : QObject(parent) {}

void GuiPresenter::servePictures(Pictures& pictures) {
  pictures.addSource(kPictureSource, [this](const QString& key) -> std::optional<PictureData> {
    Bytes bytes = sheetPicture(key.toInt());
    if (bytes.empty()) return std::nullopt;
    return PictureData{std::move(bytes), {}};
  });
}

void GuiPresenter::present(Sheet sheet) {
  sheet_ = std::move(sheet);
  ++revision_;
  emit changed();
}

void GuiPresenter::push(ScreenRequest request) {
  for (const ScreenPage& known : kScreenPages) {
    if (known.screen == request.screen) {
      emit screenRequested(known.page, known.tab, pageProperties(known, request));
      return;
    }
  }
  diagnostic("No page shows the screen " + request.screen);
}

QVariantList GuiPresenter::pages() const {
  QVariantList list;
  for (const ScreenPage& known : kScreenPages) {
    list << QVariantMap{{"page", known.page},
                        {"tab", known.tab},
                        {"properties", pageProperties(known, ScreenRequest{})}};
  }
  return list;
}

void GuiPresenter::pop(int count) { emit popRequested(count); }

void GuiPresenter::share(ShareRequest request) {
  lastShareRequest_ = request;
  // Asked for again each time, so that a mail program installed meanwhile is offered.
  sharing_ = std::make_unique<DesktopShare>(std::move(request), shareFolder_, findMailProgram());
  emit shareChanged();
  present(shareSheet(*sharing_, [this](ShareActivity activity) { carryOut(activity); }));
}

void GuiPresenter::carryOut(ShareActivity activity) {
  if (!sharing_) return;
  if (activity == ShareActivity::SaveToFile) {
    emit saveDialogRequested();
    return;
  }
  if (Status done = sharing_->carryOut(activity); !done) present(shareFailureSheet(done));
}

void GuiPresenter::saveShared(const QUrl& file) {
  const std::filesystem::path path = QFile::encodeName(file.toLocalFile()).toStdString();
  if (QFileInfo(file.toLocalFile()).isFile()) {
    present(replaceFileSheet(path, [this, path] { save(path); }));
  } else {
    save(path);
  }
}

void GuiPresenter::save(const std::filesystem::path& file) {
  if (!sharing_) return;
  if (Status saved = sharing_->saveTo(file); !saved) present(shareFailureSheet(saved));
}

QVariantMap GuiPresenter::saveDialogTexts() const {
  return {{"title", "Save to File"},
          {"accept", "Save"},
          {"cancel", qs(tockary::cancelAction().title)},
          {"empty", pictureDialogTexts()["empty"]},
          {"name", "Save As:"},
          {"note", sharing_ ? qs(sharing_->saveNote()) : QString()}};
}

QVariantList GuiPresenter::saveFilters() const {
  QVariantList list;
  const QMimeType type =
      sharing_ ? QMimeDatabase().mimeTypeForName(qs(sharing_->saveMimeType())) : QMimeType();
  if (type.isValid() && !type.globPatterns().isEmpty()) {
    list << filterEntry(type.comment(), type.globPatterns());
  }
  list << filterEntry(kAllFiles);
  return list;
}

QVariantList GuiPresenter::fileFilters(const QString& name, const QStringList& globs) {
  return {filterEntry(name, globs), filterEntry(kAllFiles)};
}

QUrl GuiPresenter::saveFolder() {
  return existingFolder({QString::fromStdString(documentsFolder().string())});
}

QString GuiPresenter::saveFileName() const {
  return sharing_ ? qs(sharing_->saveFileName()) : QString();
}

void GuiPresenter::pickImage(ImageSource /*source*/, std::function<void(PickedImage)> done) {
  // A newer request replaces an unanswered one, which counts as cancelled.
  if (pendingPick_) answerPick(std::nullopt);
  pendingPick_ = std::move(done);
  emit imagePickChanged();
  emit imagePickRequested();
}

QVariantMap GuiPresenter::pictureDialogTexts() {
  return {{"title", "Choose a Picture"},
          {"accept", "Open"},
          {"cancel", qs(tockary::cancelAction().title)},
          {"empty", "Nothing to show in this folder"}};
}

QVariantList GuiPresenter::pictureFilters() {
  QVariantList list;
  for (const PictureFilter& filter : kPictureFilters) list << filterEntry(filter);
  return list;
}

QUrl GuiPresenter::pictureFolder() const {
  return existingFolder(
      {lastPictureFolder_, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)});
}

QUrl GuiPresenter::fileAt(const QString& typed, const QUrl& from) {
  QString path = typed.trimmed();
  if (path.isEmpty()) return {};
  if (path.startsWith("file:")) {
    path = QUrl(path).toLocalFile();
  } else if (path == "~" || path.startsWith("~/")) {
    path = QDir::homePath() + path.mid(1);
  }
  return QUrl::fromLocalFile(
      QDir::cleanPath(QFileInfo(QDir(from.toLocalFile()), path).absoluteFilePath()));
}

QVariantMap GuiPresenter::pathAt(const QString& typed, const QUrl& from) {
  const QUrl url = fileAt(typed, from);
  const QFileInfo info(url.toLocalFile());
  if (url.isEmpty() || !info.exists()) return {};
  return {{"url", url}, {"folder", info.isDir()}};
}

QString GuiPresenter::pathOf(const QUrl& folder) {
  return QDir::toNativeSeparators(folder.toLocalFile());
}

namespace {
constexpr const char* kPictureFolderKey = "pictureDialog/lastFolder";
}

void GuiPresenter::keepPictureFolderIn(const QString& file) {
  pictureFolderFile_ = file;
  lastPictureFolder_ = QSettings(file, QSettings::IniFormat).value(kPictureFolderKey).toString();
  emit pictureFolderChanged();
}

void GuiPresenter::imageFileChosen(const QUrl& file) {
  const QString path = file.isLocalFile() ? file.toLocalFile() : file.toString();
  // The next pick starts beside this one, also when this file is refused.
  if (const QString folder = QFileInfo(path).absolutePath();
      file.isLocalFile() && folder != lastPictureFolder_) {
    lastPictureFolder_ = folder;
    // Only a convenience: a folder that cannot be kept is simply not offered next time.
    if (!pictureFolderFile_.isEmpty())
      QSettings(pictureFolderFile_, QSettings::IniFormat).setValue(kPictureFolderKey, folder);
    emit pictureFolderChanged();
  }
  auto read = readOutsideFile(QFile::encodeName(path).toStdString(), kPictureFileLimit);
  if (!read) {
    answerPick(pictureRefusal("the file " + read.status().description()));
    return;
  }
  answerPick(std::move(read).value());
}

void GuiPresenter::imagePickCancelled() { answerPick(std::nullopt); }

void GuiPresenter::answerPick(PickedImage picked) {
  auto done = std::move(pendingPick_);
  pendingPick_ = nullptr;
  emit imagePickChanged();
  if (done) done(std::move(picked));
  emit imagePickAnswered();
}

bool GuiPresenter::actionSheet() const {
  return sheet_ && sheet_->style == SheetStyle::ActionSheet;
}

QString GuiPresenter::headline() const { return sheet_ ? qs(sheet_->displayedTitle()) : QString(); }

QString GuiPresenter::headlineFont() const {
  return sheet_ && sheet_->attributedTitle ? qs(sheet_->attributedTitle->fontName) : QString();
}

QString GuiPresenter::headlineFamily() const { return fontFamily(headlineFont()); }

// A plain title is drawn bold, as alert titles are.
bool GuiPresenter::headlineBold() const {
  return headlineFont().isEmpty() || fontBold(headlineFont());
}

double GuiPresenter::headlineSize() const {
  return sheet_ && sheet_->attributedTitle ? sheet_->attributedTitle->fontSize : 0;
}

QString GuiPresenter::message() const {
  return sheet_ ? qs(sheet_->displayedMessage()) : QString();
}

QString GuiPresenter::messageFont() const {
  return sheet_ && sheet_->attributedMessage ? qs(sheet_->attributedMessage->fontName) : QString();
}

QString GuiPresenter::messageFamily() const { return fontFamily(messageFont()); }

bool GuiPresenter::messageBold() const { return fontBold(messageFont()); }

double GuiPresenter::messageSize() const {
  return sheet_ && sheet_->attributedMessage ? sheet_->attributedMessage->fontSize : 0;
}

QString GuiPresenter::fontFamily(const QString& fontName) {
  return qs(tockary::fontFamily(fontName.toStdString()));
}

bool GuiPresenter::fontBold(const QString& fontName) { return isBoldFont(fontName.toStdString()); }

QVariantList GuiPresenter::actions() const {
  QVariantList list;
  if (!sheet_) return list;
  for (const SheetAction& action : sheet_->actions) {
    list << QVariantMap{{"identity", qs(action.identity)},
                        {"title", qs(action.title)},
                        {"style", qs(actionStyleName(action.style))}};
  }
  return list;
}

QVariantMap GuiPresenter::cancelAction() const {
  if (!sheet_) return {};
  for (const SheetAction& action : sheet_->actions) {
    if (action.style == ActionStyle::Cancel) {
      return {{"identity", qs(action.identity)}, {"title", qs(action.title)}};
    }
  }
  return {};
}

QVariantList GuiPresenter::textFields() const {
  QVariantList fields;
  if (!sheet_) return fields;
  for (const auto& field : sheet_->textFields) {
    fields << QVariantMap{{"placeholder", qs(field.placeholder)},
                          {"numeric", field.keyboard == KeyboardKind::Number},
                          {"text", field.text ? qs(*field.text) : QString()}};
  }
  return fields;
}

QVariantList GuiPresenter::images() const {
  QVariantList list;
  if (!sheet_) return list;
  for (std::size_t i = 0; i < sheet_->images.size(); ++i) {
    const SheetImage& image = sheet_->images[i];
    QVariantMap entry = frameMap(image.frame, {});
    entry.insert(frameMap(image.animatedTo.value_or(image.frame), "to"));
    if (!image.assetName.empty()) {
      entry["source"] = Pictures::url(PictureHandle::asset(image.assetName));
    } else if (!image.picture.empty()) {
      entry["source"] = Pictures::url(kPictureSource, QString::number(i), revision_);
    } else {
      entry["source"] = QString();  // a frame only
    }
    entry.insert(decorationMap(image));
    entry["animated"] = image.animatedTo.has_value() || image.animatedAlpha.has_value();
    entry["duration"] = image.animation ? static_cast<int>(image.animation->duration * 1000) : 0;
    entry["alpha"] = image.alpha;
    entry["toAlpha"] = image.animatedAlpha.value_or(image.alpha);
    entry["fromCentre"] = image.xFromCentre;
    list << entry;
  }
  return list;
}

Bytes GuiPresenter::sheetPicture(int index) const {
  if (!sheet_ || index < 0 || index >= static_cast<int>(sheet_->images.size())) return {};
  return sheet_->images[index].picture;
}

void GuiPresenter::setFieldText(int index, const QString& text) {
  if (!sheet_ || index < 0 || index >= static_cast<int>(sheet_->textFields.size())) return;
  auto& shared = sheet_->textFields[index].text;
  if (!shared) shared = std::make_shared<std::string>();
  *shared = text.toStdString();
}

void GuiPresenter::choose(const QString& identity) {
  const std::string chosen = identity.toStdString();
  if (!sheet_ || sheet_->action(chosen) == nullptr) {
    diagnostic(
        "Sheet action \"" + chosen + "\" not pressed: " +
        (sheet_ ? "the sheet has " + sheet_->actionList() : std::string("no sheet is shown")));
    return;
  }
  // The handler may present the next sheet, so close this one first.
  Sheet closing = std::move(*sheet_);
  sheet_.reset();
  emit changed();
  if (Status pressed = closing.press(chosen); !pressed) diagnostic(pressed.description());
}

void GuiPresenter::dismiss() {
  if (const SheetAction* action = sheet_ ? sheet_->dismissAction() : nullptr)
    choose(qs(action->identity));
}

void GuiPresenter::submit() {
  if (const SheetAction* action = sheet_ ? sheet_->defaultAction() : nullptr)
    choose(qs(action->identity));
}

void GuiPresenter::setInstance(GuiPresenter* presenter) { instance = presenter; }

GuiPresenter* GuiPresenter::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
