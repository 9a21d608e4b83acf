// Loads the built CB2TB library by file name, as the main program does, and checks its table.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "common/Text.h"
#include "common/TextFile.h"
#include "idtable/CB2TB.h"
#include "tests/support/TempDir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace chimeset {
namespace {

#ifdef _WIN32
const char* const kLibraryName = "CB2TB.dll";
#else
const char* const kLibraryName = "libCB2TB.so";
#endif

class CB2TBLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = JoinPath(testing::ProgramDir(), kLibraryName);
#ifdef _WIN32
        handle_ = LoadLibraryA(path_.c_str());
        ASSERT_NE(handle_, nullptr) << path_;
        // Through the generic function type: FARPROC's own says nothing of the arguments.
        using Generic = void (*)();
        convert_ = reinterpret_cast<ConvertIDFunction>(
            reinterpret_cast<Generic>(GetProcAddress(handle_, "ConvertID")));
        range_ = reinterpret_cast<GetCBLRangeFunction>(
            reinterpret_cast<Generic>(GetProcAddress(handle_, "GetCBLRange")));
#else
        handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        convert_ = reinterpret_cast<ConvertIDFunction>(dlsym(handle_, "ConvertID"));
        range_ = reinterpret_cast<GetCBLRangeFunction>(dlsym(handle_, "GetCBLRange"));
#endif
        ASSERT_NE(convert_, nullptr);
        ASSERT_NE(range_, nullptr);
    }
    void TearDown() override {
#ifdef _WIN32
        if (handle_) FreeLibrary(handle_);
#else
        if (handle_) dlclose(handle_);
#endif
    }

    std::string path_;
#ifdef _WIN32
    HMODULE handle_ = nullptr;
#else
    void* handle_ = nullptr;
#endif
    ConvertIDFunction convert_ = nullptr;
    GetCBLRangeFunction range_ = nullptr;
};

TEST_F(CB2TBLibrary, AnswersTheKnownRowsAndRefusesIndicesOutsideTheTable) {
    EXPECT_EQ(range_(), 6106);
    EXPECT_EQ(convert_(0), 0);
    EXPECT_EQ(convert_(46), 0);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(convert_(i), i);
    EXPECT_EQ(convert_(13), 6132);
    EXPECT_EQ(convert_(14), 13);
    EXPECT_EQ(convert_(15), 14);
    EXPECT_EQ(convert_(16), 15);
    EXPECT_EQ(convert_(17), 5850);
    EXPECT_EQ(convert_(18), 16);
    EXPECT_EQ(convert_(6104), 7526);
    EXPECT_EQ(convert_(6105), 6005);
    for (int outside : {6106, 6107, 100000, -1, INT_MIN, INT_MAX}) EXPECT_EQ(convert_(outside), -1);
    // Pure: the same answer however often and in whatever order it is asked.
    EXPECT_EQ(convert_(13), 6132);
    EXPECT_EQ(range_(), 6106);
}

TEST_F(CB2TBLibrary, TableHoldsDistinctNumbersWithTheRightGaps) {
    const std::set<int> zeroIndices = {0,    46,   77,   1051, 1375, 1529, 1579, 1619, 1800,
                                       2123, 2377, 2655, 2782, 2896, 4932, 5651, 5673, 5790};
    std::set<int> zeros;
    std::set<int> numbers;
    int nearIndex = 0;
    int descents = 0;
    for (int i = 0; i < 6106; ++i) {
        const int number = convert_(i);
        ASSERT_GE(number, 0);
        ASSERT_LE(number, 7526);
        if (number == 0) {
            zeros.insert(i);
            continue;
        }
        EXPECT_TRUE(numbers.insert(number).second) << "TowerBase number " << number << " twice";
        if (i < 6000 && number - i >= -150 && number - i <= 150) ++nearIndex;
        if (i >= 6080 && convert_(i - 1) > number) ++descents;
    }
    EXPECT_EQ(zeros, zeroIndices);
    EXPECT_EQ(numbers.size(), 6088u);
    // Mostly close to the index, single entries out of order, scattered at the end.
    EXPECT_GT(nearIndex, 5800);
    EXPECT_LT(nearIndex, 5982);
    EXPECT_GE(descents, 5);
}

TEST_F(CB2TBLibrary, AgreesWithTheTranslationFileBesideTheConverter) {
    std::vector<std::string> lines;
    FileError error;
    ASSERT_TRUE(ReadTextLines(JoinPath(testing::ProgramDir(), "CrossRef.txt"), lines, error))
        << error.Describe();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].substr(0, 7), "VLog\\TB");
    ASSERT_EQ(lines.size(), 6107u);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto index = ReadLeadingNumber(GetRawField(lines[i], 0));
        const auto number = ReadLeadingNumber(GetRawField(lines[i], 1));
        ASSERT_EQ(index, static_cast<std::int64_t>(i - 1));
        ASSERT_EQ(convert_(static_cast<int>(index)), number) << "index " << index;
    }
    // Written on disk with CR LF, as every data file of the programs.
    const std::string bytes = testing::ReadBytes(JoinPath(testing::ProgramDir(), "CrossRef.txt"));
    EXPECT_EQ(bytes.substr(0, 9), "VLog\\TB\r\n");
}

#ifdef _WIN32
// The names a loaded module exports, read from its own export directory.
std::set<std::string> ExportedNames(HMODULE module) {
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::set<std::string> names;
    if (entry.VirtualAddress == 0) return names;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* nameOffsets = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.insert(reinterpret_cast<const char*>(base + nameOffsets[i]));
    // Exports by number alone would be functions a caller could reach without a name.
    EXPECT_EQ(exports->NumberOfFunctions, exports->NumberOfNames);
    return names;
}

// The DLLs a loaded module imports from, upper-cased.
std::set<std::string> ImportedLibraries(HMODULE module) {
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::set<std::string> names;
    if (entry.VirtualAddress == 0) return names;
    for (const auto* import =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + entry.VirtualAddress);
         import->Name != 0; ++import) {
        names.insert(ToUpperAscii(reinterpret_cast<const char*>(base + import->Name)));
    }
    return names;
}

TEST_F(CB2TBLibrary, ExportsItsTwoFunctionsUndecoratedAndNeedsOnlySystemLibraries) {
    // Undecorated: a stdcall export would be "ConvertID@4" in a 32-bit library.
    EXPECT_EQ(ExportedNames(handle_), (std::set<std::string>{"ConvertID", "GetCBLRange"}));
    // No C++ or GCC run-time library to ship beside it.
    for (const std::string& library : ImportedLibraries(handle_)) {
        EXPECT_TRUE(library == "KERNEL32.DLL" || library == "MSVCRT.DLL" ||
                    library.rfind("API-MS-WIN-", 0) == 0)
            << library;
    }
}

TEST(CB2TBByFileName, LoadsByItsFileNameFromTheProgramFolder) {
    // As the main program does: the bare file name, found in the folder of the programs.
    ASSERT_TRUE(SetDllDirectoryA(testing::ProgramDir().c_str()));
    const HMODULE module = LoadLibraryA("CB2TB.dll");
    SetDllDirectoryA(nullptr);
    ASSERT_NE(module, nullptr);
    using Generic = void (*)();
    const auto convert = reinterpret_cast<ConvertIDFunction>(
        reinterpret_cast<Generic>(GetProcAddress(module, "ConvertID")));
    const auto range = reinterpret_cast<GetCBLRangeFunction>(
        reinterpret_cast<Generic>(GetProcAddress(module, "GetCBLRange")));
    ASSERT_NE(convert, nullptr);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range(), 6106);
    EXPECT_EQ(convert(13), 6132);
    EXPECT_EQ(GetProcAddress(module, "_ConvertID"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
}
#endif

#ifdef __linux__
TEST_F(CB2TBLibrary, ExportsNothingButItsTwoFunctions) {
    const std::string command = "nm -D --defined-only '" + path_ + "' 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> exported;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        const auto fields = SplitFields(Trim(line), ' ');
        if (fields.size() == 3) exported.insert(fields[2]);
    }
    if (pclose(pipe) != 0 && exported.empty()) GTEST_SKIP() << "nm is not available";
    EXPECT_EQ(exported, (std::set<std::string>{"ConvertID", "GetCBLRange"}));
}
#endif

}  // namespace
}  // namespace chimeset
