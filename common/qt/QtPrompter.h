// Message boxes and file dialogs on Qt widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

#include "common/Prompter.h"
#include "common/qt/HelpKey.h"

class QMessageBox;
class QWidget;

namespace chimeset {

class QtPrompter : public Prompter {
  public:
    // caption: the title of every box (the program's name). showHelp answers the Help
    // button and F1 of a box shown with help; without it such boxes have no Help button.
    explicit QtPrompter(QString caption, QWidget* parent = nullptr, ShowHelp showHelp = {});

    void SetParent(QWidget* parent) { parent_ = parent; }
    void SetHelp(ShowHelp showHelp) { showHelp_ = std::move(showHelp); }

    Answer Show(const Notice& notice) override;
    void ShowFileError(const FileError& error) override;
    Answer AskSaveChanges(const std::string& documentTitle) override;
    // File names come and go as native paths, ready for the C library.
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;

    // The box for a notice, not yet shown. Its Help button (when there is one) and F1 ask
    // for the notice's help context and leave the box open.
    std::unique_ptr<QMessageBox> MakeBox(const Notice& notice) const;
    // What a box's clicked button means (no button: the box was escaped).
    static Answer AnswerOf(const QMessageBox& box, NoticeButtons buttons);
    // "Tower Logs (*.CBL)|*.cbl||" as a Qt name filter list.
    static QStringList NameFilters(const std::string& filter);

  private:
    std::optional<std::string> AskFileName(const FileDialogRequest& request, bool save);

    QString caption_;
    QWidget* parent_;
    ShowHelp showHelp_;
};

}  // namespace chimeset
