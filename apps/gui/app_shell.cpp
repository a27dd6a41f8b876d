#include "app_shell.h"

#include <QJSEngine>

#include "picture_provider.h"

namespace tockary::gui {

namespace {
AppShell* instance = nullptr;
}

AppShell::AppShell(AppServices& services, QObject* parent) : QObject(parent), services_(services) {}

QString AppShell::dataDirectory() const {
  return QString::fromStdString(services_.app.dataDirectory().string());
}

QVariantList AppShell::tabs() const {
  return {QVariantMap{{"title", "Collection"}, {"icon", "watch"}},
          QVariantMap{{"title", "Settings"}, {"icon", "gear"}}};
}

QString AppShell::assetPicture(const QString& name) const {
  return Pictures::url(PictureHandle::asset(name.toStdString()));
}

void AppShell::setInstance(AppShell* shell) { instance = shell; }

AppShell* AppShell::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
