#pragma once
// Standard output checked as a saved file is: a text verb whose output could
// not be written in full (a full disk, /dev/full, a closed pipe's descriptor)
// fails instead of leaving a cut table or invalid JSON behind exit status 0.
//
// The stream's error indicator stays set from the first failed write, so one
// look at the end, after the final flush and close, covers every write of the
// verb; verbs whose output has no bound stop at the first failed line.

// True once a write to standard output has failed.
bool StandardOutputFailed();

// Flushes and closes standard output. When that or any earlier write failed,
// says why on stderr and returns 1 (the job failed); otherwise status.
int FinishStandardOutput(int status);
