#pragma once
#include <QtGlobal>

// A data size of a benchmark: the environment variable when it holds a number
// above 0 (a quick CI-size run), else the size the benchmark is meant for.
inline int BenchSize(const char* variable, int meant)
{
    const int n = qEnvironmentVariableIntValue(variable);
    return n > 0 ? n : meant;
}
