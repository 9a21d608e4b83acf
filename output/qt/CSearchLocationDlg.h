// Search Location (dialog 136): asks for part of a tower's location.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

class QLineEdit;

namespace chimeset {

inline constexpr std::uint32_t kSearchLocationDialog = 136;

class CSearchLocationDlg : public QDialog {
    Q_OBJECT

  public:
    CSearchLocationDlg(const std::string& searchText, std::function<void(std::uint32_t)> showHelp,
                       QWidget* parent = nullptr);

    // The text typed, in Windows-1252.
    std::string SearchText() const;
    QLineEdit* Edit() const { return edit_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ShowHelp();

    QLineEdit* edit_;
    std::function<void(std::uint32_t)> showHelp_;
};

}  // namespace chimeset
