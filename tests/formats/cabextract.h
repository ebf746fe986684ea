// Runs cabextract, the independent cabinet reader, on the build machine.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

struct TCabextractRun {
  int Status = -1;
  std::string Output;
};

// cabextract ARGS (already quoted), its exit status and standard output.
inline TCabextractRun Cabextract(const std::string& args) {
  TCabextractRun run;
  FILE* p = popen(("cabextract " + args + " 2>&1").c_str(), "r");
  if (!p) return run;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) run.Output.append(buf, n);
  run.Status = pclose(p);
  return run;
}

// The member names of a `cabextract -l` listing, in the listing's order.
inline std::vector<std::string> CabextractNames(const std::string& listing) {
  std::vector<std::string> names;
  size_t start = listing.find("-+-");
  while (start != std::string::npos) {
    size_t line = listing.find('\n', start);
    if (line == std::string::npos) break;
    size_t end = listing.find('\n', line + 1);
    std::string row = listing.substr(line + 1, end == std::string::npos ? std::string::npos : end - line - 1);
    size_t bar = row.rfind("| ");
    if (bar == std::string::npos) break;
    names.push_back(row.substr(bar + 2));
    start = line + 1;
  }
  return names;
}
