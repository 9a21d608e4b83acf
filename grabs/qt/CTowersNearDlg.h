// Actions / Towers Near: the towers within a radius of the current tower (or of a typed grid
// reference or latitude and longitude), nearest first, with the filters; Copy, Save as CSV,
// Save as GPX, help. A double-click asks the main window to show that tower.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

#include "common/qt/HelpKey.h"
#include "grabs/GrabsTables.h"
#include "grabs/TowerPlaces.h"
#include "grabs/TowerVisits.h"
#include "grabs/TowersNear.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStandardItemModel;
class QTableView;

namespace chimeset {

class CChimesetDoc;
class Prompter;

class CTowersNearDlg : public QDialog {
    Q_OBJECT

  public:
    using ChooseTower = std::function<void(std::int32_t tower)>;

    CTowersNearDlg(const CChimesetDoc& doc, Prompter& prompter, ShowHelp showHelp,
                   ChooseTower chooseTower, QWidget* parent = nullptr);
    ~CTowersNearDlg() override;

    // The filter as the controls set it.
    NearFilter Filter() const;
    // Works the list out again from the controls.
    void Refresh();
    const NearResult& Result() const { return result_; }
    // The list in the order shown.
    Table ShownTable() const;
    // The towers of the list in the order shown (for the GPX file).
    std::vector<std::int32_t> ShownTowers() const;
    QTableView* List() const { return list_; }
    QCheckBox* RingableCheck() const { return ringableCheck_; }
    QComboBox* PracticeCombo() const { return practiceCombo_; }
    QString Summary() const;

    void OnCopy();
    void OnSaveCsv();
    void OnSaveGpx();
    void OnActivated(int row);

  private:
    void OnHelp();

    const CChimesetDoc& doc_;
    Prompter& prompter_;
    ShowHelp showHelp_;
    ChooseTower chooseTower_;
    const std::int32_t currentTower_;
    TowerVisits visits_;
    TowerPlaces places_;
    NearResult result_;
    Table table_;

    QLineEdit* placeEdit_ = nullptr;
    QDoubleSpinBox* radiusSpin_ = nullptr;
    QComboBox* unitCombo_ = nullptr;
    QCheckBox* unvisitedCheck_ = nullptr;
    QSpinBox* minBellsSpin_ = nullptr;
    QCheckBox* ringableCheck_ = nullptr;
    QComboBox* practiceCombo_ = nullptr;  // "any", then Monday to Sunday
    QLabel* summary_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QTableView* list_ = nullptr;
};

}  // namespace chimeset
