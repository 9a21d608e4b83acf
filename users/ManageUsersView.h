// What the Manage Users rules change on the screen; the dialog implements it.
#pragma once

#include <cstddef>
#include <string>

namespace chimeset {

class ManageUsersView {
  public:
    virtual ~ManageUsersView() = default;

    // A row reads ID, tab, long name.
    virtual void AppendRow(const std::string& text) = 0;
    virtual void DeleteRow(std::size_t row) = 0;
    // Remove and Export, together.
    virtual void SetEntryButtonsEnabled(bool enabled) = 0;
    // Must not report the change back as a selection change.
    virtual void ClearSelection() = 0;
    // The ID and long-name fields.
    virtual void ClearEntryFields() = 0;
};

}  // namespace chimeset
