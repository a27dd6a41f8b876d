#include "image_providers.h"

#include "platform/image/qt_image.h"

namespace tockary::gui {

namespace {

QImage scaled(const QImage& image, QSize* size, const QSize& requested) {
  if (size != nullptr) *size = image.size();
  if (image.isNull() || !requested.isValid() || requested.isEmpty()) return image;
  return image.scaled(requested, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

AssetImageProvider::AssetImageProvider(const AssetCatalog& catalog)
    : QQuickImageProvider(QQuickImageProvider::Image), catalog_(catalog) {}

QImage AssetImageProvider::requestImage(const QString& id, QSize* size,
                                        const QSize& requestedSize) {
  auto bytes = catalog_.imageNamed(id.toStdString());
  if (!bytes) return scaled(QImage(), size, requestedSize);
  auto image = codec_.decode(bytes.value());
  return scaled(image ? toQImage(image.value()) : QImage(), size, requestedSize);
}

PictureImageProvider::PictureImageProvider(AppServices& services)
    : QQuickImageProvider(QQuickImageProvider::Image), services_(services), cache_(64) {}

QImage PictureImageProvider::requestImage(const QString& id, QSize* size,
                                          const QSize& requestedSize) {
  const QString key = id + "@" + QString::number(requestedSize.width()) + "x" +
                      QString::number(requestedSize.height());
  if (const QImage* cached = cache_.object(key)) {
    if (size != nullptr) *size = cached->size();
    return *cached;
  }
  // id: Entity/key/attribute[?revision]
  const QString path = id.section('?', 0, 0);
  const QString objectText = path.section('/', 0, 1);
  const QString attribute = path.section('/', 2, 2);
  QImage image;
  if (auto objectId = ObjectID::fromText(objectText.toStdString())) {
    if (auto object = services_.context().existingObject(*objectId)) {
      const Value value = object->valueForKey(attribute.toStdString());
      if (const auto* bytes = std::get_if<Bytes>(&value)) {
        if (auto decoded = codec_.decode(*bytes)) image = toQImage(decoded.value());
      }
    }
  }
  image = scaled(image, size, requestedSize);
  if (!image.isNull()) cache_.insert(key, new QImage(image));
  return image;
}

}  // namespace tockary::gui
