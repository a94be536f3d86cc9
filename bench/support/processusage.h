#pragma once

#include <functional>

// What this process costs, for the benchmarks.

// CPU time (user and system) the process has used so far, in seconds.
double process_cpu_seconds();

// Resident memory in kB (VmRSS), or -1 when it cannot be read.
long resident_kb();

// Runs the event loop until condition holds or timeoutMs have passed;
// returns whether it holds.
bool wait_until(const std::function<bool()>& condition, int timeoutMs);

// Runs the event loop for the given time and returns the CPU seconds used
// per wall-clock second meanwhile; *wallSeconds gets the time it really ran.
double cpu_share_while_idle(int seconds, double* wallSeconds = nullptr);
