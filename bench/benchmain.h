// The common end of every benchmark program's main(): runs the registered
// benchmarks with the command line's filters and returns the exit status.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

// Widgets need no display: benchmarks draw on the offscreen platform unless
// the caller chose another one.
inline void useOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline int runBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
