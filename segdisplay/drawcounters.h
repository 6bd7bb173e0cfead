// Counts of the display's drawing operations, so tests and benchmarks can
// see which operations a property change ran.
#pragma once

struct DrawCounters {
    int rebuilds = 0; // RebuildDisplay
    int gradientBuilds = 0; // BuildGradient
    int repaintAlls = 0; // RepaintAll
    int cellPaints = 0; // one digit cell wiped and painted
    int refreshes = 0; // the surface shown again
};
