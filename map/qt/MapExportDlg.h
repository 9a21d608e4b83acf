// Export Map: the file (its ending picks PNG, SVG or PDF), the picture size or paper, and
// whether the poster shows the whole map or the window's view.
#pragma once

#include <QDialog>
#include <QPageSize>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace chimeset {

class MapExportDlg : public QDialog {
    Q_OBJECT

  public:
    explicit MapExportDlg(bool haveView, QWidget* parent = nullptr);

    QString Path() const;
    void SetPath(const QString& path);
    QSize Pixels() const;
    QPageSize Paper() const;
    bool WholeMap() const;

    void accept() override;

  private:
    void Browse();
    void UpdateFormat();

    QLineEdit* path_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QComboBox* paper_ = nullptr;
    QRadioButton* whole_ = nullptr;
    QRadioButton* view_ = nullptr;
};

}  // namespace chimeset
