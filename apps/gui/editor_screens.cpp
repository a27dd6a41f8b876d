#include "editor/insert_watch_table_view_controller.h"
#include "editor_screen.h"
#include "gui_app.h"
#include "service/insert_service_table_view_controller.h"
#include "service/insert_warranty_table_view_controller.h"
#include "service/tarkastele_huoltoa_table_view_controller.h"
#include "service/tarkastele_takuuta_table_view_controller.h"
#include "store/watch_hand_over.h"

namespace tockary::gui {

namespace {

std::unique_ptr<EditorForm> openWatchForm(AppServices& services, const std::string& objectId) {
  auto form = std::make_unique<InsertWatchTableViewController>(services);
  std::shared_ptr<Kello> watch;
  if (const auto id = ObjectID::fromText(objectId)) {
    watch = services.context().existingObject<Kello>(*id);
  }
  if (watch) {
    form->openForEdit(editRequestFor(*watch));
  } else {
    form->openForInsert();
  }
  return form;
}

// A record's detail screen hands over the record and the title of the edit mode.
template <class Form>
std::unique_ptr<EditorForm> openRecordForm(AppServices& services, const std::string& objectId,
                                           const std::map<std::string, std::string>& arguments,
                                           std::string_view editTitle) {
  auto form = std::make_unique<Form>(services);
  if (const auto id = ObjectID::fromText(objectId)) {
    const auto title = arguments.find("tempEditTitleMuutos");
    form->openForEdit(*id, title != arguments.end() ? title->second : std::string(editTitle));
  } else {
    form->openForInsert();
  }
  return form;
}

}  // namespace

void installEditorScreens(AppServices& services, QObject& parent, Pictures& pictures) {
  auto* editors = new Editors(&parent);
  Editors::setInstance(editors);
  editors->add(new EditorScreen(services, "watch", [&services](const std::string& id, const auto&) {
    return openWatchForm(services, id);
  }));
  editors->add(new EditorScreen(
      services, "service", [&services](const std::string& id, const auto& arguments) {
        return openRecordForm<InsertServiceTableViewController>(
            services, id, arguments, TarkasteleHuoltoaTableViewController::kEditTitle);
      }));
  editors->add(new EditorScreen(
      services, "warranty", [&services](const std::string& id, const auto& arguments) {
        return openRecordForm<InsertWarrantyTableViewController>(
            services, id, arguments, TarkasteleTakuutaTableViewController::kEditTitle);
      }));
  // A picked picture reaches the form through its own callback; the page then shows it.
  auto* presenter = dynamic_cast<GuiPresenter*>(&services.presenter);
  for (EditorScreen* editor : editors->findChildren<EditorScreen*>(Qt::FindDirectChildrenOnly)) {
    editor->servePictures(pictures);
    if (presenter != nullptr) {
      QObject::connect(presenter, &GuiPresenter::imagePickAnswered, editor,
                       [editor] { editor->refresh(); });
    }
  }
}

}  // namespace tockary::gui
