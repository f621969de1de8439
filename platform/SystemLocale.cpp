#include "platform/SystemLocale.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace vemo {

void UseProgramLocale() {
    // Numbers: a decimal comma of the user's locale would change what printf writes and strtod reads.
    std::setlocale(LC_NUMERIC, "C");
    if (!std::setlocale(LC_MESSAGES, "")) return;  // a locale the system lacks: its texts stay as they are
    // The system converts its texts into the character set of LC_CTYPE; the program's is UTF-8.
    std::setlocale(LC_CTYPE, "");
    if (std::strcmp(::nl_langinfo(CODESET), "UTF-8") != 0 && !std::setlocale(LC_CTYPE, "C.UTF-8"))
        std::setlocale(LC_MESSAGES, "C");
}

}  // namespace vemo
