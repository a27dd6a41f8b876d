#pragma once

#include <QCache>
#include <QQuickImageProvider>
#include <QString>

#include "platform/assets/asset_catalog.h"
#include "platform/image/image_codec.h"
#include "store/app_services.h"

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

// "image://picture/Kello/12/kellokuva": a picture stored in a record, decoded upright and scaled
// to the size asked for; decoded pictures are cached by id and size, so scrolling back is cheap.
// Append "?<anything>" to ask again after the picture changed.
class PictureImageProvider : public QQuickImageProvider {
 public:
  explicit PictureImageProvider(AppServices& services);
  QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;

 private:
  AppServices& services_;
  ImageCodec codec_;
  QCache<QString, QImage> cache_;
};

}  // namespace tockary::gui
