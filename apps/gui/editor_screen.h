#pragma once

#include <QtQml/qqmlregistration.h>
#include <QImage>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <map>
#include <memory>
#include <optional>

#include "editor/insert_watch_table_view_controller.h"
#include "store/app_services.h"

namespace tockary::gui {

class Pictures;

// The watch editor for QML. Each opening of the page builds a fresh form: insert mode for an
// empty id, else edit mode of that watch. The page lays out the form's field descriptors; fields
// are named by their outlets, and the wheel below the field being edited is the form's own,
// column by column.
class EditorScreen : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON
  Q_PROPERTY(QString title READ title NOTIFY changed)
  Q_PROPERTY(bool editMode READ editMode NOTIFY changed)
  // The form in its order, by section: [{title, fields: [{outlet, caption, placeholder, kind}]}],
  // with the kind as the form names it ("text", "date", "picture", "notes", ...).
  Q_PROPERTY(QVariantList sections READ sections CONSTANT)
  // The form's other texts: pictureHint, datestamp, save.
  Q_PROPERTY(QVariantMap labels READ labels CONSTANT)
  Q_PROPERTY(QVariantMap texts READ texts NOTIFY changed)
  Q_PROPERTY(QString notes READ notes NOTIFY changed)
  // {source, aspect} per picture outlet; aspect is the view's height / width, 0 when it is empty.
  Q_PROPERTY(QVariantMap pictures READ pictures NOTIFY changed)
  Q_PROPERTY(QString pictureError READ pictureError NOTIFY changed)
  // The outlet of the field being edited; empty when none is.
  Q_PROPERTY(QString editedOutlet READ editedOutlet NOTIFY changed)
  // The wheel below the field being edited: its field (empty when none is shown), its toolbar
  // button and its number of columns. They change only when another wheel is shown, so that
  // turning one does not rebuild it.
  Q_PROPERTY(QString wheelOutlet READ wheelOutlet NOTIFY wheelChanged)
  Q_PROPERTY(QString toolbarTitle READ toolbarTitle NOTIFY wheelChanged)
  Q_PROPERTY(int wheelColumnCount READ wheelColumnCount NOTIFY wheelChanged)
  // [{titles, width, selected}] per column of the shown wheel; changes with every turn.
  Q_PROPERTY(QVariantList wheelColumns READ wheelColumns NOTIFY wheelColumnsChanged)

 public:
  // The picture source of the open form's picture slots, by outlet.
  static constexpr const char* kPictureSource = "form";

  explicit EditorScreen(AppServices& services, QObject* parent = nullptr);
  ~EditorScreen() override;

  // Serves what the picture slots of the open form show.
  void servePictures(Pictures& pictures);

  // Builds the form for `objectId` ("" = a new watch; a watch that is gone also gives an empty
  // form) and loads it.
  Q_INVOKABLE void open(const QString& objectId);

  // The field's begin-editing: shows its wheel, if it has one.
  Q_INVOKABLE void beginEditing(const QString& outlet);
  // The user turned column `column` of the shown wheel to `row`.
  Q_INVOKABLE void selectRow(int column, int row);
  // The toolbar button above the wheel (the picker's Done action).
  Q_INVOKABLE void pressToolbarButton();
  // A keyboard edit: the field's text would become `proposed`. The change goes through the
  // form's filter; false when it was refused (the field keeps its text).
  Q_INVOKABLE bool editText(const QString& outlet, const QString& proposed);
  Q_INVOKABLE void setNotes(const QString& text);
  Q_INVOKABLE void insertDatestamp();
  // The picture slot `outlet` was tapped: the "Choose Image" sheet.
  Q_INVOKABLE void tapForPhoto(const QString& outlet);
  Q_INVOKABLE void save();
  // The back button and Esc: closes the page, asking first when the form was changed.
  Q_INVOKABLE void goBack();
  // The Collection tab: asks as goBack does, then emits leftForList instead of closing one page.
  Q_INVOKABLE void leaveForList();

  QString title() const;
  bool editMode() const;
  QVariantList sections() const;
  QVariantMap labels() const;
  QVariantMap texts() const;
  QString notes() const;
  QVariantMap pictures() const;
  QString pictureError() const;
  QString editedOutlet() const;
  QString wheelOutlet() const;
  QString toolbarTitle() const;
  int wheelColumnCount() const;
  QVariantList wheelColumns() const;

  // Shows the form again after it changed behind the page's back (a picked picture).
  void refresh();
  // The form itself, for tests.
  InsertWatchTableViewController* form() { return form_.get(); }

  static void setInstance(EditorScreen* screen);
  static EditorScreen* create(QQmlEngine* engine, QJSEngine*);

 signals:
  void changed();
  void wheelChanged();
  void wheelColumnsChanged();
  // The user may leave the form for the list; nothing was saved.
  void leftForList();

 private:
  AppServices& services_;
  std::unique_ptr<InsertWatchTableViewController> form_;
  std::optional<Wheel> wheel_;  // as last shown
  int revision_ = 0;            // of the slots' picture addresses
  // Per picture outlet: what it shows, decoded for the picture provider, and the form's picture
  // it was made from.
  std::map<QString, QImage> slotImages_;
  std::map<QString, const Image::Impl*> shownPictures_;
};

}  // namespace tockary::gui
