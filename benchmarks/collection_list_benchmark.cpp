// The collection list: its refresh (the list fetch and every row) and its search, on generated
// collections.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>

#include "collection/my_watch_collection_table_view_controller.h"
#include "generated_collection.h"
#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "platform/ui/diagnostics.h"
#include "store/app_delegate.h"
#include "store/records.h"
#include "support/recording_presenter.h"

namespace tockary::bench {
namespace {

class TempDirectory {
 public:
  TempDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tockary-bench-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDirectory() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The collection screen loaded on a data directory, with these switches on.
struct LoadedList {
  LoadedList(const std::filesystem::path& directory, std::initializer_list<const char*> switches)
      : app(directory) {
    for (const char* key : switches) defaults.setBool(true, key);
    list.viewDidLoad();
  }
  AppDelegate app;
  MemoryUserDefaults defaults;
  Formatters formatters{"en_US", "UTC"};
  SystemClock clock;
  RecordingPresenter presenter;
  AppServices services{app, defaults, formatters, clock, presenter};
  MyWatchCollectionTableViewController list{services};
};

void listRefresh(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const auto pictureBytes = static_cast<std::size_t>(state.range(1));
  TempDirectory dir;
  generateCollection(dir.path(), count, pictureBytes);

  LoadedList loaded(dir.path(),
                    {"wearRateSettingOn", "badgesSettingOn", "fadeSettingOn",
                     "dataIndicatorSettingOn", "ownershipSettingOn", "warrantyInfoSettingOn"});
  MyWatchCollectionTableViewController& list = loaded.list;
  for (auto _ : state) {
    list.viewDidAppear();
    auto rows = list.allRows();
    benchmark::DoNotOptimize(rows);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

BENCHMARK(listRefresh)
    ->Args({10000, 0})
    ->Args({10000, 20000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// What the search looks for, by the benchmark's argument: a word most watches hold, one word of
// a few, two words of one watch, a word no watch holds, one character (read without the index).
constexpr const char* kSearches[] = {"omega", "SN-004217", "seamaster 4216", "rolexx", "7"};

// The list fetch with a search typed, on 100,000 watches whose reference, serial number, caliber
// and notes are filled too: the ids in order, as the list and `tockary list --search` need them.
void listSearch(benchmark::State& state) {
  static constexpr std::size_t kCount = 100000;
  static TempDirectory dir;
  static const bool generated = [] {
    generateCollection(dir.path(), kCount, 0);
    AppDelegate app(dir.path());
    ManagedObjectContext& context = app.viewContext();
    auto watches = context.fetch<Kello>(Kello::fetchRequest());
    if (!watches) fatalStop(watches.status());
    std::size_t i = 0;
    for (const auto& watch : watches.value()) {
      const std::string n = std::to_string(i);
      watch->setRefkoodi("REF " + std::to_string(1000 + i % 9000));
      watch->setSarjanumero("SN-" + std::string(6 - std::min<std::size_t>(6, n.size()), '0') + n);
      watch->setKoneisto(i % 3 == 0 ? "Caliber 8500" : "ETA 2824-2");
      if (i % 4 == 0) watch->setVarasarake3("Seamaster note " + n + ": bought in Genève");
      if (++i % 5000 == 0) {
        if (Status saved = context.save(); !saved) fatalStop(saved);
      }
    }
    if (Status saved = context.save(); !saved) fatalStop(saved);
    return true;
  }();
  benchmark::DoNotOptimize(generated);

  LoadedList loaded(dir.path(), {"hideSoldWatchesSettingOn"});
  MyWatchCollectionTableViewController& list = loaded.list;
  const char* text = kSearches[state.range(0)];
  int found = 0;
  for (auto _ : state) {
    list.searchFor(text);
    found = list.numberOfRowsInSection(0);
  }
  state.SetLabel(std::string("\"") + text + "\": " + std::to_string(found) + " watches");
}

BENCHMARK(listSearch)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace tockary::bench

BENCHMARK_MAIN();
