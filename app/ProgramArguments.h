// The program's own command line as UTF-16, so that a package path the user's
// code page cannot hold is not turned into "?". Split by the rules of
// app/CommandLineSplit.h; index 0 is the program itself.
#pragma once

#include <string>
#include <vector>

std::vector<std::wstring> ProgramArgumentsW();
// Replaces the arguments (index 0 onward), for a host that runs the forms with
// arguments of its own; an empty list restores the process's (or those the host
// set through the framework's SetProgramArguments).
void SetProgramArgumentsW(const std::vector<std::wstring>& arguments);
// The executable's full path, as the platform reports the module file name.
std::wstring ProgramFileW();
