// The rules of the Set Printing dialog, without the dialog: column boxes, widths, the
// spin control, Remaining Space and the multiline exchange with Comments (Min).
#pragma once

#include <cstdint>
#include <optional>

#include "output/PrintSettings.h"

namespace chimeset {

class PrintSettingsEditor {
  public:
    explicit PrintSettingsEditor(const PrintSettings& settings);

    // The opening of the dialog: selects the first printed column, clears the multiline
    // flag when Comments (Min) is printed, and computes Remaining Space from the
    // printable width (thousandths of an inch); without one Remaining Space stays at
    // minus the column widths.
    void Open(std::optional<std::int32_t> printableWidth);
    // Remaining Space again, after Page Setup changed the paper or the margins.
    void ComputeRemainingSpace(std::optional<std::int32_t> printableWidth);

    void CheckColumn(int column);
    void UncheckColumn(int column);
    // A click on a width display: false (a beep) for a column that is not printed.
    bool ClickWidth(int column);
    // A step of the spin control, n steps up (negative: down). False when refused.
    bool SpinStep(int n);
    void SetMultiline(bool on);
    void SetMargins(const PageMargins& margins) { settings_.margins = margins; }
    void SetFont(const std::string& face, std::int32_t size);
    void SetPageHeader(const std::string& header) { settings_.pageHeader = header; }

    // OK is refused while the columns and margins do not fit the paper.
    bool CanAccept() const { return remainingSpace_ >= 0; }

    const PrintSettings& Settings() const { return settings_; }
    std::int32_t Width(int column) const {
        return settings_.columns[static_cast<std::size_t>(column)];
    }
    bool IsChecked(int column) const { return Width(column) != 0; }
    int SelectedColumn() const { return selected_; }
    std::int32_t RemainingSpace() const { return remainingSpace_; }
    bool Multiline() const { return settings_.multiline; }

  private:
    std::int32_t& WidthRef(int column) {
        return settings_.columns[static_cast<std::size_t>(column)];
    }

    PrintSettings settings_;
    std::int32_t remainingSpace_ = 0;
    int selected_ = -1;
};

}  // namespace chimeset
