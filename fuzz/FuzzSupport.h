// A scratch program folder for one fuzzing process.
#pragma once

#include <string>

namespace chimeset::fuzz {

const std::string& ScratchFolder();
void WriteFile(const std::string& path, const unsigned char* data, std::size_t size);

}  // namespace chimeset::fuzz
