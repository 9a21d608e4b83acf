#include "output/qt/CSearchLocationDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "output/qt/DialogButtonColumn.h"

namespace chimeset {
namespace {

const char* const kExplanation =
    "Dove records the locations of some churches by their parish, adding the hamlet name "
    "afterwards. Use this search facility to find the hamlet name.";

}  // namespace

CSearchLocationDlg::CSearchLocationDlg(const std::string& searchText, ShowHelp showHelp,
                                       QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this)), showHelp_(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Search Location"));
    auto* explanation = new QLabel(QString::fromLatin1(kExplanation), this);
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(explanation->fontMetrics().averageCharWidth() * 44);
    edit_->setObjectName(QStringLiteral("searchEdit"));
    edit_->setText(FromWindows1252(searchText));
    edit_->selectAll();
    explanation->setBuddy(edit_);

    const DialogButtonColumn buttons = MakeDialogButtonColumn(this, QStringLiteral("&Help"));
    connect(buttons.help, &QPushButton::clicked, this, &CSearchLocationDlg::OnHelp);
    InstallHelpKey(this, [this] { OnHelp(); });

    auto* left = new QVBoxLayout;
    left->addWidget(explanation);
    left->addWidget(edit_);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons.layout);
    edit_->setFocus();
}

std::string CSearchLocationDlg::SearchText() const {
    return ToWindows1252(edit_->text());
}

void CSearchLocationDlg::OnHelp() {
    if (showHelp_) showHelp_(kDialogHelpBase + kSearchLocationDialog);
}

}  // namespace chimeset
