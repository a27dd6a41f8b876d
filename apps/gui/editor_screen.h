#pragma once

#include <QtQml/qqmlregistration.h>
#include <QImage>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

#include "editor/insert_watch_table_view_controller.h"
#include "store/app_services.h"

namespace tockary::gui {

// The watch editor for QML. Each opening of the page builds a fresh form: insert mode for an
// empty id, else edit mode of that watch with the detail screen's hand-over. Fields are named by
// their outlets; the wheel or date wheel of the field being edited is described by the
// picker* and date* properties.
class EditorScreen : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString title READ title NOTIFY changed)
  Q_PROPERTY(bool editMode READ editMode NOTIFY changed)
  // [{title, rows: [{outlet, label, placeholder, input: "keyboard"|"wheel"|"measure"|"date"}]}]
  Q_PROPERTY(QVariantList sections READ sections CONSTANT)
  Q_PROPERTY(QVariantMap labels READ labels CONSTANT)
  Q_PROPERTY(QVariantMap texts READ texts NOTIFY changed)
  Q_PROPERTY(QString notes READ notes NOTIFY changed)
  Q_PROPERTY(QString frontPicture READ frontPicture NOTIFY changed)
  Q_PROPERTY(QString backPicture READ backPicture NOTIFY changed)
  // Height / width of each slot's image view (0 when it has no picture).
  Q_PROPERTY(double frontAspect READ frontAspect NOTIFY changed)
  Q_PROPERTY(double backAspect READ backAspect NOTIFY changed)
  Q_PROPERTY(QString pictureError READ pictureError NOTIFY changed)
  Q_PROPERTY(QString activeOutlet READ activeOutlet NOTIFY pickerChanged)
  Q_PROPERTY(QString toolbarTitle READ toolbarTitle NOTIFY pickerChanged)
  Q_PROPERTY(bool pickerVisible READ pickerVisible NOTIFY pickerChanged)
  // [{titles, width, selected}] per wheel column.
  Q_PROPERTY(QVariantList pickerColumns READ pickerColumns NOTIFY pickerChanged)
  Q_PROPERTY(bool dateVisible READ dateVisible NOTIFY pickerChanged)
  Q_PROPERTY(int dateYear READ dateYear NOTIFY pickerChanged)
  Q_PROPERTY(int dateMonth READ dateMonth NOTIFY pickerChanged)
  Q_PROPERTY(int dateDay READ dateDay NOTIFY pickerChanged)
  Q_PROPERTY(QStringList monthNames READ monthNames CONSTANT)
  Q_PROPERTY(int firstDateYear READ firstDateYear CONSTANT)
  Q_PROPERTY(int lastDateYear READ lastDateYear CONSTANT)

 public:
  explicit EditorScreen(AppServices& services, QObject* parent = nullptr);
  ~EditorScreen() override;

  // Builds the form for `objectId` ("" = a new watch) and loads it.
  Q_INVOKABLE void open(const QString& objectId);

  // The field's begin-editing: attaches its wheel or date wheel (or the keyboard).
  Q_INVOKABLE void beginEditing(const QString& outlet);
  // The user turned column `column` of the shown wheel to `row`.
  Q_INVOKABLE void selectRow(int column, int row);
  // The user turned the date wheel; a day past the month's end means its last day.
  Q_INVOKABLE void selectDate(int year, int month, int day);
  // The toolbar button above the wheel (the picker's Done action).
  Q_INVOKABLE void pressToolbarButton();
  // A keyboard edit: the field's text would become `proposed`. The change goes through the
  // form's filter; false when it was refused (the field keeps its text).
  Q_INVOKABLE bool editText(const QString& outlet, const QString& proposed);
  Q_INVOKABLE void setNotes(const QString& text);
  Q_INVOKABLE void insertDatestamp();
  // 1 = front, 2 = back: the "Choose Image" sheet.
  Q_INVOKABLE void tapForPhoto(int slot);
  Q_INVOKABLE void save();

  QString title() const;
  bool editMode() const;
  QVariantList sections() const;
  QVariantMap labels() const;
  QVariantMap texts() const;
  QString notes() const;
  QString frontPicture() const;
  QString backPicture() const;
  double frontAspect() const;
  double backAspect() const;
  QString pictureError() const;
  QString activeOutlet() const { return activeOutlet_; }
  QString toolbarTitle() const;
  bool pickerVisible() const;
  QVariantList pickerColumns() const;
  bool dateVisible() const;
  int dateYear() const;
  int dateMonth() const;
  int dateDay() const;
  QStringList monthNames() const;
  int firstDateYear() const { return 1900; }
  int lastDateYear() const { return 2100; }

  // The picture a slot shows now (1 = front, 2 = back), for the image provider.
  QImage picture(int slot) const;
  // Shows the form again after it changed behind the page's back (a picked picture).
  // `picker`: the shown wheel changed too (opened, closed or another one).
  void refresh(bool picker = false);
  // The form itself, for tests.
  InsertWatchTableViewController* form() { return form_.get(); }

  static void setInstance(EditorScreen* screen);
  static EditorScreen* create(QQmlEngine* engine, QJSEngine*);

 signals:
  void changed();
  // Only when another wheel is shown, so that turning a wheel does not rebuild it.
  void pickerChanged();

 private:
  FormTextField* field(const QString& outlet) const;
  FormTextField* activeField() const;

  AppServices& services_;
  std::unique_ptr<InsertWatchTableViewController> form_;
  QString activeOutlet_;
  int revision_ = 0;
  QImage front_, back_;
  const Image::Impl* shownFront_ = nullptr;
  const Image::Impl* shownBack_ = nullptr;
};

}  // namespace tockary::gui
