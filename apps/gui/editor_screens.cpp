#include "editor_screen.h"
#include "gui_app.h"

namespace tockary::gui {

void installEditorScreens(AppServices& services, QObject& parent, Pictures& pictures) {
  auto* editor = new EditorScreen(services, &parent);
  EditorScreen::setInstance(editor);
  editor->servePictures(pictures);
  // A picked picture reaches the form through its own callback; the page then shows it.
  if (auto* presenter = dynamic_cast<GuiPresenter*>(&services.presenter)) {
    QObject::connect(presenter, &GuiPresenter::imagePickAnswered, editor,
                     [editor] { editor->refresh(); });
  }
}

}  // namespace tockary::gui
