// Set Printing (dialog 135): which columns are printed and how wide, the margins through
// Page Setup, the page header, the print font and multiline comments.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

#include "common/qt/HelpKey.h"
#include "output/PrintSettingsEditor.h"

class QAbstractSpinBox;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPrinter;

namespace chimeset {

class Prompter;
class SettingsStore;

inline constexpr std::uint32_t kSetPrintingDialog = 135;

class CSetPrintingDlg : public QDialog {
    Q_OBJECT

  public:
    // printer: the application's printer, for Remaining Space and Page Setup (may be null:
    // then nothing is computed). Page Setup stores its margins in the store at once.
    CSetPrintingDlg(const PrintSettings& settings, QPrinter* printer, SettingsStore& store,
                    Prompter& prompter, ShowHelp showHelp, QWidget* parent = nullptr);

    // The settings as the dialog left them; the margins count after Cancel too.
    const PrintSettings& Result() const { return editor_.Settings(); }
    const PrintSettingsEditor& Editor() const { return editor_; }

    // What the standard dialogs hand back, also reachable without them.
    void AcceptPageSetup(const PageMargins& chosen);
    void AcceptFont(const QString& face, std::int32_t sizeTenths);
    // One step of the width spin control (n up, negative down).
    void StepWidth(int n);
    void ClickWidthDisplay(int column);

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildLayout();
    void Refresh();
    void OnColumnToggled(int column, bool checked);
    void OnPageSetup();
    void OnSetFont();
    void OnHelp();

    PrintSettingsEditor editor_;
    QPrinter* printer_;
    SettingsStore& store_;
    Prompter& prompter_;
    ShowHelp showHelp_;

    std::array<QCheckBox*, kPrintColumnCount> columnBoxes_{};
    std::array<QLabel*, kPrintColumnCount> widthDisplays_{};
    QLabel* leftMarginDisplay_ = nullptr;
    QLabel* rightMarginDisplay_ = nullptr;
    QLabel* remainingDisplay_ = nullptr;
    QAbstractSpinBox* spin_ = nullptr;
    QGridLayout* columnGrid_ = nullptr;
    QLineEdit* headerEdit_ = nullptr;
    QLabel* faceDisplay_ = nullptr;
    QLabel* sizeDisplay_ = nullptr;
    QCheckBox* multilineBox_ = nullptr;
    bool remainingKnown_ = false;
    int spinRow_ = -1;
};

}  // namespace chimeset
