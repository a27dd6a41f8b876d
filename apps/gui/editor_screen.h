#pragma once

#include <QtQml/qqmlregistration.h>
#include <QImage>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "forms/editor_form.h"
#include "shown_wheel.h"
#include "store/app_services.h"

namespace tockary::gui {

class Pictures;

// An editor form for QML, whichever record it edits. Each opening of the page builds a fresh
// form through the opener the composition root gave: insert mode for an empty id, else edit mode
// of that record. The page lays out the form's field descriptors; fields are named by their
// outlets, and the wheel below the field being edited is the form's own, column by column.
class EditorScreen : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_UNCREATABLE("The editors are made by the app; QML finds them through Editors.")
  Q_PROPERTY(QString title READ title NOTIFY changed)
  Q_PROPERTY(bool editMode READ editMode NOTIFY changed)
  // The form in its order, by section: [{title, fields: [{outlet, caption, placeholder, kind}]}],
  // with the kind as the form names it ("text", "date", "picture", "notes", ...).
  Q_PROPERTY(QVariantList sections READ sections NOTIFY opened)
  // The form's other texts: pictureHint, save, and datestamp (empty when the form has none).
  Q_PROPERTY(QVariantMap labels READ labels NOTIFY opened)
  // The text of every field but the pictures, by outlet.
  Q_PROPERTY(QVariantMap texts READ texts NOTIFY changed)
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
  // Makes a form for a record id ("" for a new record) and the opener's hand-over arguments,
  // in its mode, not yet loaded.
  using FormOpener = std::function<std::unique_ptr<EditorForm>(
      const std::string& objectId, const std::map<std::string, std::string>& arguments)>;

  // `name` names the editor for QML ("watch") and its pictures' source.
  EditorScreen(AppServices& services, const QString& name, FormOpener opener,
               QObject* parent = nullptr);
  ~EditorScreen() override;

  const QString& name() const { return name_; }
  // Serves what the picture slots of the open form show.
  void servePictures(Pictures& pictures);

  // Builds the form for `objectId` and the hand-over `arguments` and loads it. A field the form
  // asks to be edited first begins editing at once.
  Q_INVOKABLE void open(const QString& objectId, const QVariantMap& arguments = {});

  // The field's begin-editing: shows its wheel, if it has one.
  Q_INVOKABLE void beginEditing(const QString& outlet);
  // The user turned column `column` of the shown wheel to `row`.
  Q_INVOKABLE void selectRow(int column, int row);
  // The toolbar button above the wheel (the picker's Done action).
  Q_INVOKABLE void pressToolbarButton();
  // A keyboard edit: the field's text would become `proposed`. The change goes through the
  // form's filter; false when it was refused (the field keeps its text).
  Q_INVOKABLE bool editText(const QString& outlet, const QString& proposed);
  // The notes area now holds `text`.
  Q_INVOKABLE void setNotes(const QString& outlet, const QString& text);
  Q_INVOKABLE void insertDatestamp();
  // The picture slot `outlet` was tapped: the form's picture choice.
  Q_INVOKABLE void tapPicture(const QString& outlet);
  Q_INVOKABLE void save();
  // The back button and Esc: closes the page, asking first where the form asks.
  Q_INVOKABLE void goBack();
  // The tab of the list: asks as goBack does, then emits leftForList instead of closing one page.
  Q_INVOKABLE void leaveForList();

  QString title() const;
  bool editMode() const;
  QVariantList sections() const;
  QVariantMap labels() const;
  QVariantMap texts() const;
  QVariantMap pictures() const;
  QString pictureError() const;
  QString editedOutlet() const;
  QString wheelOutlet() const;
  QString toolbarTitle() const;
  int wheelColumnCount() const;
  QVariantList wheelColumns() const;

  // Shows the form again after it changed behind the page's back (a picked picture).
  void refresh();
  // The open form, for tests; null before the first open.
  EditorForm* form() { return form_.get(); }

 signals:
  void opened();
  void changed();
  void wheelChanged();
  void wheelColumnsChanged();
  // The user may leave the form for the list; nothing was saved.
  void leftForList();

 private:
  QString pictureSource() const;

  AppServices& services_;
  QString name_;
  FormOpener opener_;
  std::unique_ptr<EditorForm> form_;
  ShownWheel wheel_;
  int revision_ = 0;  // of the slots' picture addresses
  // Per picture outlet: what it shows, decoded for the picture provider, and the form's picture
  // it was made from.
  std::map<QString, QImage> slotImages_;
  std::map<QString, const Image::Impl*> shownPictures_;
};

// Every editor of the app by name, for the editor page: Editors.form("service").
class Editors : public QObject {
  Q_OBJECT
  QML_ELEMENT
  QML_SINGLETON

 public:
  explicit Editors(QObject* parent) : QObject(parent) {}

  // Takes `editor` as a child.
  void add(EditorScreen* editor);
  // The editor named `name`; null for a name no editor has.
  Q_INVOKABLE tockary::gui::EditorScreen* form(const QString& name) const;

  static void setInstance(Editors* editors);
  static Editors* instance();
  static Editors* create(QQmlEngine*, QJSEngine*);

 private:
  std::map<QString, EditorScreen*> editors_;
};

}  // namespace tockary::gui
