#include "platform/Rounding.h"

#include "platform/NumberText.h"

namespace {

int DecimalsOf(double step) {
    int decimals = 0;
    double s = step;
    while (decimals < 15 &&
           std::fabs(s - rounding_detail::RoundToEven(s)) > 1e-9 * std::max(1.0, std::fabs(s))) {
        s *= 10.0;
        ++decimals;
    }
    return decimals;
}

}  // namespace

std::string NumToStr(double x, double step) {
    if (!rounding_detail::Usable(x, step)) return "0";
    return vemo::FormatFixed(f8_45(x, step), step >= 1.0 ? 0 : DecimalsOf(step));
}
