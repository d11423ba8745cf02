#pragma once
// The command line's arguments as UTF-8, as every path and text in kelvra
// is. Windows hands main() its arguments in the ANSI code page, which cannot
// hold a Chinese file name on most desks; there they are taken from the wide
// command line instead.

#include <string>
#include <vector>

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Puts the standard streams in binary mode where the system has a text mode
// (Windows), so what a program prints is the same bytes on every system.
void UseBinaryStandardStreams();
