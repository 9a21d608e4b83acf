#include "grabs/qt/StatisticsCharts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace chimeset {
namespace {

QString& ChartsFolder() {
    static QString folder;
    return folder;
}

}  // namespace

void SetStatisticsChartsFolder(const QString& folder) {
    ChartsFolder() = folder;
}

const StatisticsCharts* StatisticsCharts::Get(QString* problem) {
    static QString failure;
    static const StatisticsCharts* const charts = []() -> const StatisticsCharts* {
        const QString folder =
            ChartsFolder().isEmpty() ? QCoreApplication::applicationDirPath() : ChartsFolder();
        // Never freed: the charts it draws belong to dialogs that may outlive any owner here.
        auto* library = new QLibrary(QDir(folder).filePath(QStringLiteral("chimeset-charts")));
        const auto makeView =
            reinterpret_cast<MakeViewFunction>(library->resolve("chimeset_charts_make_view"));
        const auto show = reinterpret_cast<ShowFunction>(library->resolve("chimeset_charts_show"));
        if (!makeView || !show) {
            failure = library->errorString();
            delete library;
            return nullptr;
        }
        return new StatisticsCharts(makeView, show);
    }();
    if (!charts && problem) *problem = failure;
    return charts;
}

}  // namespace chimeset
