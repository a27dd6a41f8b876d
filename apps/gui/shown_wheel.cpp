#include "shown_wheel.h"

#include <QStringList>
#include <QVariantMap>

namespace tockary::gui {

namespace {

// Whether two wheels are the same wheel, however they are turned.
bool sameWheel(const std::optional<Wheel>& a, const std::optional<Wheel>& b) {
  if (!a || !b) return !a && !b;
  return a->outlet == b->outlet && a->toolbarTitle == b->toolbarTitle &&
         a->columns.size() == b->columns.size();
}

bool sameColumns(const std::optional<Wheel>& a, const std::optional<Wheel>& b) {
  if (!sameWheel(a, b)) return false;
  if (!a) return true;
  for (std::size_t i = 0; i < a->columns.size(); ++i) {
    const WheelColumn& x = a->columns[i];
    const WheelColumn& y = b->columns[i];
    if (x.titles != y.titles || x.width != y.width || x.selected != y.selected) return false;
  }
  return true;
}

}  // namespace

ShownWheel::Change ShownWheel::update(std::optional<Wheel> wheel) {
  const Change change{!sameWheel(wheel, wheel_), !sameColumns(wheel, wheel_)};
  wheel_ = std::move(wheel);
  return change;
}

QString ShownWheel::outlet() const {
  return wheel_ ? QString::fromStdString(wheel_->outlet) : QString();
}

QString ShownWheel::toolbarTitle() const {
  return wheel_ ? QString::fromStdString(wheel_->toolbarTitle) : QString();
}

int ShownWheel::columnCount() const {
  return wheel_ ? static_cast<int>(wheel_->columns.size()) : 0;
}

QVariantList ShownWheel::columns() const {
  QVariantList columns;
  if (!wheel_) return columns;
  for (const WheelColumn& column : wheel_->columns) {
    QStringList titles;
    for (const std::string& title : column.titles) titles << QString::fromStdString(title);
    columns << QVariantMap{
        {"titles", titles}, {"width", column.width}, {"selected", column.selected}};
  }
  return columns;
}

}  // namespace tockary::gui
