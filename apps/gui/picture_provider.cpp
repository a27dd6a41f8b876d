#include "picture_provider.h"

#include <QCache>
#include <QMutex>
#include <QMutexLocker>
#include <QQuickTextureFactory>

#include <atomic>
#include <utility>

#include "platform/image/image_codec.h"
#include "platform/image/qt_image.h"

namespace tockary::gui {

namespace {

// Enough decoded pictures for a few screens of rows scrolled back and forth.
constexpr int kCacheKilobytes = 64 * 1024;

// The picture at the size asked for, keeping its aspect (when one side is given, at that side),
// always as pixels of its own: the decoded picture it comes from goes away.
QImage fitted(const QImage& image, const QSize& requested) {
  const int width = requested.width();
  const int height = requested.height();
  if (width > 0 && height > 0) {
    return image.scaled(requested, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  if (width > 0) return image.scaledToWidth(width, Qt::SmoothTransformation);
  if (height > 0) return image.scaledToHeight(height, Qt::SmoothTransformation);
  return image.copy();
}

QString cacheKey(const QString& id, const QSize& requested) {
  return id + '@' + QString::number(requested.width()) + 'x' + QString::number(requested.height());
}

QString addressPrefix() { return QStringLiteral("image://%1/").arg(Pictures::kProviderId); }

}  // namespace

// What the provider, the decoding tasks and the GUI side share: it outlives each of them.
struct Pictures::Channel {
  QMutex mutex;
  Pictures* owner = nullptr;  // guarded by `mutex`; null once the GUI side is gone

  QMutex cacheMutex;
  QCache<QString, QImage> cache{kCacheKilobytes};

  std::atomic<int> handedOut = 0;
  std::atomic<int> readsWaiting = 0;

  std::optional<QImage> cached(const QString& key) {
    QMutexLocker lock(&cacheMutex);
    if (const QImage* image = cache.object(key)) return *image;
    return std::nullopt;
  }

  void remember(const QString& key, const QImage& image) {
    const auto kilobytes = static_cast<int>(image.sizeInBytes() / 1024);
    QMutexLocker lock(&cacheMutex);
    cache.insert(key, new QImage(image), std::max(1, kilobytes));
  }
};

// How a task reaches its response from another thread: the loader may cancel and delete the
// response at any moment.
struct Pictures::ResponseLink {
  QMutex mutex;
  Response* response = nullptr;  // guarded by `mutex`

  // Finishes the response in its own thread, unless it is gone by then.
  void finish(QImage image, QString error = {});
  bool gone() {
    QMutexLocker lock(&mutex);
    return response == nullptr;
  }
  void detach() {
    QMutexLocker lock(&mutex);
    response = nullptr;
  }
};

class Pictures::Response final : public QQuickImageResponse {
 public:
  Response() : link_(std::make_shared<ResponseLink>()) { link_->response = this; }
  ~Response() override { link_->detach(); }
  Response(const Response&) = delete;
  Response& operator=(const Response&) = delete;

  std::shared_ptr<ResponseLink> link() const { return link_; }

  QQuickTextureFactory* textureFactory() const override {
    return image_.isNull() ? nullptr : QQuickTextureFactory::textureFactoryForImage(image_);
  }
  QString errorString() const override { return error_; }

  // The loader lets a response go only once it has finished, cancelled or not; it cancels with
  // its own lock held, so the response finishes from the event loop.
  void cancel() override {
    link_->detach();
    QMetaObject::invokeMethod(
        this, [this] { finish({}, QStringLiteral("Cancelled")); }, Qt::QueuedConnection);
  }

  // In the response's thread; only the first call counts.
  void finish(QImage image, QString error) {
    if (finished_) return;
    finished_ = true;
    image_ = std::move(image);
    error_ = std::move(error);
    emit finished();
  }

 private:
  std::shared_ptr<ResponseLink> link_;
  QImage image_;
  QString error_;
  bool finished_ = false;
};

void Pictures::ResponseLink::finish(QImage image, QString error) {
  QMutexLocker lock(&mutex);
  if (response == nullptr) return;
  Response* target = response;
  // Deleting the response drops this call if it has not run yet.
  QMetaObject::invokeMethod(
      target,
      [target, image = std::move(image), error = std::move(error)] {
        target->finish(image, error);
      },
      Qt::QueuedConnection);
}

class Pictures::Provider final : public QQuickAsyncImageProvider {
 public:
  explicit Provider(std::shared_ptr<Channel> channel) : channel_(std::move(channel)) {}

  // On the loader's thread. Returns at once: the GUI thread reads when it gets to it.
  QQuickImageResponse* requestImageResponse(const QString& id,
                                            const QSize& requestedSize) override {
    auto* response = new Response;
    request(id, requestedSize, response->link());
    ++channel_->handedOut;
    return response;
  }

 private:
  void request(const QString& id, const QSize& requestedSize, std::shared_ptr<ResponseLink> link) {
    if (auto image = channel_->cached(cacheKey(id, requestedSize))) {
      link->finish(std::move(*image));
      return;
    }
    QMutexLocker lock(&channel_->mutex);
    Pictures* owner = channel_->owner;
    if (owner == nullptr) {
      link->finish({}, QStringLiteral("The app is closing"));
      return;
    }
    ++channel_->readsWaiting;
    QMetaObject::invokeMethod(
        &owner->guiThread_,
        [owner, id, requestedSize, link = std::move(link)] {
          owner->load(id, requestedSize, link);
        },
        Qt::QueuedConnection);
  }

  std::shared_ptr<Channel> channel_;
};

Pictures::Pictures(ManagedObjectContext& context, const AssetCatalog& assets)
    : reader_(context, assets), channel_(std::make_shared<Channel>()) {
  channel_->owner = this;
}

Pictures::~Pictures() {
  {
    QMutexLocker lock(&channel_->mutex);
    channel_->owner = nullptr;
  }
  decoders_.clear();
  decoders_.waitForDone();
}

QQuickAsyncImageProvider* Pictures::createProvider() const { return new Provider(channel_); }

void Pictures::addSource(const QString& name, Source source) { sources_[name] = std::move(source); }

QString Pictures::url(const PictureHandle& handle, int revision) {
  if (handle.isEmpty()) return {};
  QString address = addressPrefix() + QString::fromStdString(handle.token());
  if (handle.isStored()) address += '?' + QString::number(revision);
  return address;
}

QString Pictures::url(const QString& source, const QString& key, int revision) {
  return addressPrefix() + source + '/' + key + '?' + QString::number(revision);
}

int Pictures::responsesHandedOut() const { return channel_->handedOut; }

int Pictures::readsWaiting() const { return channel_->readsWaiting; }

std::optional<PictureData> Pictures::read(const QString& token) const {
  if (const auto handle = PictureHandle::fromToken(token.toStdString())) {
    auto bytes = reader_.read(*handle);
    if (!bytes) return std::nullopt;
    return PictureData{std::move(*bytes), {}};
  }
  const auto source = sources_.find(token.section('/', 0, 0));
  if (source == sources_.end()) return std::nullopt;
  return source->second(token.section('/', 1));
}

void Pictures::load(const QString& id, const QSize& requestedSize,
                    std::shared_ptr<ResponseLink> link) {
  --channel_->readsWaiting;
  if (link->gone()) return;
  const QString token = id.section('?', 0, 0);
  std::optional<PictureData> data = read(token);
  if (!data) {
    link->finish({}, "No picture for " + token);
    return;
  }
  decoders_.start([data = std::move(*data), key = cacheKey(id, requestedSize), requestedSize,
                   channel = channel_, link = std::move(link)] {
    if (link->gone()) return;
    QImage image;
    if (data.decoded.isNull()) {
      const ImageCodec codec;
      const auto decoded = codec.decode(data.encoded);
      if (!decoded) {
        link->finish({}, QString::fromStdString(decoded.status().description()));
        return;
      }
      image = fitted(toQImage(decoded.value()), requestedSize);
    } else {
      image = fitted(data.decoded, requestedSize);
    }
    channel->remember(key, image);
    link->finish(std::move(image));
  });
}

}  // namespace tockary::gui
