// The charts of the Statistics dialog. Qt Charts draws them, from a library of chimeset's own
// that is loaded when a chart is first wanted: linked into the program, Qt Charts and the
// OpenGL libraries it brings took a twentieth of every start-up, for a dialog most runs never
// open.
#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QWidget;

namespace chimeset {

// One chart, in the terms the statistics give it.
struct ChartData {
    enum class Kind {
        ShareBars,     // a bar across for each category: its share in per cent
        CountBars,     // bars up, a set beside a set for each category, with a legend
        RunningTotal,  // a line up the years
    };
    Kind kind = Kind::ShareBars;
    QString title;
    QStringList categories;                                  // the bars' names
    std::vector<std::pair<QString, QList<double>>> barSets;  // each set's name and values
    QString acrossTitle;                                     // the bars' axis, when named
    QString lineName;
    QList<QPointF> points;  // the line's (year, total) points, in order
};

// Where the charts library is looked for: the folder of the program's libraries. Before it is
// set, the program's own folder.
void SetStatisticsChartsFolder(const QString& folder);

// The charts library, loaded on first use; null when it cannot be loaded, with why in
// `problem`.
class StatisticsCharts {
  public:
    static const StatisticsCharts* Get(QString* problem = nullptr);

    // A view for charts, a child of `parent`.
    QWidget* MakeView(QWidget* parent) const { return makeView_(parent); }
    // Draws the chart in a view MakeView made, in place of the one it showed.
    void Show(QWidget* view, const ChartData& chart) const { show_(view, &chart); }

    using MakeViewFunction = QWidget* (*)(QWidget*);
    using ShowFunction = void (*)(QWidget*, const ChartData*);

  private:
    StatisticsCharts(MakeViewFunction makeView, ShowFunction show)
        : makeView_(makeView), show_(show) {}

    MakeViewFunction makeView_;
    ShowFunction show_;
};

}  // namespace chimeset
