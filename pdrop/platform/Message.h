// The process-wide message handler. The library has one user-facing message
// (an unmapped flow regime); it goes to this handler and the calculation goes
// on. The default handler writes the text to standard error.
#pragma once

#include <functional>
#include <string>

namespace pdrop {

// Installs a handler for every engine in the process; null restores the
// default. Safe to call from any thread.
void SetMessageHandler(std::function<void(const std::string&)> handler);

// Delivers a message to the current handler.
void ShowMessage(const std::string& text);

}  // namespace pdrop
