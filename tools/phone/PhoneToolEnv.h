// What both simulated phone tools share: the environment that scripts them.
//
//   PTQ_LOG          file to which every run appends its command line and CR LF
//   PTQ_DELAY_MS     milliseconds to wait before printing anything
//   PTQ_BARRIER,
//   PTQ_BARRIER_COUNT  folder and number: each run leaves a file in the folder
//                    and waits (at most 20 s) until the folder holds that many,
//                    so a test can prove that several runs were alive together;
//                    on time-out it says so on standard error
//   PTQAPK_SCRIPT,
//   PTQLIST_SCRIPT   file whose bytes this tool writes to standard output as they
//                    are, instead of its own output
//   PTQ_SCRIPT       the same for both tools, when the tool's own is not set
//   PTQ_STDERR       with a script: file whose bytes then go to standard error
//   PTQ_EXIT         with a script: the exit code (default 0)
//   PTQ_DEVICE       PTQApk only: "none" (no phone: what a current bridge prints),
//                    "full" (phone storage full), anything else or unset (a phone
//                    that accepts packages)
//
// Both tools read their command line as UTF-16 and open the package through the
// wide, long-path aware file functions, and print paths as UTF-8, so a path that
// the user's code page cannot hold arrives, or visibly does not.
#pragma once

#include <string>
#include <vector>

// Environment variable, empty when unset.
std::string EnvText(const char* name);

// Writes bytes to standard output or standard error without any translation.
void WriteOut(const std::string& bytes);
void WriteErr(const std::string& bytes);

// Whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// The tool's arguments after its own name, from the UTF-16 command line.
std::vector<std::wstring> ToolArguments();
std::string ToUtf8(const std::wstring& text);

// Logs the command line, waits PTQ_DELAY_MS and at the barrier. Then, when a script is set
// (toolScriptVar or PTQ_SCRIPT), prints it and PTQ_STDERR and returns true with
// exitCode 0, or 3 when a script file cannot be read. False: no script, the
// tool prints its own output.
bool RunScript(const char* toolScriptVar, int& exitCode);
