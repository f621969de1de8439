// Test support for the tests of every folder: CommaLocale.
#pragma once

// LC_NUMERIC switched to a decimal-comma locale for a test's duration, where one is installed.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    bool Active() const { return m_active; }

private:
    char m_previous[64] = "C";
    bool m_active = false;
};
