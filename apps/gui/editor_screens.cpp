#include "gui_app.h"

namespace tockary::gui {

void installEditorScreens(AppServices& /*services*/, QObject& /*parent*/) {}

}  // namespace tockary::gui
