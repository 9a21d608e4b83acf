#include "common/qt/QtPrompter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "common/qt/Codec.h"
#include "common/qt/HelpKey.h"
#include "common/qt/Platform.h"

namespace chimeset {
namespace {

QMessageBox::Icon IconOf(NoticeIcon icon) {
    switch (icon) {
        case NoticeIcon::Stop:
            return QMessageBox::Critical;
        case NoticeIcon::Exclamation:
            return QMessageBox::Warning;
        case NoticeIcon::Question:
            return QMessageBox::Question;
        case NoticeIcon::Information:
            return QMessageBox::Information;
        case NoticeIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString BoxText(const Notice& notice) {
    QString shown =
        notice.textIsUtf8 ? QString::fromStdString(notice.text) : FromWindows1252(notice.text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

}  // namespace

QtPrompter::QtPrompter(QString caption, QWidget* parent, ShowHelp showHelp)
    : caption_(std::move(caption)), parent_(parent), showHelp_(std::move(showHelp)) {}

std::unique_ptr<QMessageBox> QtPrompter::MakeBox(const Notice& notice) const {
    auto box = std::make_unique<QMessageBox>(parent_);
    box->setWindowTitle(caption_);
    box->setIcon(IconOf(notice.icon));
    box->setTextFormat(Qt::PlainText);
    box->setText(BoxText(notice));
    switch (notice.buttons) {
        case NoticeButtons::Ok:
            box->setStandardButtons(QMessageBox::Ok);
            box->setEscapeButton(QMessageBox::Ok);
            break;
        case NoticeButtons::OkCancel:
            box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box->setEscapeButton(QMessageBox::Cancel);
            break;
        case NoticeButtons::YesNo:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case NoticeButtons::YesNoCancel:
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box->setEscapeButton(QMessageBox::Cancel);
            break;
    }
    box->setDefaultButton(notice.buttons == NoticeButtons::Ok ||
                                  notice.buttons == NoticeButtons::OkCancel
                              ? QMessageBox::Ok
                              : QMessageBox::Yes);
    if (!notice.buttonCaptions.empty()) {
        // The buttons in the order in which the captions name them.
        std::vector<QAbstractButton*> ordered;
        for (const auto standard :
             {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok, QMessageBox::Cancel}) {
            if (QAbstractButton* button = box->button(standard)) ordered.push_back(button);
        }
        for (std::size_t i = 0; i < ordered.size() && i < notice.buttonCaptions.size(); ++i)
            ordered[i]->setText(FromWindows1252(notice.buttonCaptions[i]));
        if (!ordered.empty()) box->setDefaultButton(qobject_cast<QPushButton*>(ordered.back()));
    }

    if (notice.helpContext != 0 && showHelp_) {
        const std::uint32_t context = notice.helpContext;
        const ShowHelp help = showHelp_;
        QPushButton* helpButton = box->addButton(QMessageBox::Help);
        helpButton->setObjectName(QStringLiteral("helpButton"));
        // Every button of a QMessageBox closes it; Help must not, so it leaves the box's
        // own handling and only asks for the topic.
        QObject::disconnect(helpButton, &QAbstractButton::clicked, nullptr, nullptr);
        QObject::connect(helpButton, &QAbstractButton::clicked, box.get(),
                         [help, context] { help(context); });
        InstallHelpKey(box.get(), [help, context] { help(context); });
    }
    return box;
}

Answer QtPrompter::AnswerOf(const QMessageBox& box, NoticeButtons buttons) {
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            break;
    }
    return buttons == NoticeButtons::Ok ? Answer::Ok : Answer::Cancel;
}

Answer QtPrompter::Show(const Notice& notice) {
    const auto box = MakeBox(notice);
    box->exec();
    return AnswerOf(*box, notice.buttons);
}

void QtPrompter::ShowFileError(const FileError& error) {
    QMessageBox box(QMessageBox::Warning, caption_,
                    FromNativePath(error.path.Native()) + QLatin1Char('\n') +
                        QString::fromLocal8Bit(error.cause.c_str()),
                    QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

Answer QtPrompter::AskSaveChanges(const std::string& documentTitle) {
    Notice notice;
    notice.text = "Save changes to " + documentTitle + "?";
    notice.icon = NoticeIcon::Exclamation;
    notice.buttons = NoticeButtons::YesNoCancel;
    return Show(notice);
}

QStringList QtPrompter::NameFilters(const std::string& filter) {
    // Pairs of description and patterns, ended by an empty description.
    const QStringList parts = FromWindows1252(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the parentheses of the description.
        filters << (parts[i].contains(QLatin1Char('('))
                        ? parts[i]
                        : parts[i] + QLatin1String(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

std::optional<std::string> QtPrompter::AskFileName(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_);
    dialog.setWindowTitle(!request.title.empty() ? FromWindows1252(request.title)
                          : save                 ? QObject::tr("Save As")
                                                 : QObject::tr("Open"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.mustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    if (save && !request.promptOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(FromWindows1252(request.defaultExtension));
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);

    // A name without a folder that is there would leave the dialog in the working folder,
    // which is often the program's own: the user's documents are the better start.
    if (const std::string documents = DocumentsFolder(); !documents.empty())
        dialog.setDirectory(FromNativePath(documents));
    const QString initial = FromNativePath(request.initialPath.Native());
    if (!initial.isEmpty()) {
        const QFileInfo info(initial);
        if (info.isDir() && info.isAbsolute()) {
            dialog.setDirectory(initial);
        } else {
            const QString folder = info.path();
            if (info.isAbsolute() && QFileInfo(folder).isDir()) dialog.setDirectory(folder);
            dialog.selectFile(info.fileName());
        }
    }
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString chosen = dialog.selectedFiles().constFirst();
        // The save dialog takes a typed name in a folder that is not there; the caller would
        // only find out when it came to write.
        const QString folder = QFileInfo(chosen).absolutePath();
        if (!save || !request.mustExist || QFileInfo(folder).isDir()) return ToNativePath(chosen);
        QMessageBox box(QMessageBox::Warning, caption_,
                        QDir::toNativeSeparators(folder) + QLatin1Char('\n') +
                            QObject::tr("The folder does not exist. Check the path and try again."),
                        QMessageBox::Ok, parent_);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

std::optional<std::string> QtPrompter::AskOpenFileName(const FileDialogRequest& request) {
    return AskFileName(request, false);
}

std::optional<std::string> QtPrompter::AskSaveFileName(const FileDialogRequest& request) {
    return AskFileName(request, true);
}

}  // namespace chimeset
