#include "output/PrintSettingsEditor.h"

namespace chimeset {
namespace {

constexpr std::int32_t kNewColumnWidth = 500;
constexpr std::int32_t kSpinUnit = 100;
constexpr std::int32_t kNarrowestColumn = 100;

bool ValidColumn(int column) {
    return column >= 0 && column < kPrintColumnCount;
}

}  // namespace

PrintSettingsEditor::PrintSettingsEditor(const PrintSettings& settings) : settings_(settings) {}

void PrintSettingsEditor::Open(std::optional<std::int32_t> printableWidth) {
    selected_ = -1;
    remainingSpace_ = 0;
    for (int c = 0; c < kPrintColumnCount; ++c) {
        if (Width(c) == 0) continue;
        if (selected_ < 0) selected_ = c;
        remainingSpace_ -= Width(c);
    }
    ComputeRemainingSpace(printableWidth);
    if (Width(kColumnComment) != 0) settings_.multiline = false;
}

void PrintSettingsEditor::ComputeRemainingSpace(std::optional<std::int32_t> printableWidth) {
    if (!printableWidth) return;
    std::int32_t space = *printableWidth;
    for (int c = 0; c < kPrintColumnCount; ++c) space -= Width(c);
    space -= settings_.margins.left;
    space -= settings_.margins.right;
    remainingSpace_ = space;
}

void PrintSettingsEditor::CheckColumn(int column) {
    if (!ValidColumn(column) || IsChecked(column)) return;
    WidthRef(column) = kNewColumnWidth;
    remainingSpace_ -= kNewColumnWidth;
    selected_ = column;
    if (column == kColumnComment) settings_.multiline = false;
}

void PrintSettingsEditor::UncheckColumn(int column) {
    if (!ValidColumn(column)) return;
    remainingSpace_ += Width(column);
    WidthRef(column) = 0;
    if (selected_ == column) selected_ = -1;
}

bool PrintSettingsEditor::ClickWidth(int column) {
    if (!ValidColumn(column) || Width(column) == 0) return false;
    selected_ = column;
    return true;
}

bool PrintSettingsEditor::SpinStep(int n) {
    if (selected_ < 0 || n == 0) return false;
    const std::int32_t change = kSpinUnit * n;
    const std::int32_t newWidth = Width(selected_) + change;
    if (newWidth < kNarrowestColumn) return false;
    if (change > 50 && remainingSpace_ - change < 0) return false;
    WidthRef(selected_) = newWidth;
    remainingSpace_ -= change;
    return true;
}

void PrintSettingsEditor::SetMultiline(bool on) {
    settings_.multiline = on;
    if (on && IsChecked(kColumnComment)) UncheckColumn(kColumnComment);
}

void PrintSettingsEditor::SetFont(const std::string& face, std::int32_t size) {
    settings_.fontFace = face;
    settings_.fontSize = size;
}

}  // namespace chimeset
