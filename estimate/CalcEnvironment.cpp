#include "estimate/CalcEnvironment.h"

#include <stdexcept>

namespace {
ICalcEnvironment* g_env = nullptr;
}

ICalcEnvironment& CalcEnv() {
    if (!g_env) throw std::logic_error("no calculation environment installed");
    return *g_env;
}

ICalcEnvironment* SetCalcEnv(ICalcEnvironment* env) {
    ICalcEnvironment* previous = g_env;
    g_env = env;
    return previous;
}
