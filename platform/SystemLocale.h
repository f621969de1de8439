#pragma once

// The C library's locale of the program.
namespace vemo {

// Set once at start-up, after the GUI toolkit has taken every category from the environment: the
// system's own texts (strerror) follow the user's language, in UTF-8 as every text of the program;
// numbers are written and read in the C locale whatever the user's locale says.
void UseProgramLocale();

}  // namespace vemo
