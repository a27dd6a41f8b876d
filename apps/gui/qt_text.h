#pragma once

#include <QString>

#include <string_view>

namespace tockary::gui {

// A text of the app's own logic (UTF-8) as QML shows it.
inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tockary::gui
