#pragma once
// Whether a file holds a whole Windows program image.
#include <string>

namespace wf::win32 {

// True when `path` is a program image (an executable, as the loader reads its
// headers) whose headers and the data of every section lie within the file: a copy
// cut short is not, even where its version resource survived. False when the file
// cannot be read.
bool isWholeProgramImage(const std::string& path);

}  // namespace wf::win32
