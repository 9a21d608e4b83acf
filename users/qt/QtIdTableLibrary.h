// The CB2TB library through QLibrary: loaded from an exact path, entry points by name.
#pragma once

#include <QLibrary>

#include "idtable/CB2TB.h"
#include "users/IdTableLibrary.h"

namespace chimeset {

class QtIdTableLibrary : public IdTableLibrary {
  public:
    QtIdTableLibrary() = default;
    ~QtIdTableLibrary() override;
    QtIdTableLibrary(const QtIdTableLibrary&) = delete;
    QtIdTableLibrary& operator=(const QtIdTableLibrary&) = delete;

    bool Load(const std::string& path) override;
    bool FindEntryPoints() override;
    std::int32_t ConvertID(std::int32_t index) override;
    std::int32_t GetCBLRange() override;
    void Release() override;

  private:
    QLibrary library_;
    ConvertIDFunction convertId_ = nullptr;
    GetCBLRangeFunction range_ = nullptr;
};

}  // namespace chimeset
