// Search Location (dialog 136): asks for part of a tower's location.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

#include "common/qt/HelpKey.h"

class QLineEdit;

namespace chimeset {

inline constexpr std::uint32_t kSearchLocationDialog = 136;

class CSearchLocationDlg : public QDialog {
    Q_OBJECT

  public:
    CSearchLocationDlg(const std::string& searchText, ShowHelp showHelp, QWidget* parent = nullptr);

    // The text typed, in Windows-1252.
    std::string SearchText() const;
    QLineEdit* Edit() const { return edit_; }

  private:
    void OnHelp();

    QLineEdit* edit_;
    ShowHelp showHelp_;
};

}  // namespace chimeset
