#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QVariantList>

#include "store/app_services.h"

namespace tockary::gui {

// The app as QML sees it: where the data lives and the tabs. Built once by main().
class AppShell : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString dataDirectory READ dataDirectory CONSTANT)
  Q_PROPERTY(QVariantList tabs READ tabs CONSTANT)

 public:
  explicit AppShell(AppServices& services, QObject* parent = nullptr);

  QString dataDirectory() const;
  // The tab bar in its order: each tab's name ("services"), title and the name of the icon drawn
  // for it.
  QVariantList tabs() const;
  // The address of one of the app's own pictures by name ("StatusKeeper"); empty for no name.
  Q_INVOKABLE QString assetPicture(const QString& name) const;

  static void setInstance(AppShell* shell);
  static AppShell* create(QQmlEngine*, QJSEngine*);

 private:
  AppServices& services_;
};

// The title of the tab named `name`, which its list page also shows; empty for no such tab.
QString tabTitle(const QString& name);

}  // namespace tockary::gui
