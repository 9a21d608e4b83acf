// "Clangbook Log Converter": the converter's one dialog.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

#include "common/qt/HelpKey.h"
#include "converter/LogConverter.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace chimeset {

class CChimemoveDlg : public QDialog, private ConverterView {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 102;

    // userName: the logged-on user's name (Windows-1252), shown only. showHelp opens the
    // converter's help at a context number.
    CChimemoveDlg(SettingsStore& settings, Prompter& prompter, std::string programFolder,
                  std::function<std::string()> documentsFolder, const std::string& userName,
                  ShowHelp showHelp, QWidget* parent = nullptr);

    LogConverter& Converter() { return converter_; }

    void OnGatherData();
    void OnUpgradeHere();
    void OnUpgradeExport();
    void OnHelp();

  private:
    void ClearList() override;
    void AddListLine(const std::string& line) override;
    void SetMessageArea(const std::string& text) override;
    void EnableGather(bool enabled) override;
    void EnableConversion(bool enabled) override;

    LogConverter converter_;
    ShowHelp showHelp_;

    QLabel* userLine_;
    QLabel* messageArea_;
    QPushButton* gatherButton_;
    QPushButton* upgradeHereButton_;
    QPushButton* upgradeExportButton_;
    QListWidget* progressList_;
    QPushButton* doneButton_;
    QPushButton* helpButton_;
};

}  // namespace chimeset
