#include "gui_presenter.h"

#include "image_providers.h"

#include <QFile>
#include <QJSEngine>
#include <QQuickImageProvider>
#include <QVariantMap>

#include "platform/image/image_codec.h"
#include "platform/image/qt_image.h"
#include "platform/outside_file.h"
#include "watch/wear_counter.h"

namespace tockary::gui {

namespace {

GuiPresenter* instance = nullptr;

QString qs(const std::string& text) { return QString::fromStdString(text); }

// "image://sheet/<index>?<revision>": a picture the shown sheet carries as bytes.
class SheetPictureProvider : public QQuickImageProvider {
 public:
  explicit SheetPictureProvider(const GuiPresenter& presenter)
      : QQuickImageProvider(QQuickImageProvider::Image), presenter_(presenter) {}

  QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override {
    auto decoded = codec_.decode(presenter_.sheetPicture(id.section('?', 0, 0).toInt()));
    return fitToRequest(decoded ? toQImage(decoded.value()) : QImage(), size, requestedSize);
  }

 private:
  const GuiPresenter& presenter_;
  ImageCodec codec_;
};

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

void GuiPresenter::present(Sheet sheet) {
  sheet_ = std::move(sheet);
  ++revision_;
  emit changed();
}

void GuiPresenter::push(ScreenRequest request) {
  emit screenRequested(qs(request.screen), qs(request.objectId));
}

void GuiPresenter::pop(int count) { emit popRequested(count); }

void GuiPresenter::share(std::vector<std::string> /*items*/) {}

void GuiPresenter::pickImage(ImageSource /*source*/, std::function<void(PickedImage)> done) {
  // A newer request replaces an unanswered one, which counts as cancelled.
  if (pendingPick_) answerPick(std::nullopt);
  pendingPick_ = std::move(done);
  emit imagePickChanged();
  emit imagePickRequested();
}

void GuiPresenter::imageFileChosen(const QUrl& file) {
  const QString path = file.isLocalFile() ? file.toLocalFile() : file.toString();
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
  if (fontName.startsWith("Courier")) return "Nimbus Mono PS";
  // Helvetica and anything unnamed: the Helvetica clone.
  return "Nimbus Sans";
}

bool GuiPresenter::fontBold(const QString& fontName) { return fontName.endsWith("-Bold"); }

QStringList GuiPresenter::actions() const {
  QStringList titles;
  if (sheet_) {
    for (const auto& action : sheet_->actions) titles << qs(action.title);
  }
  return titles;
}

QStringList GuiPresenter::actionStyles() const {
  QStringList styles;
  if (!sheet_) return styles;
  for (const auto& action : sheet_->actions) {
    switch (action.style) {
      case ActionStyle::Default:
        styles << "default";
        break;
      case ActionStyle::Cancel:
        styles << "cancel";
        break;
      case ActionStyle::Destructive:
        styles << "destructive";
        break;
    }
  }
  return styles;
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
    entry["source"] = image.assetName.empty() ? QString("image://sheet/%1?%2").arg(i).arg(revision_)
                                              : "image://asset/" + qs(image.assetName);
    entry["animated"] = image.animatedTo.has_value();
    // The one growing picture the app has is the wear badge; it grows with the badge's spring.
    entry["duration"] = static_cast<int>(kBadgeAnimation.duration * 1000);
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

void GuiPresenter::choose(int index) {
  if (!sheet_ || index < 0 || index >= static_cast<int>(sheet_->actions.size())) return;
  // The handler may present the next sheet, so close this one first.
  Sheet closing = std::move(*sheet_);
  sheet_.reset();
  emit changed();
  closing.press(closing.actions[index].title);
}

void GuiPresenter::setInstance(GuiPresenter* presenter) { instance = presenter; }

GuiPresenter* GuiPresenter::create(QQmlEngine* engine, QJSEngine*) {
  // The engine owns its providers; the composition root does not know this one.
  if (engine != nullptr && instance != nullptr && engine->imageProvider("sheet") == nullptr)
    engine->addImageProvider("sheet", new SheetPictureProvider(*instance));
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
