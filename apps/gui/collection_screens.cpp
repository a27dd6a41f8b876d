#include "gui_app.h"

namespace tockary::gui {

void installCollectionScreens(AppServices& /*services*/, QObject& /*parent*/) {}

}  // namespace tockary::gui
