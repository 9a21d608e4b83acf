#include "users/qt/QtDocumentsFolder.h"

#include "common/qt/Platform.h"

namespace chimeset {

std::string QtDocumentsFolder::DocumentsFolder() const {
    return ::chimeset::DocumentsFolder();
}

}  // namespace chimeset
