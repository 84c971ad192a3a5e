// Shared inside the substitute host only.
#pragma once

#include "pelk_test.h"

#include <string>
#include <vector>

namespace pelk {

void record(const char* name, std::vector<long> numbers = {}, std::string text = {});
//! Decodes n characters of the host's packed text (two per word, then two blanks).
std::string unpackText(const int32_t* words, int n);

}  // namespace pelk
