#include <set>
#include <string>

#include "editor/editor_fixture.h"
#include "editor/watch_form_layout.h"

namespace tockary::testing {
namespace {

using FormLayoutTest = EditorTest;

// The layout is a second description of the form; it must name every field once and agree with
// how the form itself edits each one, or a front end would type into a wheel field.
TEST_F(FormLayoutTest, EveryFieldOnceWithTheInputTheFormAttaches) {
  auto screen = insertScreen();
  std::set<std::string> outlets;
  std::set<FormTextField*> fields;
  for (const FormSectionInfo& section : watchFormSections()) {
    EXPECT_FALSE(section.title.empty());
    for (const FormRowInfo& row : section.rows) {
      SCOPED_TRACE(std::string(row.outlet));
      EXPECT_TRUE(outlets.insert(std::string(row.outlet)).second);
      FormTextField& field = (*screen).*(row.field);
      EXPECT_TRUE(fields.insert(&field).second);
      EXPECT_EQ(watchFormRow(row.outlet), &row);
      EXPECT_FALSE(row.label.empty());

      screen->textFieldDidBeginEditing(field);
      switch (row.input) {
        case FormInput::Keyboard:
          EXPECT_EQ(field.inputPicker, nullptr);
          EXPECT_FALSE(field.inputDatePicker);
          EXPECT_FALSE(field.toolbarButtonTitle);
          break;
        case FormInput::Wheel:
          ASSERT_NE(field.inputPicker, nullptr);
          EXPECT_EQ(screen->numberOfComponents(*field.inputPicker), 1);
          break;
        case FormInput::MeasureWheel:
          ASSERT_NE(field.inputPicker, nullptr);
          EXPECT_EQ(screen->numberOfComponents(*field.inputPicker), 3);
          EXPECT_EQ(screen->widthForComponent(*field.inputPicker, 1), 48.0);
          break;
        case FormInput::DateWheel:
          EXPECT_TRUE(field.inputDatePicker);
          EXPECT_EQ(field.toolbarButtonTitle, "Done");
          break;
      }
      screen->endEditing();
    }
  }
  EXPECT_EQ(fields.size(), 33u);
  EXPECT_EQ(watchFormRow("notesTextView"), nullptr);
}

}  // namespace
}  // namespace tockary::testing
