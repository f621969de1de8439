#include "platform/LocalDate.h"

namespace vemo {

CivilDate LocalDateOf(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

CivilDate LocalToday() { return LocalDateOf(std::time(nullptr)); }

}  // namespace vemo
