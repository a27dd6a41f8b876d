// The collection list's refresh: the list fetch and every row, on a generated collection.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "collection/my_watch_collection_table_view_controller.h"
#include "generated_collection.h"
#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "store/app_delegate.h"
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

void listRefresh(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const auto pictureBytes = static_cast<std::size_t>(state.range(1));
  TempDirectory dir;
  generateCollection(dir.path(), count, pictureBytes);

  AppDelegate app(dir.path());
  MemoryUserDefaults defaults;
  for (auto key : {"wearRateSettingOn", "badgesSettingOn", "fadeSettingOn",
                   "dataIndicatorSettingOn", "ownershipSettingOn", "warrantyInfoSettingOn"}) {
    defaults.setBool(true, key);
  }
  Formatters formatters("en_US", "UTC");
  SystemClock clock;
  RecordingPresenter presenter;
  AppServices services{app, defaults, formatters, clock, presenter};
  MyWatchCollectionTableViewController list(services);
  list.viewDidLoad();
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

}  // namespace
}  // namespace tockary::bench

BENCHMARK_MAIN();
