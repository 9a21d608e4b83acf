// Settings and messages hold Windows-1252 text; the C library wants paths in the file
// system's encoding. The two differ here (UTF-8) and agree on Windows (the ANSI code page).
#pragma once

#include <string>
#include <utility>

namespace chimeset {

std::string NativePathFromText(const std::string& text);
std::string TextFromNativePath(const std::string& path);

// A path in the file system's encoding. Built only on purpose, from native bytes or from
// text, so that text cannot pass for a path (or a path for text) unnoticed.
class NativePath {
  public:
    NativePath() = default;
    explicit NativePath(std::string native) : native_(std::move(native)) {}
    static NativePath FromText(const std::string& text) {
        return NativePath(NativePathFromText(text));
    }

    const std::string& Native() const { return native_; }
    std::string Text() const { return TextFromNativePath(native_); }
    bool empty() const { return native_.empty(); }

    friend bool operator==(const NativePath& a, const NativePath& b) {
        return a.native_ == b.native_;
    }
    friend bool operator!=(const NativePath& a, const NativePath& b) { return !(a == b); }

  private:
    std::string native_;
};

// Paths compared as Windows compares them: without regard to (ASCII) letter case.
bool SamePathIgnoringCase(const std::string& a, const std::string& b);

// True when both name the same existing file or folder, however they are spelt.
bool SameFileOnDisk(const std::string& a, const std::string& b);

}  // namespace chimeset
