#include "fuzz/FuzzSupport.h"

#include <cstdio>

#include "tests/support/TempDir.h"

namespace chimeset::fuzz {

const std::string& ScratchFolder() {
    static chimeset::testing::TempDir dir;
    return dir.Path();
}

void WriteFile(const std::string& path, const unsigned char* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    if (size > 0) std::fwrite(data, 1, size, file);  // an empty input may come as null
    std::fclose(file);
}

}  // namespace chimeset::fuzz
