#pragma once

#include <QQuickImageProvider>
#include <QString>

#include "platform/assets/asset_catalog.h"
#include "platform/image/image_codec.h"

namespace tockary::gui {

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
