#pragma once

#include <QImage>
#include <QObject>
#include <QQuickAsyncImageProvider>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/ui/picture_handle.h"
#include "store/watch_pictures.h"

namespace tockary::gui {

// What a token names, read on the GUI thread: encoded bytes, or a picture already decoded (the
// editor's slots hold theirs decoded).
struct PictureData {
  Bytes encoded;
  QImage decoded;
};

// Every picture of the app under one address: "image://picture/<token>", optionally followed by
// "?<revision>". A token is a picture handle's (an app picture by name, or a record's picture by
// record and face), or "<source>/<key>" for pictures that exist only on screen (the open
// editor's slots, the shown sheet's bytes).
//
// The store and the screens are read on the GUI thread only (the store is not thread-safe);
// decoding and scaling to the size QML asks for run on a thread pool, and the results are
// cached. The image loader never waits for the GUI thread: a read it asks for is queued there and
// dropped if the app goes first, so quitting never waits on a picture being loaded.
class Pictures {
 public:
  static constexpr const char* kProviderId = "picture";
  // The picture a source has under `key`; nullopt when it has none.
  using Source = std::function<std::optional<PictureData>(const QString& key)>;

  // Both must outlive this object. Create it on the GUI thread.
  Pictures(ManagedObjectContext& context, const AssetCatalog& assets);
  // Drops the reads still queued; waits only for decodes already running.
  ~Pictures();
  Pictures(const Pictures&) = delete;
  Pictures& operator=(const Pictures&) = delete;

  // A provider for an engine, which owns it; it may outlive this object and then answers every
  // request with an error.
  QQuickAsyncImageProvider* createProvider() const;
  // Serves the tokens "<name>/<key>" from `source`, called on the GUI thread.
  void addSource(const QString& name, Source source);

  // The address of a handle's picture; empty for an empty handle. A record's picture carries the
  // revision, so that a new revision reads a changed picture again; app pictures never change.
  static QString url(const PictureHandle& handle, int revision = 0);
  // The address of a source's picture.
  static QString url(const QString& source, const QString& key, int revision);

  // For tests: how many responses the provider has handed to the loader, and how many reads are
  // queued for the GUI thread and have not run yet.
  int responsesHandedOut() const;
  int readsWaiting() const;

 private:
  struct Channel;
  class Provider;
  class Response;
  struct ResponseLink;

  void load(const QString& id, const QSize& requestedSize, std::shared_ptr<ResponseLink> link);
  std::optional<PictureData> read(const QString& token) const;

  PictureReader reader_;
  std::map<QString, Source> sources_;
  QThreadPool decoders_;
  QObject guiThread_;  // queued reads run in its thread, and are dropped with it
  std::shared_ptr<Channel> channel_;
};

}  // namespace tockary::gui
