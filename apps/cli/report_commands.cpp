// report, share: a watch's PDF report and its quick share, as the detail screen's buttons make
// them.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "commands.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "detail/watch_report.h"
#include "output.h"
#include "platform/share/desktop_share.h"
#include "screen_output.h"

namespace tockary::cli {

namespace {

namespace fs = std::filesystem;
using Screen = TarkasteleKelloaTableViewController;

struct ReportArguments {
  std::string id;
  std::string layout;
  std::string folder;
};

// The folder -o names, checked before anything is read: it must be an existing folder.
fs::path outputFolder(const std::string& given) {
  std::error_code error;
  if (given.empty() || !fs::is_directory(given, error)) {
    throw UsageError{"-o \"" + given + "\" is not a folder; name an existing folder"};
  }
  return fs::absolute(given, error).lexically_normal();
}

void addFolderOption(CLI::App* command, ReportArguments& arguments, std::string_view writes) {
  command
      ->add_option(
          "-o,--output", arguments.folder,
          "The folder " + std::string(writes) + " is written to (default: the documents folder)")
      ->type_name("DIR");
}

// The detail screen of the watch, as it opens, writing into -o's folder when given.
std::unique_ptr<Screen> openScreen(CliEnvironment& env, const ReportArguments& arguments) {
  std::optional<fs::path> folder;
  if (!arguments.folder.empty()) folder = outputFolder(arguments.folder);
  const std::shared_ptr<Kello> watch = watchById(env, arguments.id);
  auto screen = std::make_unique<Screen>(env.services(), watch->objectID());
  screen->viewDidLoad();
  if (folder) screen->setDocumentsFolder(*folder);
  return screen;
}

// A report or share the screen refused (a picture missing) or could not write: one line, exit 1.
int refused(const Status& why) {
  std::cerr << "tockary: " << why.description() << '\n';
  return 1;
}

std::string layoutOptions() {
  std::string names;
  for (const ReportLayoutName& name : kReportLayouts) {
    if (!names.empty()) names += ", ";
    names += std::string(name.option) + " (" + std::string(name.title) + ")";
  }
  return names;
}

}  // namespace

void addReportCommands(CLI::App& root, CommandAction& action) {
  auto arguments = std::make_shared<ReportArguments>();

  auto* report = addWatchIdArgument(
      root.add_subcommand(
          "report",
          "Write a watch's one-page PDF report as the detail screen's report buttons do, named "
          "after its brand and model, and print the file's path. An earlier report of the same "
          "name is replaced. A layout with two pictures needs the watch's back picture too.\n"
          "  tockary report 12 --layout regular\n"
          "  tockary report 12 --layout for-sale-2 -o ~/Desktop"),
      arguments->id);
  std::vector<std::string> options;
  for (const ReportLayoutName& name : kReportLayouts) options.emplace_back(name.option);
  report->add_option("--layout", arguments->layout, "One of: " + layoutOptions())
      ->required()
      ->check(CLI::IsMember(options));
  addFolderOption(report, *arguments, "the report");
  report->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      auto screen = openScreen(env, *arguments);
      ReportLayout layout = ReportLayout::Regular;
      for (const ReportLayoutName& name : kReportLayouts) {
        if (name.option == arguments->layout) layout = name.layout;
      }
      const Result<fs::path> file = screen->report(layout);
      if (!file) return refused(file.status());
      Output out(env.options().json);
      out.json()["id"] = screen->kelloID().primaryKey;
      out.json()["layout"] = arguments->layout;
      out.json()["title"] = reportTitle(screen->snapshot());
      out.json()["path"] = file->string();
      out.text().line(file->string());
      out.print(std::cout);
      return 0;
    };
  });

  auto* share = addWatchIdArgument(
      root.add_subcommand(
          "share",
          "Share a watch as the detail screen's share button does: lists the twenty shared items "
          "in order (the picture shown as PNG, then the watch's texts) and writes the picture, "
          "named after the watch.\n  tockary share 12 -o /tmp"),
      arguments->id);
  addFolderOption(share, *arguments, "the picture");
  share->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      auto screen = openScreen(env, *arguments);
      if (Status shared = screen->shareWatchInfo(); !shared) return refused(shared);
      fs::path folder = documentsFolder();
      if (arguments->folder.empty()) {
        std::error_code error;
        fs::create_directories(folder, error);  // a failure shows when the picture is written
      } else {
        folder = outputFolder(arguments->folder);
      }
      Output out(env.options().json);
      out.json()["id"] = screen->kelloID().primaryKey;
      printSharedItems(out, env.presenter().sharedRequests().back(),
                       [&](const ShareItem::Data& picture) { return folder / picture.fileName; });
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace tockary::cli
