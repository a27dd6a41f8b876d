#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "forms/form_field.h"
#include "platform/image/image_codec.h"
#include "platform/status.h"
#include "platform/store/object_store.h"

namespace tockary {

// Texts every form shows the same.
inline constexpr std::string_view kFormSaveTitle = "Save";
inline constexpr std::string_view kFormPictureHint = "Tap a picture to replace it";

// A picture slot and the frame of its image view.
struct PictureSlot {
  std::optional<Image> image;
  double width = 0;
  double height = 0;
};

// What a front end needs of an editor screen to lay it out and drive it as the user does,
// whichever record it edits. The form lists its fields as descriptors; the front end shows each
// as its kind says and asks the form for every text and wheel. The opener chooses the mode on the
// concrete screen before viewDidLoad().
//
// Pictures, the notes' datestamp and asking before leaving are capabilities that only some forms
// have: their defaults here say "none" (no picture slot, no datestamp, leave at once).
class EditorForm {
 public:
  virtual ~EditorForm() = default;

  // Fills the form: the record in edit mode, the empty form in insert mode.
  virtual void viewDidLoad() = 0;

  // --- The form.
  // Every field in the order the form shows them.
  virtual std::span<const FieldDescriptor> fields() const = 0;
  virtual const std::string& title() const = 0;
  virtual bool isEditMode() const = 0;
  // The text a field shows (the notes' text for a notes field); empty for a name that is no
  // field of the form.
  virtual const std::string& text(std::string_view outlet) const = 0;
  // The field that asked to be edited when the form loaded; empty when none did.
  virtual std::string_view firstResponder() const { return {}; }

  // --- Editing a field as the user does.
  virtual void textFieldDidBeginEditing(std::string_view outlet) = 0;
  // The outlet of the field being edited, empty when none is.
  virtual std::string_view editedField() const = 0;
  // The wheel below the field being edited, with its toolbar button's title; nullopt when none.
  virtual std::optional<Wheel> shownWheel() const = 0;
  // The selection callback of the shown wheel; false for a row or column it does not show.
  virtual bool pickerViewDidSelectRow(int row, int component) = 0;
  // The toolbar button above the shown wheel; false when none is shown.
  virtual bool pressToolbarButton() = 0;
  virtual void endEditing() = 0;
  // The change filter of the field: false when the form refuses `replacement`.
  virtual bool shouldChangeCharacters(std::string_view outlet,
                                      std::string_view replacement) const = 0;
  // Types or pastes `replacement` over `length` bytes at `location` of a typed field, through the
  // filter. False when refused (text unchanged) or when the field is not typed.
  virtual bool replaceText(std::string_view outlet, std::size_t location, std::size_t length,
                           std::string_view replacement) = 0;

  // --- Filling a field as its own control would; a value the control cannot produce changes
  // nothing and is an error naming the value and what is accepted (acceptedValues()).
  virtual Status enterValue(std::string_view outlet, std::string_view value) = 0;
  virtual std::string acceptedValues(std::string_view outlet) const = 0;

  // The form's save action: writes the record, saves and closes the screen as the form's rule
  // says. A failed save is returned, not shown; a busy store keeps the screen open.
  virtual Result<ObjectID> save() = 0;

  // --- Leaving without saving (the back button, Esc, another tab): runs `close` when the form
  // lets the user go, possibly after asking.
  virtual void leaveForm(std::function<void()> close) { close(); }

  // --- Pictures: the slot of a picture field, nullptr for an outlet that is none; a tap on it
  // offers another picture; why the last picked picture was not used.
  virtual const PictureSlot* pictureSlot(std::string_view /*outlet*/) const { return nullptr; }
  virtual void tapPicture(std::string_view /*outlet*/) {}
  virtual const std::optional<std::string>& pictureError() const {
    static const std::optional<std::string> none;
    return none;
  }

  // --- The notes' datestamp: the title of the button that stamps today's date into the notes,
  // empty when the form has none.
  virtual std::string_view datestampTitle() const { return {}; }
  virtual void insertDatestamp() {}
};

}  // namespace tockary
