// Build tool: turns CrossRef.txt into the C++ source of the CB2TB table, so that the
// library and the converter read one and the same list.
//
// Usage: cb2tb_tablegen CrossRef.txt TowerBaseTable.cpp
//
// The lines are read the way the converter reads them (field 0 the index, field 1 the
// TowerBase number, both by their leading digits). Anything the converter would read
// differently from the library stops the build: an index outside the table, a number
// that does not fit 16 bits, an index named twice.
#include <cstdio>
#include <string>
#include <vector>

#include "common/Text.h"
#include "common/TextFile.h"
#include "idtable/TowerBaseTable.h"

namespace {

int Fail(const std::string& file, std::size_t line, const std::string& what) {
    std::fprintf(stderr, "%s:%zu: %s\n", file.c_str(), line, what.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace chimeset;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CrossRef.txt output.cpp\n", argv[0]);
        return 2;
    }
    const std::string input = argv[1];
    std::vector<std::string> lines;
    FileError error;
    if (!ReadTextLines(input, lines, error)) return Fail(input, 0, error.cause);
    if (lines.empty() || lines[0].compare(0, 7, "VLog\\TB") != 0)
        return Fail(input, 1, "the first line must begin with VLog\\TB");

    std::vector<std::uint32_t> entries(kVersion1IndexCount, 0);
    std::vector<bool> named(kVersion1IndexCount, false);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::int64_t index = ReadLeadingNumber(GetRawField(lines[i], 0));
        const std::int64_t number = ReadLeadingNumber(GetRawField(lines[i], 1));
        if (index >= kVersion1IndexCount)
            return Fail(input, i + 1, "index " + std::to_string(index) + " is outside the table");
        if (number > 0xFFFF) return Fail(input, i + 1, "TowerBase number does not fit 16 bits");
        if (named[index]) return Fail(input, i + 1, "index named twice");
        named[index] = true;
        entries[index] = static_cast<std::uint32_t>(number);
    }

    std::string out =
        "// Generated from CrossRef.txt by cb2tb_tablegen. Do not edit.\n"
        "#include \"idtable/TowerBaseTable.h\"\n\n"
        "const TowerBaseTable kTowerBaseTable = {\n    {";
    for (int i = 0; i < kVersion1IndexCount; ++i) {
        if (i % 12 == 0) out += "\n        ";
        out += std::to_string(entries[i]) + "u,";
        if (i % 12 != 11) out += ' ';
    }
    out += "\n    },\n    " + std::to_string(kVersion1IndexCount) + ",\n};\n";

    std::FILE* file = std::fopen(argv[2], "wb");
    if (!file) return Fail(argv[2], 0, "cannot be written");
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (std::fclose(file) != 0 || !written) return Fail(argv[2], 0, "cannot be written");
    return 0;
}
