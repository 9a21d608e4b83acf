// The charts library: the statistics' charts drawn with Qt Charts, loaded by the program only
// when a chart is first wanted.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

#include "grabs/qt/StatisticsCharts.h"

namespace chimeset {
namespace {

// Whole-number ticks of 1, 2 or 5 times a power of ten, about five of them up to most:
// fractional ticks would label counts of towers that cannot be.
double WholeStep(double most) {
    double step = 1;
    while (most / step > 8) {
        if (most / (step * 2) <= 8) return step * 2;
        if (most / (step * 5) <= 8) return step * 5;
        step *= 10;
    }
    return step;
}

void UseWholeTicks(QValueAxis* axis, double from, double to) {
    const double step = WholeStep(to - from);
    axis->setRange(from, to);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(from);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%d"));
}

// The across axis at the bottom, the up axis on the left, both tied to the series.
void AttachAxes(QChart* plot, QAbstractSeries* series, QAbstractAxis* across, QAbstractAxis* up) {
    plot->addAxis(across, Qt::AlignBottom);
    plot->addAxis(up, Qt::AlignLeft);
    series->attachAxis(across);
    series->attachAxis(up);
}

QBarSet* MakeSet(const std::pair<QString, QList<double>>& set) {
    auto* bars = new QBarSet(set.first);
    for (const double value : set.second) *bars << value;
    return bars;
}

void AddShareBars(QChart* plot, const ChartData& chart) {
    auto* series = new QHorizontalBarSeries;
    for (const auto& set : chart.barSets) series->append(MakeSet(set));
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value%"));
    series->setLabelsPrecision(3);
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    series->setBarWidth(0.75);
    plot->addSeries(series);
    auto* axisY = new QBarCategoryAxis;
    axisY->append(chart.categories);
    axisY->setTruncateLabels(false);  // a county's name is what the bar is about
    auto* axisX = new QValueAxis;
    axisX->setRange(0, 100);
    axisX->setLabelFormat(QStringLiteral("%d%%"));
    plot->addAxis(axisY, Qt::AlignLeft);
    plot->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisY);
    series->attachAxis(axisX);
}

void AddCountBars(QChart* plot, const ChartData& chart) {
    auto* series = new QBarSeries;
    double most = 1;
    for (const auto& set : chart.barSets) {
        series->append(MakeSet(set));
        for (const double value : set.second) most = std::max(most, value);
    }
    plot->addSeries(series);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(chart.categories);
    axisX->setTitleText(chart.acrossTitle);
    auto* axisY = new QValueAxis;
    UseWholeTicks(axisY, 0, most);
    AttachAxes(plot, series, axisX, axisY);
}

void AddRunningTotal(QChart* plot, const ChartData& chart) {
    auto* series = new QLineSeries;
    series->setName(chart.lineName);
    series->append(chart.points);
    double first = 0, last = 0, most = 1;
    if (!chart.points.isEmpty()) {
        first = chart.points.front().x();
        last = chart.points.back().x();
    }
    for (const QPointF& point : chart.points) most = std::max(most, point.y());
    plot->addSeries(series);
    auto* axisX = new QValueAxis;
    UseWholeTicks(axisX, first, std::max(last, first + 1));
    auto* axisY = new QValueAxis;
    UseWholeTicks(axisY, 0, most);
    AttachAxes(plot, series, axisX, axisY);
}

}  // namespace
}  // namespace chimeset

extern "C" Q_DECL_EXPORT QWidget* chimeset_charts_make_view(QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

extern "C" Q_DECL_EXPORT void chimeset_charts_show(QWidget* view,
                                                   const chimeset::ChartData* chart) {
    using chimeset::ChartData;
    auto* chartView = qobject_cast<QChartView*>(view);
    if (!chartView || !chart) return;
    auto* plot = new QChart;
    plot->legend()->setVisible(chart->kind == ChartData::Kind::CountBars);
    plot->legend()->setAlignment(Qt::AlignBottom);
    switch (chart->kind) {
        case ChartData::Kind::ShareBars:
            chimeset::AddShareBars(plot, *chart);
            break;
        case ChartData::Kind::CountBars:
            chimeset::AddCountBars(plot, *chart);
            break;
        case ChartData::Kind::RunningTotal:
            chimeset::AddRunningTotal(plot, *chart);
            break;
    }
    plot->setTitle(chart->title);
    QChart* old = chartView->chart();
    chartView->setChart(plot);
    delete old;
}
