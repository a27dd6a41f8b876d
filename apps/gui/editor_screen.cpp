#include "editor_screen.h"

#include "image_providers.h"

#include <QJSEngine>
#include <QLocale>
#include <QQuickImageProvider>

#include <chrono>

#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "editor/watch_form_layout.h"
#include "platform/image/qt_image.h"

namespace tockary::gui {

namespace {

EditorScreen* instance = nullptr;

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char* inputName(FormInput input) {
  switch (input) {
    case FormInput::Keyboard:
      return "keyboard";
    case FormInput::Wheel:
      return "wheel";
    case FormInput::MeasureWheel:
      return "measure";
    case FormInput::DateWheel:
      return "date";
  }
  return "keyboard";
}

// "image://editor/<slot>?<revision>": what a picture slot of the open form shows.
class EditorPictureProvider : public QQuickImageProvider {
 public:
  explicit EditorPictureProvider(const EditorScreen& screen)
      : QQuickImageProvider(QQuickImageProvider::Image), screen_(screen) {}

  QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override {
    return fitToRequest(screen_.picture(id.section('?', 0, 0).toInt()), size, requestedSize);
  }

 private:
  const EditorScreen& screen_;
};

QImage slotImage(const PictureSlot& slot) {
  // A deep copy: the provider may read it while the form places the next picture.
  return slot.image ? toQImage(*slot.image).copy() : QImage();
}

}  // namespace

EditorScreen::EditorScreen(AppServices& services, QObject* parent)
    : QObject(parent), services_(services) {}

EditorScreen::~EditorScreen() = default;

void EditorScreen::open(const QString& objectId) {
  form_ = std::make_unique<InsertWatchTableViewController>(services_);
  shownFront_ = shownBack_ = nullptr;
  activeOutlet_.clear();
  std::optional<WatchEditRequest> request;
  if (auto id = ObjectID::fromText(objectId.toStdString())) {
    request = TarkasteleKelloaTableViewController(services_, *id).editHandOver();
  }
  if (request) {
    form_->editingWatch = request->editMode;
    form_->kelloID = request->kelloID;
    form_->tempTitleMuutos = request->title;
    form_->handOver = std::move(request->values);
  } else {
    form_->tempInsertUusiKello = true;
  }
  form_->viewDidLoad();
  refresh(true);
}

void EditorScreen::refresh(bool picker) {
  if (form_) {
    const auto* front =
        form_->cameraImageView.image ? form_->cameraImageView.image->impl() : nullptr;
    const auto* back =
        form_->cameraImageViewBack.image ? form_->cameraImageViewBack.image->impl() : nullptr;
    // New picture URLs only for new pictures, so typing does not reload them.
    if (front != shownFront_ || back != shownBack_) {
      shownFront_ = front;
      shownBack_ = back;
      ++revision_;
      front_ = slotImage(form_->cameraImageView);
      back_ = slotImage(form_->cameraImageViewBack);
    }
  }
  emit changed();
  if (picker) emit pickerChanged();
}

FormTextField* EditorScreen::field(const QString& outlet) const {
  const FormRowInfo* row = watchFormRow(outlet.toStdString());
  return row != nullptr && form_ ? &((*form_).*(row->field)) : nullptr;
}

FormTextField* EditorScreen::activeField() const { return field(activeOutlet_); }

void EditorScreen::beginEditing(const QString& outlet) {
  FormTextField* target = field(outlet);
  if (target == nullptr) return;
  activeOutlet_ = outlet;
  form_->textFieldDidBeginEditing(*target);
  refresh(true);
}

void EditorScreen::selectRow(int column, int row) {
  const FormTextField* target = activeField();
  if (target == nullptr || target->inputPicker == nullptr) return;
  if (form_->pickerViewDidSelectRow(*target->inputPicker, row, column)) refresh();
}

void EditorScreen::selectDate(int year, int month, int day) {
  using namespace std::chrono;
  const auto last = year_month_day_last(
      std::chrono::year(year), month_day_last(std::chrono::month(static_cast<unsigned>(month))));
  if (!last.ok()) return;
  day = std::clamp(day, 1, static_cast<int>(static_cast<unsigned>(last.day())));
  form_->datePickerValueChanged(services_.formatters.calendar().dateFrom(year, month, day));
  refresh();
}

void EditorScreen::pressToolbarButton() {
  const FormTextField* target = activeField();
  if (target == nullptr) return;
  (void)target->pressToolbarButton();
  activeOutlet_.clear();
  refresh(true);
}

bool EditorScreen::editText(const QString& outlet, const QString& proposed) {
  FormTextField* target = field(outlet);
  if (target == nullptr) return false;
  // The keyboard reports the change as one replaced range: the part between the common start
  // and the common end of the old and new text.
  const QString current = QString::fromStdString(target->text);
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
  const bool accepted = form_->replaceText(*target, location, length, replacement);
  // Also when refused: the view goes back to the field's text.
  emit changed();
  return accepted;
}

void EditorScreen::setNotes(const QString& text) {
  if (!form_ || QString::fromStdString(form_->notesTextView.text) == text) return;
  form_->enterNotes(text.toStdString());
  emit changed();
}

void EditorScreen::insertDatestamp() {
  if (!form_) return;
  form_->insertDatestampToNotesField();
  refresh();
}

void EditorScreen::tapForPhoto(int slot) {
  if (!form_) return;
  if (slot == 2) {
    form_->tapForPhotoBack();
  } else {
    form_->tapForPhoto();
  }
}

void EditorScreen::save() {
  if (!form_) return;
  activeOutlet_.clear();
  form_->saveWatchDetails();
  refresh(true);
}

QString EditorScreen::title() const { return form_ ? QString::fromStdString(form_->title) : ""; }

bool EditorScreen::editMode() const { return form_ && form_->editingWatch; }

QVariantList EditorScreen::sections() const {
  QVariantList list;
  for (const FormSectionInfo& section : watchFormSections()) {
    QVariantList rows;
    for (const FormRowInfo& row : section.rows) {
      rows << QVariantMap{{"outlet", qs(row.outlet)},
                          {"label", qs(row.label)},
                          {"placeholder", qs(row.placeholder)},
                          {"input", inputName(row.input)}};
    }
    list << QVariantMap{{"title", qs(section.title)}, {"rows", rows}};
  }
  return list;
}

QVariantMap EditorScreen::labels() const {
  return {{"pictures", qs(kWatchFormPicturesTitle)}, {"front", qs(kWatchFormFrontPictureLabel)},
          {"back", qs(kWatchFormBackPictureLabel)},  {"pictureHint", qs(kWatchFormPictureHint)},
          {"notes", qs(kWatchFormNotesTitle)},       {"datestamp", qs(kWatchFormDatestampTitle)},
          {"save", qs(kWatchFormSaveTitle)}};
}

QVariantMap EditorScreen::texts() const {
  QVariantMap map;
  if (!form_) return map;
  for (const FormSectionInfo& section : watchFormSections()) {
    for (const FormRowInfo& row : section.rows)
      map.insert(qs(row.outlet), QString::fromStdString(((*form_).*(row.field)).text));
  }
  return map;
}

QString EditorScreen::notes() const {
  return form_ ? QString::fromStdString(form_->notesTextView.text) : QString();
}

QString EditorScreen::frontPicture() const {
  return front_.isNull() ? QString() : QString("image://editor/1?%1").arg(revision_);
}

QString EditorScreen::backPicture() const {
  return back_.isNull() ? QString() : QString("image://editor/2?%1").arg(revision_);
}

double EditorScreen::frontAspect() const {
  if (!form_ || form_->cameraImageView.width <= 0) return 0;
  return form_->cameraImageView.height / form_->cameraImageView.width;
}

double EditorScreen::backAspect() const {
  if (!form_ || form_->cameraImageViewBack.width <= 0) return 0;
  return form_->cameraImageViewBack.height / form_->cameraImageViewBack.width;
}

QString EditorScreen::pictureError() const {
  return form_ && form_->pictureError ? QString::fromStdString(*form_->pictureError) : QString();
}

QString EditorScreen::toolbarTitle() const {
  const FormTextField* target = activeField();
  return target != nullptr && target->toolbarButtonTitle
             ? QString::fromStdString(*target->toolbarButtonTitle)
             : QString();
}

bool EditorScreen::pickerVisible() const {
  const FormTextField* target = activeField();
  return target != nullptr && target->editing && target->inputPicker != nullptr &&
         !target->inputPicker->hidden;
}

QVariantList EditorScreen::pickerColumns() const {
  QVariantList columns;
  if (!pickerVisible()) return columns;
  const PickerView& picker = *activeField()->inputPicker;
  for (int column = 0; column < form_->numberOfComponents(picker); ++column) {
    QStringList titles;
    for (int row = 0; row < form_->numberOfRows(picker, column); ++row)
      titles << QString::fromStdString(form_->titleForRow(picker, row, column));
    const int selected =
        column < static_cast<int>(picker.selectedRows.size()) ? picker.selectedRows[column] : 0;
    columns << QVariantMap{{"titles", titles},
                           {"width", form_->widthForComponent(picker, column)},
                           {"selected", selected}};
  }
  return columns;
}

bool EditorScreen::dateVisible() const {
  const FormTextField* target = activeField();
  return target != nullptr && target->editing && target->inputDatePicker.has_value();
}

int EditorScreen::dateYear() const {
  return dateVisible() ? services_.formatters.calendar()
                             .localDateTime(activeField()->inputDatePicker->date)
                             .year
                       : 0;
}

int EditorScreen::dateMonth() const {
  return dateVisible() ? services_.formatters.calendar()
                             .localDateTime(activeField()->inputDatePicker->date)
                             .month
                       : 0;
}

int EditorScreen::dateDay() const {
  return dateVisible() ? services_.formatters.calendar()
                             .localDateTime(activeField()->inputDatePicker->date)
                             .day
                       : 0;
}

QStringList EditorScreen::monthNames() const {
  const QLocale locale(QString::fromStdString(services_.formatters.localeId()));
  QStringList names;
  for (int month = 1; month <= 12; ++month) names << locale.monthName(month, QLocale::LongFormat);
  return names;
}

QImage EditorScreen::picture(int slot) const { return slot == 2 ? back_ : front_; }

void EditorScreen::setInstance(EditorScreen* screen) { instance = screen; }

EditorScreen* EditorScreen::create(QQmlEngine* engine, QJSEngine*) {
  // The engine owns its providers; the composition root does not know this one.
  if (engine != nullptr && instance != nullptr && engine->imageProvider("editor") == nullptr)
    engine->addImageProvider("editor", new EditorPictureProvider(*instance));
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
