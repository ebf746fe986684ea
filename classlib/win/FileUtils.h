// Whether a file or a folder exists, through the file attributes.
#pragma once
#include <string>
#include <vector>

bool FileExists(const std::string& name);       // an existing file, not a folder
bool DirectoryExists(const std::string& name);  // an existing folder
// The names in folder that match pattern ("*" for all), without "." and
// "..": its sub-folders, or its files; in the order the system gives them.
std::vector<std::string> FolderEntries(const std::string& folder, const std::string& pattern, bool folders);
