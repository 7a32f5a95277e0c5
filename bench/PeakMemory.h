// Peak memory of a fresh process, for the benchmarks that compare memory: the program runs
// itself with an argument, and the child reports its own peak.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

// VmHWM of this process in MB: the peak resident size of its own address space since its
// exec. (getrusage's ru_maxrss is no use here: a child forked from the benchmark keeps the
// peak of the parent's image it started as, so every figure would include the parent.)
inline double OwnPeakResidentMegabytes() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  double kilobytes = -1;
  while (std::fgets(line, sizeof line, status) != nullptr)
    if (std::strncmp(line, "VmHWM:", 6) == 0) kilobytes = std::atof(line + 6);
  std::fclose(status);
  return kilobytes < 0 ? -1 : kilobytes / 1024.0;
}

// The standard output of this program run again with one argument; empty on failure.
inline std::string RunSelf(const std::string& argument) {
  char exe[4096] = {};
  if (readlink("/proc/self/exe", exe, sizeof exe - 1) <= 0) return {};
  std::string command = "'";
  command += exe;
  command += "' ";
  command += argument;
  FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) return {};
  std::string out;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, child) != nullptr) out += chunk;
  return pclose(child) == 0 ? out : std::string();
}
