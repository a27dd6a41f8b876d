#include "editor_screen.h"

#include <QJSEngine>
#include <QPointer>

#include <string_view>
#include <utility>
#include <vector>

#include "picture_provider.h"
#include "platform/image/qt_image.h"
#include "qt_text.h"

namespace tockary::gui {

namespace {

Editors* editorsInstance = nullptr;

bool hasText(const FieldDescriptor& field) { return field.kind != FieldKind::Picture; }

QImage slotImage(const PictureSlot& slot) {
  // A copy of its own: the provider may read it while the form places the next picture.
  return slot.image ? toQImage(*slot.image).copy() : QImage();
}

}  // namespace

EditorScreen::EditorScreen(AppServices& services, const QString& name, FormOpener opener,
                           QObject* parent)
    : QObject(parent), services_(services), name_(name), opener_(std::move(opener)) {}

EditorScreen::~EditorScreen() = default;

QString EditorScreen::pictureSource() const { return "form-" + name_; }

void EditorScreen::servePictures(Pictures& pictures) {
  QPointer<EditorScreen> self(this);
  pictures.addSource(pictureSource(), [self](const QString& outlet) -> std::optional<PictureData> {
    if (!self) return std::nullopt;
    const auto shown = self->slotImages_.find(outlet);
    if (shown == self->slotImages_.end() || shown->second.isNull()) return std::nullopt;
    return PictureData{{}, shown->second};
  });
}

void EditorScreen::open(const QString& objectId, const QVariantMap& arguments) {
  std::map<std::string, std::string> handedOver;
  for (auto it = arguments.begin(); it != arguments.end(); ++it)
    handedOver.emplace(it.key().toStdString(), it.value().toString().toStdString());
  form_ = opener_(objectId.toStdString(), handedOver);
  shownPictures_.clear();
  slotImages_.clear();
  form_->viewDidLoad();
  // The form only asks; granting it is the front end's part.
  if (const std::string_view first = form_->firstResponder(); !first.empty())
    form_->textFieldDidBeginEditing(first);
  emit opened();
  refresh();
}

void EditorScreen::refresh() {
  bool newPicture = false;
  if (form_) {
    for (const FieldDescriptor& field : form_->fields()) {
      const PictureSlot* shown = form_->pictureSlot(field.outlet);
      if (shown == nullptr) continue;
      const Image::Impl* picture = shown->image ? shown->image->impl() : nullptr;
      const QString outlet = qs(field.outlet);
      const auto known = shownPictures_.find(outlet);
      if (known != shownPictures_.end() && known->second == picture) continue;
      shownPictures_[outlet] = picture;
      slotImages_[outlet] = slotImage(*shown);
      newPicture = true;
    }
  }
  // New addresses only for new pictures, so that typing does not reload them.
  if (newPicture) ++revision_;

  const ShownWheel::Change wheel = wheel_.update(form_ ? form_->shownWheel() : std::nullopt);
  emit changed();
  if (wheel.another) emit wheelChanged();
  if (wheel.turned) emit wheelColumnsChanged();
}

void EditorScreen::beginEditing(const QString& outlet) {
  if (!form_) return;
  form_->textFieldDidBeginEditing(outlet.toStdString());
  refresh();
}

void EditorScreen::selectRow(int column, int row) {
  if (form_ && form_->pickerViewDidSelectRow(row, column)) refresh();
}

void EditorScreen::pressToolbarButton() {
  if (form_ && form_->pressToolbarButton()) refresh();
}

bool EditorScreen::editText(const QString& outlet, const QString& proposed) {
  if (!form_) return false;
  const std::string name = outlet.toStdString();
  // The keyboard reports the change as one replaced range: the part between the common start
  // and the common end of the old and new text.
  const QString current = QString::fromStdString(form_->text(name));
  qsizetype prefix = 0;
  while (prefix < current.size() && prefix < proposed.size() && current[prefix] == proposed[prefix])
    ++prefix;
  qsizetype suffix = 0;
  while (suffix < current.size() - prefix && suffix < proposed.size() - prefix &&
         current[current.size() - 1 - suffix] == proposed[proposed.size() - 1 - suffix])
    ++suffix;
  const auto location = static_cast<std::size_t>(current.left(prefix).toUtf8().size());
  const auto length = static_cast<std::size_t>(
      current.mid(prefix, current.size() - prefix - suffix).toUtf8().size());
  const std::string replacement =
      proposed.mid(prefix, proposed.size() - prefix - suffix).toStdString();
  const bool accepted = form_->replaceText(name, location, length, replacement);
  // Also when refused: the view goes back to the field's text.
  emit changed();
  return accepted;
}

void EditorScreen::setNotes(const QString& outlet, const QString& text) {
  const std::string name = outlet.toStdString();
  if (!form_ || QString::fromStdString(form_->text(name)) == text) return;
  // The notes take any text the area holds.
  (void)form_->enterValue(name, text.toStdString());
  emit changed();
}

void EditorScreen::insertDatestamp() {
  if (!form_) return;
  form_->insertDatestamp();
  refresh();
}

void EditorScreen::tapPicture(const QString& outlet) {
  if (form_) form_->tapPicture(outlet.toStdString());
}

void EditorScreen::save() {
  if (!form_) return;
  // A failed save is the form's to report (through the diagnostics); the page closes either way.
  const Result<ObjectID> saved = form_->save();
  (void)saved;
  refresh();
}

void EditorScreen::goBack() {
  if (form_) {
    form_->leaveForm([this] { services_.presenter.pop(1); });
  } else {
    services_.presenter.pop(1);
  }
}

void EditorScreen::leaveForList() {
  if (form_) {
    form_->leaveForm([this] { emit leftForList(); });
  } else {
    emit leftForList();
  }
}

QString EditorScreen::title() const { return form_ ? QString::fromStdString(form_->title()) : ""; }

bool EditorScreen::editMode() const { return form_ && form_->isEditMode(); }

QVariantList EditorScreen::sections() const {
  QVariantList list;
  if (!form_) return list;
  std::vector<std::pair<std::string_view, QVariantList>> grouped;
  for (const FieldDescriptor& field : form_->fields()) {
    if (grouped.empty() || grouped.back().first != field.section)
      grouped.emplace_back(field.section, QVariantList());
    grouped.back().second << QVariantMap{{"outlet", qs(field.outlet)},
                                         {"caption", qs(field.caption)},
                                         {"placeholder", qs(field.placeholder)},
                                         {"kind", qs(fieldKindName(field.kind))}};
  }
  for (const auto& [title, fields] : grouped) {
    list << QVariantMap{{"title", qs(title)}, {"fields", fields}};
  }
  return list;
}

QVariantMap EditorScreen::labels() const {
  return {{"pictureHint", qs(kFormPictureHint)},
          {"datestamp", form_ ? qs(form_->datestampTitle()) : QString()},
          {"save", qs(kFormSaveTitle)}};
}

QVariantMap EditorScreen::texts() const {
  QVariantMap map;
  if (!form_) return map;
  for (const FieldDescriptor& field : form_->fields()) {
    if (hasText(field))
      map.insert(qs(field.outlet), QString::fromStdString(form_->text(field.outlet)));
  }
  return map;
}

QVariantMap EditorScreen::pictures() const {
  QVariantMap map;
  if (!form_) return map;
  for (const FieldDescriptor& field : form_->fields()) {
    const PictureSlot* slot = form_->pictureSlot(field.outlet);
    if (slot == nullptr) continue;
    const QString outlet = qs(field.outlet);
    const auto shown = slotImages_.find(outlet);
    const bool empty = shown == slotImages_.end() || shown->second.isNull();
    map.insert(outlet,
               QVariantMap{{"source",
                            empty ? QString() : Pictures::url(pictureSource(), outlet, revision_)},
                           {"aspect", slot->width > 0 ? slot->height / slot->width : 0.0}});
  }
  return map;
}

QString EditorScreen::pictureError() const {
  return form_ && form_->pictureError() ? QString::fromStdString(*form_->pictureError())
                                        : QString();
}

QString EditorScreen::editedOutlet() const { return form_ ? qs(form_->editedField()) : QString(); }

QString EditorScreen::wheelOutlet() const { return wheel_.outlet(); }

QString EditorScreen::toolbarTitle() const { return wheel_.toolbarTitle(); }

int EditorScreen::wheelColumnCount() const { return wheel_.columnCount(); }

QVariantList EditorScreen::wheelColumns() const { return wheel_.columns(); }

void Editors::add(EditorScreen* editor) {
  editor->setParent(this);
  // Handed to QML by form(), never to be collected there.
  QJSEngine::setObjectOwnership(editor, QJSEngine::CppOwnership);
  editors_[editor->name()] = editor;
}

EditorScreen* Editors::form(const QString& name) const {
  const auto found = editors_.find(name);
  return found == editors_.end() ? nullptr : found->second;
}

void Editors::setInstance(Editors* editors) { editorsInstance = editors; }

Editors* Editors::instance() { return editorsInstance; }

Editors* Editors::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(editorsInstance, QJSEngine::CppOwnership);
  return editorsInstance;
}

}  // namespace tockary::gui
