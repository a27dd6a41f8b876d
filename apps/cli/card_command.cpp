#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "collection/watch_card.h"
#include "commands.h"
#include "output.h"
#include "screen_output.h"

namespace tockary::cli {

namespace {

struct CardArguments {
  std::string id;
  std::string file;
};

}  // namespace

void addCardCommand(CLI::App& root, CommandAction& action) {
  auto arguments = std::make_shared<CardArguments>();
  auto* command = addWatchIdArgument(
      root.add_subcommand("card",
                          "Show a watch's card, as its row's status button does: its texts, and "
                          "with -o the whole card as a PNG picture.\n  tockary card 12\n"
                          "  tockary card 12 -o card.png"),
      arguments->id);
  auto* output =
      command->add_option("-o,--output", arguments->file, "The PNG file to write, replaced whole")
          ->type_name("FILE");
  command->callback([&action, arguments, output] {
    action = [arguments, output](CliEnvironment& env) {
      std::optional<std::filesystem::path> target;
      if (output->count() > 0) target = outputFile("-o", arguments->file, "card.png");
      const std::shared_ptr<Kello> watch = watchById(env, arguments->id);
      auto card = watchCard(*watch, env.services());
      if (!card) throw WriteFailure{"the card could not be drawn: " + card.status().description()};
      Output out(env.options().json);
      out.json()["id"] = watch->objectID().text();
      Json texts = Json::object();
      for (std::size_t i = 0; i < kCardTextRoles.size(); ++i) {
        texts[std::string(kCardTextRoles[i])] = card->texts[i];
        out.text().line(card->texts[i]);
      }
      out.json()["texts"] = texts;
      out.json()["statusIcon"] = card->statusIcon;
      out.json()["file"] = Json();
      if (target) {
        writeDrawingPng(watchCardDrawing(card->sheet), *target, "the card");
        out.json()["file"] = target->string();
        out.text().line("Card written to " + target->string() + ".");
      }
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace tockary::cli
