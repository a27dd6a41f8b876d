#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QStringList>

#include <optional>

#include "platform/ui/presenter.h"

namespace tockary::gui {

// Shows the screens' sheets in QML: one sheet at a time, its displayed headline and message,
// its actions in order; choosing one runs the action's handler.
class GuiPresenter : public QObject, public Presenter {
  Q_OBJECT
  QML_NAMED_ELEMENT(Sheets)
  QML_SINGLETON
  Q_PROPERTY(bool visible READ visible NOTIFY changed)
  Q_PROPERTY(bool actionSheet READ actionSheet NOTIFY changed)
  Q_PROPERTY(QString headline READ headline NOTIFY changed)
  Q_PROPERTY(QString headlineFont READ headlineFont NOTIFY changed)
  Q_PROPERTY(double headlineSize READ headlineSize NOTIFY changed)
  Q_PROPERTY(QString message READ message NOTIFY changed)
  Q_PROPERTY(QString messageFont READ messageFont NOTIFY changed)
  Q_PROPERTY(double messageSize READ messageSize NOTIFY changed)
  Q_PROPERTY(QStringList actions READ actions NOTIFY changed)
  Q_PROPERTY(QStringList actionStyles READ actionStyles NOTIFY changed)

 public:
  explicit GuiPresenter(QObject* parent = nullptr);

  void present(Sheet sheet) override;
  void push(ScreenRequest request) override;
  void pop(int count) override;
  void share(std::vector<std::string> items) override;
  void pickImage(ImageSource source, std::function<void(std::optional<Bytes>)> done) override;
  bool cameraAvailable() const override { return false; }

  bool visible() const { return sheet_.has_value(); }
  bool actionSheet() const;
  QString headline() const;
  QString headlineFont() const;
  double headlineSize() const;
  QString message() const;
  QString messageFont() const;
  double messageSize() const;
  QStringList actions() const;
  QStringList actionStyles() const;  // "default", "cancel" or "destructive"

  // Closes the sheet and runs the chosen action.
  Q_INVOKABLE void choose(int index);

  static void setInstance(GuiPresenter* presenter);
  static GuiPresenter* create(QQmlEngine*, QJSEngine*);

 signals:
  void changed();
  void screenRequested(QString screen, QString objectId);
  void popRequested(int count);

 private:
  std::optional<Sheet> sheet_;
};

}  // namespace tockary::gui
