// Paths of the source and build trees as the program under test sees them
// (Z:\... under Wine, plain paths natively).
#pragma once
#include <string>

std::string SourcePath(const std::string& relative);
std::string BinaryPath(const std::string& relative);
// A fresh empty folder for one test, inside the build tree.
std::string ScratchDir(const std::string& name);
