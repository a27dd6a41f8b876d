#include "platform/ui/diagnostics.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>

namespace tockary {

namespace {

DiagnosticSink& sink() {
  static DiagnosticSink current = [](std::string_view line) { std::cerr << line << '\n'; };
  return current;
}

FatalHandler& fatalHandler() {
  static FatalHandler current;
  return current;
}

}  // namespace

void diagnostic(std::string_view line) {
  if (sink()) sink()(line);
}

DiagnosticSink setDiagnosticSink(DiagnosticSink newSink) {
  return std::exchange(sink(), std::move(newSink));
}

std::string fatalMessage(const Status& error) {
  return "Unresolved error " + error.description() + ", " + error.userInfoText();
}

void fatalStop(const Status& error) {
  const std::string message = fatalMessage(error);
  if (fatalHandler()) fatalHandler()(message);
  std::cerr << message << std::endl;
  // _Exit: no static destructors, so nothing half-finished can reach the store.
  std::_Exit(1);
}

FatalHandler setFatalHandler(FatalHandler handler) {
  return std::exchange(fatalHandler(), std::move(handler));
}

}  // namespace tockary
