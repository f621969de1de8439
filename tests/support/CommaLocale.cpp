// Test support for the tests of every folder: CommaLocale.
#include "CommaLocale.h"

#include <clocale>
#include <cstdio>
#include <initializer_list>

CommaLocale::CommaLocale() {
    if (const char* previous = std::setlocale(LC_NUMERIC, nullptr))
        std::snprintf(m_previous, sizeof m_previous, "%s", previous);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"})
        if (std::setlocale(LC_NUMERIC, name)) {
            m_active = true;
            return;
        }
}

CommaLocale::~CommaLocale() { std::setlocale(LC_NUMERIC, m_previous); }
