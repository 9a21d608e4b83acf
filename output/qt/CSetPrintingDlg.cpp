#include "output/qt/CSetPrintingDlg.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "common/MessageTable.h"
#include "common/Prompter.h"
#include "common/SettingsStore.h"
#include "common/qt/Codec.h"
#include "output/qt/DialogButtonColumn.h"
#include "output/qt/PrintController.h"

namespace chimeset {
namespace {

constexpr int kSmallestFontPoints = 6;
constexpr int kLargestFontPoints = 12;

const char* const kColumnCaptions[kPrintColumnCount] = {
    "Location",      "Dedication",  "County",     "Tenor Weight",      "Bells",
    "OS Reference",  "TB Identity", "Visit Date", "Quarter Peal Date", "Peal Date",
    "Comments (Min)"};

const char* const kCommentsText =
    "A single line comments field will expand from the minimum setting opposite to use up any "
    "remaining space on the line. Use multiline to see all the comment text.";

// An up-down control whose every step is taken and whose position always returns to 0.
class StepControl : public QAbstractSpinBox {
  public:
    explicit StepControl(std::function<void(int)> onStep, QWidget* parent)
        : QAbstractSpinBox(parent), onStep_(std::move(onStep)) {
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setReadOnly(true);
        setFixedWidth(fontMetrics().height() + 8);
    }
    void stepBy(int steps) override { onStep_(steps); }

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

  private:
    std::function<void(int)> onStep_;
};

QLabel* MakeDisplay(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("-00.0\"")) + 8);
    return label;
}

std::optional<std::int32_t> WidthOf(QPrinter* printer) {
    if (!printer) return std::nullopt;
    return PrintableWidth(*printer);
}

std::int32_t Thousandths(double inches) {
    return static_cast<std::int32_t>(std::lround(inches * 1000.0));
}

}  // namespace

CSetPrintingDlg::CSetPrintingDlg(const PrintSettings& settings, QPrinter* printer,
                                 SettingsStore& store, Prompter& prompter, ShowHelp showHelp,
                                 QWidget* parent)
    : QDialog(parent),
      editor_(settings),
      printer_(printer),
      store_(store),
      prompter_(prompter),
      showHelp_(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Set Printing"));
    BuildLayout();
    const std::optional<std::int32_t> width = WidthOf(printer_);
    remainingKnown_ = width.has_value();
    editor_.Open(width);
    headerEdit_->setText(FromWindows1252(settings.pageHeader));
    Refresh();
}

void CSetPrintingDlg::BuildLayout() {
    auto* columns = new QWidget(this);
    columnGrid_ = new QGridLayout(columns);
    columnGrid_->setContentsMargins(0, 0, 0, 0);
    columnGrid_->setVerticalSpacing(2);

    columnGrid_->addWidget(new QLabel(QStringLiteral("Left Margin"), columns), 0, 0);
    leftMarginDisplay_ = MakeDisplay(QStringLiteral("leftMarginDisplay"), columns);
    columnGrid_->addWidget(leftMarginDisplay_, 0, 1);
    for (int c = 0; c < kPrintColumnCount; ++c) {
        auto* box = new QCheckBox(QString::fromLatin1(kColumnCaptions[c]), columns);
        box->setObjectName(QStringLiteral("columnBox%1").arg(c));
        connect(box, &QCheckBox::toggled, this, [this, c](bool on) { OnColumnToggled(c, on); });
        box->installEventFilter(this);
        columnBoxes_[static_cast<std::size_t>(c)] = box;
        auto* display = MakeDisplay(QStringLiteral("widthDisplay%1").arg(c), columns);
        display->installEventFilter(this);
        display->setToolTip(QStringLiteral("Click to change this width with the arrows"));
        widthDisplays_[static_cast<std::size_t>(c)] = display;
        columnGrid_->addWidget(box, c + 1, 0);
        columnGrid_->addWidget(display, c + 1, 1);
    }
    columnGrid_->addWidget(new QLabel(QStringLiteral("Right Margin"), columns),
                           kPrintColumnCount + 1, 0);
    rightMarginDisplay_ = MakeDisplay(QStringLiteral("rightMarginDisplay"), columns);
    columnGrid_->addWidget(rightMarginDisplay_, kPrintColumnCount + 1, 1);
    columnGrid_->addWidget(new QLabel(QStringLiteral("Remaining Space"), columns),
                           kPrintColumnCount + 2, 0);
    remainingDisplay_ = MakeDisplay(QStringLiteral("remainingSpaceDisplay"), columns);
    columnGrid_->addWidget(remainingDisplay_, kPrintColumnCount + 2, 1);
    spin_ = new StepControl([this](int n) { StepWidth(n); }, columns);
    spin_->setObjectName(QStringLiteral("widthSpin"));
    columnGrid_->setColumnMinimumWidth(2, spin_->sizeHint().width());

    auto* pageSetup = new QPushButton(QStringLiteral("Page Setup..."), this);
    pageSetup->setObjectName(QStringLiteral("pageSetupButton"));
    pageSetup->setAutoDefault(false);
    connect(pageSetup, &QPushButton::clicked, this, &CSetPrintingDlg::OnPageSetup);

    auto* headerGroup = new QGroupBox(QStringLiteral("Page Header"), this);
    headerEdit_ = new QLineEdit(headerGroup);
    headerEdit_->setObjectName(QStringLiteral("pageHeaderEdit"));
    headerEdit_->setMinimumWidth(headerEdit_->fontMetrics().averageCharWidth() * 40);
    (new QVBoxLayout(headerGroup))->addWidget(headerEdit_);

    auto* fontGroup = new QGroupBox(QStringLiteral("Font"), this);
    faceDisplay_ = new QLabel(QStringLiteral("None"), fontGroup);
    faceDisplay_->setObjectName(QStringLiteral("fontFaceDisplay"));
    faceDisplay_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sizeDisplay_ = MakeDisplay(QStringLiteral("fontSizeDisplay"), fontGroup);
    sizeDisplay_->setMinimumWidth(
        sizeDisplay_->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8);
    auto* setFont = new QPushButton(QStringLiteral("Set Font..."), fontGroup);
    setFont->setObjectName(QStringLiteral("setFontButton"));
    setFont->setAutoDefault(false);
    connect(setFont, &QPushButton::clicked, this, &CSetPrintingDlg::OnSetFont);
    auto* fontLayout = new QGridLayout(fontGroup);
    fontLayout->addWidget(faceDisplay_, 0, 0);
    fontLayout->addWidget(sizeDisplay_, 0, 1);
    fontLayout->addWidget(setFont, 1, 0, Qt::AlignLeft);
    fontLayout->setColumnStretch(0, 1);

    auto* commentGroup = new QGroupBox(QStringLiteral("Comments"), this);
    auto* commentText = new QLabel(QString::fromLatin1(kCommentsText), commentGroup);
    commentText->setWordWrap(true);
    multilineBox_ = new QCheckBox(QStringLiteral("Print multiline comments"), commentGroup);
    multilineBox_->setObjectName(QStringLiteral("multilineBox"));
    connect(multilineBox_, &QCheckBox::toggled, this, [this](bool on) {
        editor_.SetMultiline(on);
        Refresh();
    });
    auto* commentLayout = new QVBoxLayout(commentGroup);
    commentLayout->addWidget(commentText);
    commentLayout->addWidget(multilineBox_);

    auto* middle = new QVBoxLayout;
    middle->addWidget(pageSetup, 0, Qt::AlignLeft);
    middle->addWidget(headerGroup);
    middle->addWidget(fontGroup);
    middle->addWidget(commentGroup);
    middle->addStretch(1);

    const DialogButtonColumn buttons = MakeDialogButtonColumn(this, QStringLiteral("Help"));
    connect(buttons.help, &QPushButton::clicked, this, &CSetPrintingDlg::OnHelp);
    InstallHelpKey(this, [this] { OnHelp(); });

    auto* top = new QHBoxLayout(this);
    top->addWidget(columns, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(middle, 1);
    top->addSpacing(12);
    top->addLayout(buttons.layout);
}

void CSetPrintingDlg::Refresh() {
    for (int c = 0; c < kPrintColumnCount; ++c) {
        QCheckBox* box = columnBoxes_[static_cast<std::size_t>(c)];
        const QSignalBlocker block(box);
        box->setChecked(editor_.IsChecked(c));
        widthDisplays_[static_cast<std::size_t>(c)]->setText(
            FromWindows1252(FormatInches(editor_.Width(c))));
    }
    const PrintSettings& settings = editor_.Settings();
    leftMarginDisplay_->setText(FromWindows1252(FormatInches(settings.margins.left)));
    rightMarginDisplay_->setText(FromWindows1252(FormatInches(settings.margins.right)));
    remainingDisplay_->setText(
        remainingKnown_ ? FromWindows1252(FormatInches(editor_.RemainingSpace())) : QString());
    faceDisplay_->setText(FromWindows1252(settings.fontFace));
    sizeDisplay_->setText(QString::number(settings.fontSize / 10));
    {
        const QSignalBlocker block(multilineBox_);
        multilineBox_->setChecked(settings.multiline);
    }
    // The spin control sits beside the width it changes.
    const int row = editor_.SelectedColumn() >= 0 ? editor_.SelectedColumn() + 1 : spinRow_;
    if (row != spinRow_ || columnGrid_->indexOf(spin_) < 0) {
        columnGrid_->removeWidget(spin_);
        columnGrid_->addWidget(spin_, row < 0 ? 1 : row, 2);
        spinRow_ = row < 0 ? 1 : row;
    }
}

void CSetPrintingDlg::OnColumnToggled(int column, bool checked) {
    if (checked)
        editor_.CheckColumn(column);
    else
        editor_.UncheckColumn(column);
    Refresh();
}

void CSetPrintingDlg::StepWidth(int n) {
    editor_.SpinStep(n);
    Refresh();
}

void CSetPrintingDlg::ClickWidthDisplay(int column) {
    if (!editor_.ClickWidth(column)) {
        QApplication::beep();
        return;
    }
    Refresh();
    spin_->setFocus();
}

void CSetPrintingDlg::AcceptPageSetup(const PageMargins& chosen) {
    PageMargins margins;
    margins.left = RoundDownMargin(chosen.left);
    margins.top = RoundDownMargin(chosen.top);
    margins.right = RoundDownMargin(chosen.right);
    margins.bottom = RoundDownMargin(chosen.bottom);
    editor_.SetMargins(margins);
    if (!StoreMargins(store_, margins))
        prompter_.Show(SettingsNotSavedNotice(
            store_, "The new margins apply until Chimeset is closed, and then are lost."));
    editor_.ComputeRemainingSpace(WidthOf(printer_));
    Refresh();
}

void CSetPrintingDlg::OnPageSetup() {
    if (!printer_) return;
    const PageMargins& current = editor_.Settings().margins;
    printer_->setPageMargins(QMarginsF(current.left / 1000.0, current.top / 1000.0,
                                       current.right / 1000.0, current.bottom / 1000.0),
                             QPageLayout::Inch);
    QPageSetupDialog dialog(printer_, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    const QMarginsF chosen = printer_->pageLayout().margins(QPageLayout::Inch);
    // The layout takes the margins off itself; the printer keeps its whole printable area.
    UseWholePrintableArea(*printer_);
    if (accepted) {
        PageMargins margins;
        margins.left = Thousandths(chosen.left());
        margins.top = Thousandths(chosen.top());
        margins.right = Thousandths(chosen.right());
        margins.bottom = Thousandths(chosen.bottom());
        AcceptPageSetup(margins);
    }
}

void CSetPrintingDlg::AcceptFont(const QString& face, std::int32_t sizeTenths) {
    if (face.isEmpty()) return;
    const std::int32_t size =
        std::clamp(sizeTenths, kSmallestFontPoints * 10, kLargestFontPoints * 10);
    editor_.SetFont(ToWindows1252(face), size);
    Refresh();
}

void CSetPrintingDlg::OnSetFont() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Font"));
    auto* faces = new QFontComboBox(&dialog);
    faces->setObjectName(QStringLiteral("fontFaceCombo"));
    faces->setFontFilters(QFontComboBox::ScalableFonts);
    faces->setEditable(false);
    faces->setCurrentFont(QFont(FromWindows1252(editor_.Settings().fontFace)));
    auto* sizes = new QComboBox(&dialog);
    sizes->setObjectName(QStringLiteral("fontSizeCombo"));
    for (int points = kSmallestFontPoints; points <= kLargestFontPoints; ++points)
        sizes->addItem(QString::number(points), points);
    sizes->setCurrentIndex(
        std::clamp(editor_.Settings().fontSize / 10, kSmallestFontPoints, kLargestFontPoints) -
        kSmallestFontPoints);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("&Font:"), faces);
    form->addRow(QStringLiteral("&Size:"), sizes);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return;
    AcceptFont(faces->currentFont().family(), sizes->currentData().toInt() * 10);
}

void CSetPrintingDlg::accept() {
    if (!editor_.CanAccept()) {
        prompter_.Show(MessageTable::Chimeset().Make(msg::kColumnsDoNotFit));
        return;
    }
    editor_.SetPageHeader(ToWindows1252(headerEdit_->text()));
    // Kept here, where the user can be told, as OK is pressed.
    if (!StoreColumnsAndMulti(store_, editor_.Settings()))
        prompter_.Show(SettingsNotSavedNotice(
            store_, "The print contents apply until Chimeset is closed, and then are lost."));
    QDialog::accept();
}

bool CSetPrintingDlg::eventFilter(QObject* watched, QEvent* event) {
    // From the keyboard, a printed column is picked for the arrows by tabbing to its box.
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
            return QDialog::eventFilter(watched, event);
        for (int c = 0; c < kPrintColumnCount; ++c) {
            if (watched == columnBoxes_[static_cast<std::size_t>(c)] && editor_.ClickWidth(c))
                Refresh();
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        for (int c = 0; c < kPrintColumnCount; ++c) {
            if (watched == widthDisplays_[static_cast<std::size_t>(c)]) {
                ClickWidthDisplay(c);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CSetPrintingDlg::OnHelp() {
    if (showHelp_) showHelp_(kDialogHelpBase + kSetPrintingDialog);
}

}  // namespace chimeset
