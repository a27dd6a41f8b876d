#pragma once

#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "platform/ui/presenter.h"
#include "store/app_delegate.h"

namespace tockary {

// What every screen takes from the composition root: the shell with the store, the defaults,
// the formatters of the current locale, the clock and the presenter. All outlive the screens.
struct AppServices {
  AppDelegate& app;
  UserDefaults& defaults;
  const Formatters& formatters;
  const Clock& clock;
  Presenter& presenter;

  ManagedObjectContext& context() { return app.viewContext(); }
};

}  // namespace tockary
