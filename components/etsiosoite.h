// FindWebAddress: the first web address written in a text file (a readme).
#pragma once
#include <string>

// The first address in the file: the first line holding "http://" or
// "https://", else the first holding "www." (all exact case), from that
// marker up to the first blank, with closing punctuation taken off its end. Empty when the file
// does not exist, cannot be read or holds no address.
std::string FindWebAddress(const std::string& fileName);
