#pragma once
// Temporary files that a termination signal must not leave behind. A signal
// handler can reach nothing but global state, so this small table is the
// process's one piece of global mutable state: a few fixed slots naming the
// temporary files of saves in progress, filled and emptied without locks or
// allocation. POSIX only; elsewhere the calls do nothing.

// Installs handlers for SIGINT, SIGTERM and SIGHUP (a signal the process
// ignores stays ignored) that remove every held file and then end the process
// as the signal would have. Programs call it once at start-up.
void RemoveTempFilesOnTermination();

// Holds the file `name` (at most 63 bytes) of the open folder `folder` until
// released; returns the slot, or -1 when nothing is held (table full, name too
// long).
int HoldTempFile(int folder, const char* name);
// Holds the folder `name` of the open folder `folder` in the same way: the
// signal handler removes the files in it (after every held file) and then the
// folder. Only a folder of files; on systems other than Linux only an empty
// one goes.
int HoldTempFolder(int folder, const char* name);
// Frees a slot from HoldTempFile or HoldTempFolder; -1 is ignored.
void ReleaseTempFile(int slot);
