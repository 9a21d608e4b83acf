// chimedove: a Dove's Guide CSV download to a DoveData.CB0 tower database.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "dove/DoveImport.h"

#ifdef _WIN32
// shellapi.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <vector>

#include "common/NativeFile.h"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: chimedove [--lightweight] INPUT.csv OUTPUT.CB0\n"
    "Converts a Dove's Guide CSV download into a tower database for Chimeset.\n"
    "\n"
    "  --lightweight  write lightweight rings too (only full-circle rings otherwise)\n"
    "  --help         show this text\n"
    "\n"
    "Chimeset reads the user's own DoveData.CB0 when there is one, else the one beside the\n"
    "programs of a build. \"chimeset --update-towers INPUT.csv\" converts a download into\n"
    "the user's own; or name the output DoveData.CB0 beside the programs of a build.\n";

int UsageError(const char* problem) {
    std::fprintf(stderr, "chimedove: %s\n%s", problem, kUsage);
    return 2;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
#ifdef _WIN32
    return std::filesystem::equivalent(chimeset::FsPath(a), chimeset::FsPath(b), error) && !error;
#else
    return std::filesystem::equivalent(a, b, error) && !error;
#endif
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The C library hands the arguments in the ANSI code page, which need not be the
    // Windows-1252 of the core's paths: take them from the wide command line instead.
    std::vector<std::string> wideArguments;
    std::vector<char*> wideArgv;
    int wideCount = 0;
    if (LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &wideCount)) {
        for (int i = 0; i < wideCount; ++i) wideArguments.push_back(chimeset::NarrowPath(wide[i]));
        ::LocalFree(wide);
        for (std::string& argument : wideArguments) wideArgv.push_back(argument.data());
        argc = wideCount;
        argv = wideArgv.data();
    }
#endif
    chimeset::DoveImportOptions options;
    std::string paths[2];
    int pathCount = 0;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded && std::strcmp(arg, "--lightweight") == 0) {
            options.lightweight = true;
        } else if (!optionsEnded &&
                   (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            return UsageError((std::string("unknown option ") + arg).c_str());
        } else if (pathCount < 2) {
            paths[pathCount++] = arg;
        } else {
            return UsageError("too many file names");
        }
    }
    if (pathCount < 2) return UsageError("an input and an output file are needed");
    if (SameFile(paths[0], paths[1])) {
        std::fprintf(stderr, "chimedove: %s is the input file; choose another output file.\n",
                     paths[1].c_str());
        return 1;
    }

    chimeset::DoveImportSummary summary;
    chimeset::DoveImportError error;
    if (!chimeset::ImportDoveFile(paths[0], paths[1], options, summary, error)) {
        std::fprintf(stderr, "chimedove: %s\n", error.Describe().c_str());
        std::fprintf(stderr, "chimedove: nothing was written.\n");
        return 1;
    }
    for (const std::string& line : chimeset::DescribeSummary(summary, paths[1])) {
        std::fprintf(stderr, "chimedove: %s\n", line.c_str());
    }
    return 0;
}
