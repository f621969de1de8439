// Test support for the tests of estimate/: CalcTestEnv.
#pragma once
#include "estimate/CalcMasters.h"

// Masters and settings for calculation tests, built in code (see MasterBuilders.h). The
// environment installs itself on construction and restores the previous one when destroyed.
class CalcTestEnv : public CalcMasters {
public:
    CalcTestEnv() : m_previous(SetCalcEnv(this)) {}
    ~CalcTestEnv() override { SetCalcEnv(m_previous); }
    CalcTestEnv(const CalcTestEnv&) = delete;
    CalcTestEnv& operator=(const CalcTestEnv&) = delete;

private:
    ICalcEnvironment* m_previous;
};
