#include "gui_presenter.h"

#include <QJSEngine>

namespace tockary::gui {

namespace {
GuiPresenter* instance = nullptr;
}

GuiPresenter::GuiPresenter(QObject* parent) : QObject(parent) {}

void GuiPresenter::present(Sheet sheet) {
  sheet_ = std::move(sheet);
  emit changed();
}

void GuiPresenter::push(ScreenRequest request) {
  emit screenRequested(QString::fromStdString(request.screen),
                       QString::fromStdString(request.objectId));
}

void GuiPresenter::pop(int count) { emit popRequested(count); }

void GuiPresenter::share(std::vector<std::string> /*items*/) {}

void GuiPresenter::pickImage(ImageSource /*source*/,
                             std::function<void(std::optional<Bytes>)> done) {
  if (done) done(std::nullopt);
}

bool GuiPresenter::actionSheet() const {
  return sheet_ && sheet_->style == SheetStyle::ActionSheet;
}

QString GuiPresenter::headline() const {
  return sheet_ ? QString::fromStdString(sheet_->displayedTitle()) : QString();
}

QString GuiPresenter::headlineFont() const {
  return sheet_ && sheet_->attributedTitle
             ? QString::fromStdString(sheet_->attributedTitle->fontName)
             : QString();
}

double GuiPresenter::headlineSize() const {
  return sheet_ && sheet_->attributedTitle ? sheet_->attributedTitle->fontSize : 0;
}

QString GuiPresenter::message() const {
  return sheet_ ? QString::fromStdString(sheet_->displayedMessage()) : QString();
}

QString GuiPresenter::messageFont() const {
  return sheet_ && sheet_->attributedMessage
             ? QString::fromStdString(sheet_->attributedMessage->fontName)
             : QString();
}

double GuiPresenter::messageSize() const {
  return sheet_ && sheet_->attributedMessage ? sheet_->attributedMessage->fontSize : 0;
}

QStringList GuiPresenter::actions() const {
  QStringList titles;
  if (sheet_) {
    for (const auto& action : sheet_->actions) titles << QString::fromStdString(action.title);
  }
  return titles;
}

QStringList GuiPresenter::actionStyles() const {
  QStringList styles;
  if (!sheet_) return styles;
  for (const auto& action : sheet_->actions) {
    switch (action.style) {
      case ActionStyle::Default:
        styles << "default";
        break;
      case ActionStyle::Cancel:
        styles << "cancel";
        break;
      case ActionStyle::Destructive:
        styles << "destructive";
        break;
    }
  }
  return styles;
}

void GuiPresenter::choose(int index) {
  if (!sheet_ || index < 0 || index >= static_cast<int>(sheet_->actions.size())) return;
  // The handler may present the next sheet, so close this one first.
  Sheet closing = std::move(*sheet_);
  sheet_.reset();
  emit changed();
  closing.press(closing.actions[index].title);
}

void GuiPresenter::setInstance(GuiPresenter* presenter) { instance = presenter; }

GuiPresenter* GuiPresenter::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
