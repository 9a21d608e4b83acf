// Actions / Statistics: the log's statistics as sortable tables beside a chart, with Copy,
// Save as CSV and help.
#pragma once

#include <QDialog>
#include <vector>

#include "common/qt/HelpKey.h"
#include "grabs/GrabStatistics.h"
#include "grabs/GrabsTables.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace chimeset {

class CChimesetDoc;
class Prompter;
class StatisticsCharts;

class CStatisticsDlg : public QDialog {
    Q_OBJECT

  public:
    enum class Chart { CountyShare = 0, Bells, RunningTotal };

    CStatisticsDlg(const CChimesetDoc& doc, Prompter& prompter, ShowHelp showHelp,
                   QWidget* parent = nullptr);

    const GrabStatistics& Statistics() const { return stats_; }
    // The table of the tab shown, in the order shown.
    Table CurrentTable() const;
    void ShowChart(Chart chart);
    // The chart's view (a Qt Charts view), or the reason there is none when the charts
    // library cannot be loaded.
    QWidget* ChartView() const { return chartView_; }
    QTabWidget* Tabs() const { return tabs_; }
    QTableView* TableView(int tab) const { return views_.at(static_cast<std::size_t>(tab)); }
    // "Ringable towers only": checked at first, as what is still to ring is what a ringer
    // looks for; greyed when the database does not say which rings are unringable.
    QCheckBox* RingableCheck() const { return ringableCheck_; }
    // Works the statistics out again, as the check box says.
    void Recompute();

    void OnCopy();
    void OnSaveCsv();

  private:
    void OnHelp();

    const CChimesetDoc& doc_;
    Prompter& prompter_;
    ShowHelp showHelp_;
    GrabStatistics stats_;
    std::vector<Table> tables_;
    std::vector<QStandardItemModel*> models_;
    std::vector<QTableView*> views_;
    QTabWidget* tabs_ = nullptr;
    QComboBox* chartChoice_ = nullptr;
    const StatisticsCharts* charts_ = nullptr;
    QWidget* chartView_ = nullptr;
    QCheckBox* ringableCheck_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace chimeset
