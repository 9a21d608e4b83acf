// The CB2TB library, loaded only while a Version 1 log is imported.
#pragma once

#include <cstdint>
#include <string>

namespace chimeset {

class IdTableLibrary {
  public:
    virtual ~IdTableLibrary() = default;

    // Loads the library file at the path; false when it cannot be loaded.
    virtual bool Load(const std::string& path) = 0;
    // Looks up "ConvertID", then "GetCBLRange"; false when either is missing.
    virtual bool FindEntryPoints() = 0;
    virtual std::int32_t ConvertID(std::int32_t index) = 0;
    virtual std::int32_t GetCBLRange() = 0;
    // Forgets the entry points and unloads the library; harmless when nothing is loaded.
    virtual void Release() = 0;
};

// The library's file name on this platform.
inline const char* IdTableLibraryFileName() {
#if defined(_WIN32)
    return "CB2TB.dll";
#elif defined(__APPLE__)
    return "libCB2TB.dylib";
#else
    return "libCB2TB.so";
#endif
}

}  // namespace chimeset
