#include "image_providers.h"

#include "platform/image/qt_image.h"

namespace tockary::gui {

QImage fitToRequest(const QImage& image, QSize* size, const QSize& requested) {
  if (size != nullptr) *size = image.size();
  // A deep copy: the decoded picture usually goes away with the request.
  if (image.isNull() || !requested.isValid() || requested.isEmpty()) return image.copy();
  return image.scaled(requested, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

AssetImageProvider::AssetImageProvider(const AssetCatalog& catalog)
    : QQuickImageProvider(QQuickImageProvider::Image), catalog_(catalog) {}

QImage AssetImageProvider::requestImage(const QString& id, QSize* size,
                                        const QSize& requestedSize) {
  auto bytes = catalog_.imageNamed(id.toStdString());
  if (!bytes) return fitToRequest(QImage(), size, requestedSize);
  auto image = codec_.decode(bytes.value());
  return fitToRequest(image ? toQImage(image.value()) : QImage(), size, requestedSize);
}

}  // namespace tockary::gui
