#include "map/qt/MapExportDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "map/qt/MapExport.h"

namespace chimeset {

MapExportDlg::MapExportDlg(bool haveView, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("exportMapDialog"));
    setWindowTitle(QStringLiteral("Export Map"));
    path_ = new QLineEdit(this);
    path_->setObjectName(QStringLiteral("mapFileEdit"));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    width_ = new QSpinBox(this);
    width_->setObjectName(QStringLiteral("mapWidthSpin"));
    height_ = new QSpinBox(this);
    height_->setObjectName(QStringLiteral("mapHeightSpin"));
    for (QSpinBox* box : {width_, height_}) {
        box->setRange(100, 20000);
        box->setSuffix(QStringLiteral(" px"));
    }
    width_->setValue(2000);
    height_->setValue(3000);
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("mapPaperCombo"));
    for (const auto& [name, id] :
         {std::pair{"A4", QPageSize::A4}, std::pair{"A3", QPageSize::A3},
          std::pair{"A2", QPageSize::A2}, std::pair{"A1", QPageSize::A1},
          std::pair{"A0", QPageSize::A0}, std::pair{"Letter", QPageSize::Letter}})
        paper_->addItem(QLatin1String(name), static_cast<int>(id));
    paper_->setCurrentIndex(2);
    whole_ = new QRadioButton(QStringLiteral("The &whole map"), this);
    whole_->setObjectName(QStringLiteral("wholeMapRadio"));
    view_ = new QRadioButton(QStringLiteral("The &current view"), this);
    view_->setObjectName(QStringLiteral("currentViewRadio"));
    view_->setEnabled(haveView);
    whole_->setChecked(true);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(path_, 1);
    fileRow->addWidget(browse);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(width_);
    sizeRow->addWidget(height_);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&File (.png, .svg, .pdf):"), fileRow);
    form->addRow(QStringLiteral("Picture &size:"), sizeRow);
    form->addRow(QStringLiteral("&Paper (PDF):"), paper_);
    form->addRow(whole_);
    form->addRow(view_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &MapExportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MapExportDlg::reject);
    connect(browse, &QPushButton::clicked, this, &MapExportDlg::Browse);
    connect(path_, &QLineEdit::textChanged, this, &MapExportDlg::UpdateFormat);
    UpdateFormat();
}

QString MapExportDlg::Path() const {
    return path_->text().trimmed();
}

void MapExportDlg::SetPath(const QString& path) {
    path_->setText(path);
}

QSize MapExportDlg::Pixels() const {
    return {width_->value(), height_->value()};
}

QPageSize MapExportDlg::Paper() const {
    return QPageSize(static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt()));
}

bool MapExportDlg::WholeMap() const {
    return whole_->isChecked();
}

void MapExportDlg::Browse() {
    const QString chosen = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Map"), Path(),
        QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    if (!chosen.isEmpty()) SetPath(chosen);
}

void MapExportDlg::UpdateFormat() {
    const auto format = MapFormatOfPath(Path());
    const bool pdf = format == MapFileFormat::Pdf;
    width_->setEnabled(!pdf);
    height_->setEnabled(!pdf);
    paper_->setEnabled(pdf || !format);
}

void MapExportDlg::accept() {
    if (!MapFormatOfPath(Path())) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Name a file ending in .png, .svg or .pdf."));
        path_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace chimeset
