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

namespace {

// The tab bar in its order: name, title, the icon drawn for it.
struct Tab {
  const char* name;
  const char* title;
  const char* icon;
};
constexpr Tab kTabs[] = {
    {"collection", "Collection", "watch"}, {"measurements", "Measurements", "stopwatch"},
    {"services", "Services", "wrench"},    {"warranties", "Warranties", "card"},
    {"settings", "Settings", "gear"},
};

}  // namespace

QString tabTitle(const QString& name) {
  for (const Tab& tab : kTabs) {
    if (name == tab.name) return tab.title;
  }
  return {};
}

QVariantList AppShell::tabs() const {
  QVariantList list;
  for (const Tab& tab : kTabs)
    list << QVariantMap{{"name", tab.name}, {"title", tab.title}, {"icon", tab.icon}};
  return list;
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
