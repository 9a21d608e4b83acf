#include "users/qt/QtIdTableLibrary.h"

#include <QFile>

namespace chimeset {

QtIdTableLibrary::~QtIdTableLibrary() {
    Release();
}

bool QtIdTableLibrary::Load(const std::string& path) {
    Release();
    library_.setFileName(QFile::decodeName(path.c_str()));
    return library_.load();
}

bool QtIdTableLibrary::FindEntryPoints() {
    convertId_ = reinterpret_cast<ConvertIDFunction>(library_.resolve("ConvertID"));
    if (!convertId_) return false;
    range_ = reinterpret_cast<GetCBLRangeFunction>(library_.resolve("GetCBLRange"));
    return range_ != nullptr;
}

std::int32_t QtIdTableLibrary::ConvertID(std::int32_t index) {
    return convertId_ ? convertId_(index) : -1;
}

std::int32_t QtIdTableLibrary::GetCBLRange() {
    return range_ ? range_() : 0;
}

void QtIdTableLibrary::Release() {
    convertId_ = nullptr;
    range_ = nullptr;
    if (library_.isLoaded()) library_.unload();
}

}  // namespace chimeset
