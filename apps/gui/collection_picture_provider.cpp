#include "collection_picture_provider.h"

#include <QMutexLocker>
#include <QSemaphore>
#include <QThread>

#include <memory>

#include "platform/image/image_codec.h"
#include "platform/image/qt_image.h"

namespace tockary::gui {

namespace {

// Long enough for a busy GUI thread, short enough that closing the app never waits long on a
// loader that is still asking.
constexpr int kReadTimeoutMs = 3000;

// Enough decoded rows for a few screens of scrolling back and forth.
constexpr int kCachedPictures = 96;

std::optional<Bytes> readPicture(AppServices& services, const QString& path) {
  // path: Entity/key/attribute
  const auto objectId = ObjectID::fromText(path.section('/', 0, 1).toStdString());
  if (!objectId) return std::nullopt;
  auto object = services.context().existingObject(*objectId);
  if (!object) return std::nullopt;
  const Value value = object->valueForKey(path.section('/', 2, 2).toStdString());
  if (const auto* bytes = std::get_if<Bytes>(&value)) return *bytes;
  return std::nullopt;
}

}  // namespace

CollectionPictureProvider::CollectionPictureProvider(AppServices& services)
    : QQuickImageProvider(QQuickImageProvider::Image),
      services_(services),
      cache_(kCachedPictures) {}

std::optional<Bytes> CollectionPictureProvider::readOnGuiThread(const QString& path) {
  if (QThread::currentThread() == guiThread_.thread()) return readPicture(services_, path);
  struct Read {
    QSemaphore done;
    std::optional<Bytes> bytes;
  };
  auto read = std::make_shared<Read>();
  QMetaObject::invokeMethod(
      &guiThread_,
      [this, read, path] {
        read->bytes = readPicture(services_, path);
        read->done.release();
      },
      Qt::QueuedConnection);
  if (!read->done.tryAcquire(1, kReadTimeoutMs)) return std::nullopt;
  return std::move(read->bytes);
}

QImage CollectionPictureProvider::requestImage(const QString& id, QSize* size,
                                               const QSize& requestedSize) {
  const QString key = id + "@" + QString::number(requestedSize.width()) + "x" +
                      QString::number(requestedSize.height());
  {
    QMutexLocker lock(&cacheMutex_);
    if (const QImage* cached = cache_.object(key)) {
      if (size != nullptr) *size = cached->size();
      return *cached;
    }
  }
  QImage image;
  if (auto bytes = readOnGuiThread(id.section('?', 0, 0))) {
    const ImageCodec codec;
    if (auto decoded = codec.decode(*bytes)) {
      // The decoded pixels die with `decoded`: keep a deep copy (scaling makes one).
      image = toQImage(decoded.value());
      image = requestedSize.isValid() && !requestedSize.isEmpty()
                  ? image.scaled(requestedSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                  : image.copy();
    }
  }
  if (size != nullptr) *size = image.size();
  if (!image.isNull()) {
    QMutexLocker lock(&cacheMutex_);
    cache_.insert(key, new QImage(image));
  }
  return image;
}

void installCollectionPictures(QQmlEngine* engine, AppServices& services) {
  // The engine owns its providers.
  if (engine != nullptr && engine->imageProvider(CollectionPictureProvider::kName) == nullptr) {
    engine->addImageProvider(CollectionPictureProvider::kName,
                             new CollectionPictureProvider(services));
  }
}

}  // namespace tockary::gui
