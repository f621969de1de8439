#include "formix/NumericDiagnostics.h"

#include <utility>

namespace formix {

namespace {
thread_local NumericMessageHandler t_handler;
}  // namespace

NumericMessageHandler SetNumericMessageHandler(NumericMessageHandler handler) {
    return std::exchange(t_handler, std::move(handler));
}

void ReportNumeric(const std::string& text, const std::string& caption) {
    if (t_handler) {
        t_handler(text, caption);
    }
}

}  // namespace formix
