#pragma once

#include <QQuickImageProvider>
#include <QString>

#include "platform/assets/asset_catalog.h"
#include "platform/image/image_codec.h"

namespace tockary::gui {

// What an image provider hands QML: the picture scaled to the size asked for (keeping its
// aspect), or a deep copy of it when no size is asked; `size` gets the picture's own size.
QImage fitToRequest(const QImage& image, QSize* size, const QSize& requested);

// "image://asset/StatusKeeper": the app's own pictures by name.
class AssetImageProvider : public QQuickImageProvider {
 public:
  explicit AssetImageProvider(const AssetCatalog& catalog);
  QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;

 private:
  const AssetCatalog& catalog_;
  ImageCodec codec_;
};
}  // namespace tockary::gui
