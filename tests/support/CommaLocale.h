// Test support for the tests of every folder: CommaLocale.
#pragma once
#include <string>

// The name of a decimal-comma locale ("de_DE.UTF-8") that setlocale and newlocale find. The first
// call makes it with localedef in a temporary folder of this process and puts that folder first in
// LOCPATH, so that it is there whether the machine has it installed or not. When it cannot be made,
// the test fails and the name is empty.
std::string CommaLocaleName();

// LC_NUMERIC switched to that locale for a test's duration; Active when its decimal point is the comma.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    bool Active() const { return m_active; }

private:
    std::string m_previous = "C";
    bool m_active = false;
};
