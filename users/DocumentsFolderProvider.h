// Where the user's personal documents live; the data folder is proposed there.
#pragma once

#include <string>

namespace chimeset {

class DocumentsFolderProvider {
  public:
    virtual ~DocumentsFolderProvider() = default;
    // Empty when the platform cannot say.
    virtual std::string DocumentsFolder() const = 0;
};

}  // namespace chimeset
