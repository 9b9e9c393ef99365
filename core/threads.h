#pragma once
// How many threads a long job may use: the cores of the machine, capped by the user's setting.

namespace tessaline {

// The cap on the threads of a job; 0 (the default) leaves every core in use, 1 runs every job on
// its calling thread alone. Negative values count as 0.
void SetThreadCap(int cap);
int ThreadCap();

// The threads a job may use now: at least 1, at most the cores and the cap.
int ThreadsForJob();

} // namespace tessaline
