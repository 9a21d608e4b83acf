// The browser form that fills the main window: the map, the tower list with the selected
// tower's details, the list filters and orders, and the user's records of that tower.
// Everything it shows comes from the document, and every change goes through it.
#pragma once

#include <QDate>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/Document.h"
#include "common/Prompter.h"
#include "common/qt/HelpKey.h"
#include "output/TowerSearch.h"
#include "output/qt/PrintController.h"
#include "visits/CChimesetDoc.h"

class QAbstractButton;
class QButtonGroup;
class QGroupBox;

namespace chimeset {

class CMapPanel;
class DialogUnits;
class FieldLabel;
class TowerDetailsDisplay;
class TowerListBox;

class CChimesetView : public QWidget, public DocumentListener {
    Q_OBJECT

  public:
    CChimesetView(CChimesetDoc& doc, Prompter& prompter, ShowHelp showHelp,
                  QWidget* parent = nullptr);
    ~CChimesetView() override;

    // The first showing: the frame fits itself to the form, then a full update follows.
    void OnInitialUpdate();
    // The document's update: hint 1 refills a visit list that a date change rebuilt; any
    // other hint resets the form to All Dove in alphabetical order and refills.
    void OnDocumentUpdate(UpdateHint hint) override;

    void RefillList();
    void ShowTowerDetails();
    void ShowVisitorRecords();

    // "&Add additional Tower" (-1) and the click on an additional tower's details.
    bool EditAdditionalTower(std::int32_t tower);

    // The text of status pane 32906, empty while it keeps its default text.
    QString StatusPaneText() const;

    // --- what printing, the clipboard and the search work from ---
    CChimesetDoc& Document() const { return doc_; }
    int CurrentIndex() const { return currentIndex_; }
    int ListCount() const { return listCount_; }
    // Selects a list position as if the user had chosen it (a found tower).
    void SelectPosition(int position);
    // Selects a tower by its index, turning to All Dove when the shown list lacks it; false
    // when no list holds it.
    bool SelectTower(std::int32_t tower);
    const std::string& PageHeader() const { return pageHeader_; }
    // The search text and where Find Next goes on from.
    TowerSearch& Search() { return search_; }
    // Printing keeps its settings in the profile: without a store the print commands stay off.
    void SetPrintSettingsStore(SettingsStore& store);
    PrintController* Printing() const { return printing_.get(); }

    // --- command availability of the view's own commands ---
    bool CanCopyToClipboard() const;
    bool CanFind() const { return true; }
    bool CanSetPrintContents() const { return true; }
    // Whether an output command exists yet; one that does not stays greyed.
    bool OutputCommandBuilt(int command) const;

    // The control with the form's identifier (1000 to 1027), for the frame and tests.
    QWidget* Control(int id) const;
    // The button of a list or an order (1015 to 1018, 1026 and 1027).
    QWidget* Control(ListFilter filter) const;
    QWidget* Control(ListOrder order) const;
    TowerListBox* TowerList() const { return towerList_; }
    CMapPanel* MapPanel() const { return map_; }
    TowerDetailsDisplay* DetailsDisplay() const { return detailsDisplay_; }
    PackedDate LastDateEntered() const { return lastDateEntered_; }

  public slots:
    // Output commands: printing, preview, print contents, clipboard and search.
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnSetPrintContents();
    void OnCopyToClipboard();
    void OnFind();
    void OnFindNext();

    void OnSelectionChange(int row);
    void OnFilterButton(ListFilter filter);
    void OnOrderButton(ListOrder order);
    void OnClickUserName();
    void OnClickVisitDate();
    void OnClickQuarterDate();
    void OnClickPealDate();
    void OnClickComment();
    void OnClickTowerDetail();

  signals:
    void statusPaneTextChanged(const QString& text);
    // The selection moved to another tower (-1: none).
    void currentTowerChanged(std::int32_t tower);
    // The visitor's records were shown again, perhaps after a change of date.
    void visitorRecordsShown();
    // A double-click on the small map.
    void mapWindowRequested();
    // Something that command availability depends on changed (selection, filter, edits).
    void commandStateChanged();
    // The frame should size itself to the form.
    void fitFrameRequested();

  private:
    void BuildForm();
    // The form's sizes come from one measurement of its font.
    FieldLabel* AddField(const DialogUnits& units, int id, const char* name, int width, int height);
    void UpdateColours();
    void UpdateStatus();
    bool RefuseReadOnly();
    bool HasTowerToRecord() const;
    bool RunSetDate(PackedDate current, PackedDate& newValue);
    void OnClickPealOrQuarter(bool peal);

    CChimesetDoc& doc_;
    Prompter& prompter_;
    ShowHelp showHelp_;
    TowerSearch search_;

    CMapPanel* map_ = nullptr;
    TowerListBox* towerList_ = nullptr;
    TowerDetailsDisplay* detailsDisplay_ = nullptr;
    QButtonGroup* filters_ = nullptr;
    QButtonGroup* orders_ = nullptr;
    std::map<int, QWidget*> controls_;

    int listCount_ = 0;
    int currentIndex_ = 0;
    PackedDate lastDateEntered_ = kNoDate;
    PackedDate currentVisitDate_ = kNoDate;
    std::string pageHeader_;
    std::unique_ptr<PrintController> printing_;
};

}  // namespace chimeset
