#pragma once

#include <functional>
#include <string_view>

#include "platform/status.h"

namespace tockary {

// The app's console lines for its developer ("WarrantyOn", "Could not fetch", ...). They go to
// standard error unless a front end installs another sink (the CLI keeps them quiet without
// --verbose; tests collect them).
void diagnostic(std::string_view line);

using DiagnosticSink = std::function<void(std::string_view line)>;
// Replaces the sink and returns the previous one. An empty sink drops every line.
DiagnosticSink setDiagnosticSink(DiagnosticSink sink);

// The one fatal stop of the program: prints "Unresolved error " + description + ", " + user
// information to standard error and ends the process with exit status 1. Tests may install a
// handler that records the message instead (it must not return to the caller's normal path,
// so it throws or exits).
[[noreturn]] void fatalStop(const Status& error);

// The message fatalStop prints, without the trailing line break.
std::string fatalMessage(const Status& error);

using FatalHandler = std::function<void(const std::string& message)>;
FatalHandler setFatalHandler(FatalHandler handler);

}  // namespace tockary
