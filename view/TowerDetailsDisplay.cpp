#include "view/TowerDetailsDisplay.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>

#include "common/qt/Codec.h"

namespace chimeset {
namespace {

const QString kUnringableColour = QStringLiteral("#c00000");
// What the open details show of a long remark or practice night: more than the line.
constexpr std::size_t kLongestInPopup = 600;

QString Escaped(const std::string& text) {
    return FromWindows1252(text).toHtmlEscaped();
}

}  // namespace

QString DetailsRichText(const std::vector<DetailPart>& parts, const QString& separator,
                        bool links) {
    QStringList pieces;
    for (const DetailPart& part : parts) {
        switch (part.kind) {
            case DetailPart::kUnringable:
                pieces << QStringLiteral("<b style='color:%1'>%2</b>")
                              .arg(kUnringableColour, Escaped(part.text));
                break;
            case DetailPart::kWebPage:
                if (links && !part.address.empty()) {
                    pieces << QStringLiteral("<a href='%1'>%2</a>")
                                  .arg(FromWindows1252(part.address).toHtmlEscaped(),
                                       Escaped(part.text));
                } else {
                    pieces << Escaped(part.text);
                }
                break;
            case DetailPart::kText:
                pieces << Escaped(part.text);
                break;
        }
    }
    return pieces.join(separator);
}

TowerDetailsDisplay::TowerDetailsDisplay(QWidget* form, QGroupBox* group, QGridLayout* grid,
                                         int row)
    : QObject(form), form_(form), group_(group), grid_(grid) {
    mark_ = new QLabel(group);
    mark_->setObjectName(QStringLiteral("towerDetailsMark"));
    mark_->setTextFormat(Qt::RichText);
    mark_->setAutoFillBackground(true);  // over the group's frame line, as its title is
    mark_->setContextMenuPolicy(Qt::NoContextMenu);
    mark_->hide();
    connect(mark_, &QLabel::linkActivated, this, [this] { OpenPopup(); });

    line_ = new QLabel(group);
    line_->setObjectName(QStringLiteral("towerDetailsLine"));
    line_->setTextFormat(Qt::RichText);
    line_->setWordWrap(true);
    line_->setOpenExternalLinks(true);
    line_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    line_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    line_->hide();
    grid->addWidget(line_, row, 0, 1, grid->columnCount());

    group->installEventFilter(this);
    form->installEventFilter(this);
}

void TowerDetailsDisplay::Show(const TowerDetails& details) {
    details_ = details;
    const std::vector<DetailPart> parts = DescribeDetails(details);
    markWanted_ = !parts.empty();
    if (parts.empty()) {
        mark_->setToolTip(QString());
        line_->clear();
    } else {
        const bool unringable = details.IsUnringable();
        mark_->setText(
            QStringLiteral("<a href='#details' style='text-decoration:none;%1'>%2</a>")
                .arg(unringable ? QStringLiteral("color:%1;font-weight:bold").arg(kUnringableColour)
                                : QString(),
                     unringable ? QStringLiteral("Unringable") : QStringLiteral("Details\u2026")));
        mark_->setToolTip(DetailsRichText(parts, QStringLiteral("<br>"), false));
        line_->setText(DetailsRichText(parts, QStringLiteral(" \u00B7 "), true));
    }
    if (popup_) popup_->close();
    PlaceMark();
    UpdateLine();
}

void TowerDetailsDisplay::OpenPopup() {
    const std::vector<DetailPart> parts = DescribeDetails(details_, kLongestInPopup);
    if (parts.empty()) return;
    if (!popup_) {
        popup_ = new QFrame(mark_, Qt::Popup);
        popup_->setObjectName(QStringLiteral("towerDetailsPopup"));
        popup_->setFrameShape(QFrame::Box);
        auto* label = new QLabel(popup_);
        label->setObjectName(QStringLiteral("towerDetailsPopupText"));
        label->setTextFormat(Qt::RichText);
        label->setWordWrap(true);
        label->setOpenExternalLinks(true);
        label->setTextInteractionFlags(Qt::TextBrowserInteraction);
        auto* layout = new QVBoxLayout(popup_);
        layout->addWidget(label);
    }
    auto* label = popup_->findChild<QLabel*>(QStringLiteral("towerDetailsPopupText"));
    label->setText(DetailsRichText(parts, QStringLiteral("<br>"), true));
    // As wide as the tower group, so that a long remark wraps rather than runs off.
    label->setFixedWidth(qMax(group_->width() - 16, 160));
    popup_->adjustSize();
    popup_->move(mark_->mapToGlobal(QPoint(mark_->width() - popup_->width(), mark_->height())));
    popup_->show();
}

bool TowerDetailsDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
        if (watched == group_) PlaceMark();
        if (watched == form_) UpdateLine();
    }
    return QObject::eventFilter(watched, event);
}

void TowerDetailsDisplay::PlaceMark() {
    if (!markWanted_) {
        mark_->hide();
        return;
    }
    QStyleOptionGroupBox option;
    option.initFrom(group_);
    option.text = group_->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect title = group_->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                        QStyle::SC_GroupBoxLabel, group_);
    mark_->adjustSize();
    const int right = group_->width() - title.x();  // the title's indent, on the other side
    const int x = right - mark_->width();
    mark_->move(x, title.y() + (title.height() - mark_->height()) / 2);
    // Never over the title: a group too narrow for both shows the title alone.
    mark_->setVisible(x > title.right() + 4);
}

void TowerDetailsDisplay::UpdateLine() {
    if (line_->text().isEmpty()) {
        line_->hide();
        return;
    }
    // Until the form is shown its height says nothing; its Show event brings the line up to date.
    if (!form_->isVisible()) return;
    // The line is shown only in the room the window gains beyond its starting size, so that
    // at that size the form is as it always was.
    if (line_->isHidden()) formBaseHeight_ = form_->sizeHint().height();
    // Less room than a line's ascent shows nothing, so the text need not be laid out to know:
    // at the starting size there is no room at all.
    const int room = form_->height() - formBaseHeight_ - grid_->verticalSpacing();
    if (room < line_->fontMetrics().ascent()) {
        line_->setVisible(false);
        return;
    }
    const QMargins margins = grid_->contentsMargins();
    const int width = group_->contentsRect().width() - margins.left() - margins.right();
    const int needed = line_->heightForWidth(qMax(width, 1)) + grid_->verticalSpacing();
    line_->setVisible(form_->height() >= formBaseHeight_ + needed);
}

}  // namespace chimeset
