// Whether a file or a folder exists, through the file attributes.
#pragma once
#include <string>

bool FileExists(const std::string& name);       // an existing file, not a folder
bool DirectoryExists(const std::string& name);  // an existing folder
