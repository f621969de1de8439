#pragma once

#include <functional>
#include <string>

namespace formix {

// The vector and matrix classes tell about refused or out-of-range operations through this
// handler: a message text and a caption, as a message box would show them. The library has no user
// interface of its own; a host that wants to show the messages installs a handler. Without one the
// messages are dropped. The handler belongs to the calling thread.
using NumericMessageHandler = std::function<void(const std::string& text, const std::string& caption)>;

// Installs `handler` for the calling thread and returns the one it replaces.
NumericMessageHandler SetNumericMessageHandler(NumericMessageHandler handler);

// Passes one message to the calling thread's handler, if any.
void ReportNumeric(const std::string& text, const std::string& caption);

}  // namespace formix
