// The personal documents folder as the platform reports it.
#pragma once

#include "users/DocumentsFolderProvider.h"

namespace chimeset {

class QtDocumentsFolder : public DocumentsFolderProvider {
  public:
    std::string DocumentsFolder() const override;
};

}  // namespace chimeset
