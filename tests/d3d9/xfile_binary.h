// Turns a text .x file into the binary encoding of the same data, so the
// binary reader is tested on exactly the content the text tests check.
#ifndef KELVANE_TESTS_D3D9_XFILE_BINARY_H
#define KELVANE_TESTS_D3D9_XFILE_BINARY_H

#include <string>

// Text must use a decimal point in every float and none in integers; comments
// are dropped. Returns an empty string for text it cannot encode.
// With doubles, floats are written as 64-bit values under a "0064" header.
std::string binaryXFromText(const std::string& text, bool doubles = false);

std::string readTextFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

#endif
