#pragma once

#include <QCache>
#include <QMutex>
#include <QObject>
#include <QQmlEngine>
#include <QQuickImageProvider>
#include <QString>

#include "store/app_services.h"

namespace tockary::gui {

// "image://watchpicture/Kello/12/kellokuva?<revision>": a watch's picture for the list rows and
// the detail page, decoded upright at the size asked for and cached. Safe for asynchronous
// Images: the store is only read on the GUI thread (it is not thread-safe); the decoding and
// scaling run on the loader's thread.
class CollectionPictureProvider : public QQuickImageProvider {
 public:
  static constexpr const char* kName = "watchpicture";

  // `services` must outlive the provider. Create it on the GUI thread.
  explicit CollectionPictureProvider(AppServices& services);
  QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;

 private:
  std::optional<Bytes> readOnGuiThread(const QString& path);

  AppServices& services_;
  QObject guiThread_;  // queued reads run in its thread; they are dropped once it is gone
  QMutex cacheMutex_;
  QCache<QString, QImage> cache_;
};

// Adds the provider to `engine` unless it has it already.
void installCollectionPictures(QQmlEngine* engine, AppServices& services);

}  // namespace tockary::gui
