// The program's command-line arguments as GBK text: blanks separate arguments,
// double quotes group blanks into one and are dropped.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// Arguments after the program name: those of this process, or those set below.
int ParamCount();
// Argument i (1-based); 0 is the program itself; empty when there is none.
std::string ParamStr(int index);
// Replaces the process's arguments (index 0 onward) for ParamCount/ParamStr, for a
// host that runs the forms with arguments of its own; an empty list restores them.
void SetProgramArguments(const std::vector<std::string>& arguments);
// Whether SetProgramArguments replaced the process's arguments.
bool ProgramArgumentsReplaced();
