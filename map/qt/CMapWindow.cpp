#include "map/qt/CMapWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/CodePage.h"
#include "common/FileFormats.h"
#include "common/qt/Codec.h"
#include "map/qt/MapCanvas.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

CMapWindow::CMapWindow(const CChimesetDoc& doc, const MapData& map, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(doc), map_(map) {
    setObjectName(QStringLiteral("towerMapWindow"));
    setWindowTitle(QStringLiteral("Tower Map"));
    canvas_ = new MapCanvas(map, this);

    auto* fit = new QToolButton(this);
    fit->setObjectName(QStringLiteral("fitButton"));
    fit->setText(QStringLiteral("&Fit"));
    fit->setToolTip(QStringLiteral("Show the whole map (Home)"));
    auto* zoomIn = new QToolButton(this);
    zoomIn->setObjectName(QStringLiteral("zoomInButton"));
    zoomIn->setText(QStringLiteral("+"));
    zoomIn->setToolTip(QStringLiteral("Zoom in (+)"));
    auto* zoomOut = new QToolButton(this);
    zoomOut->setObjectName(QStringLiteral("zoomOutButton"));
    zoomOut->setText(QStringLiteral("\u2212"));
    zoomOut->setToolTip(QStringLiteral("Zoom out (-)"));
    shownOnly_ = new QCheckBox(QStringLiteral("&Only the towers of the shown list"), this);
    shownOnly_->setObjectName(QStringLiteral("shownListOnly"));
    auto* exportButton = new QPushButton(QStringLiteral("&Export Map..."), this);
    exportButton->setObjectName(QStringLiteral("exportMapButton"));
    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("mapCounts"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(fit);
    bar->addWidget(zoomIn);
    bar->addWidget(zoomOut);
    bar->addSpacing(12);
    bar->addWidget(shownOnly_);
    bar->addStretch(1);
    bar->addWidget(exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(canvas_, 1);
    layout->addWidget(counts_);

    connect(fit, &QToolButton::clicked, canvas_, &MapCanvas::Fit);
    connect(zoomIn, &QToolButton::clicked, canvas_, &MapCanvas::ZoomIn);
    connect(zoomOut, &QToolButton::clicked, canvas_, &MapCanvas::ZoomOut);
    connect(shownOnly_, &QCheckBox::toggled, this, [this] { Refresh(); });
    connect(exportButton, &QPushButton::clicked, this, &CMapWindow::exportRequested);
    connect(canvas_, &MapCanvas::towerClicked, this, &CMapWindow::towerChosen);

    const auto nameOf = [this](std::int32_t tower) {
        return Windows1252ToUtf8(doc_.Database().GetTowerField(tower, kLocn));
    };
    // Rich text, every field escaped, so that a remark such as "<b>" shows as it is written.
    const auto tipOf = [this](std::int32_t tower) {
        const TowerDatabase& database = doc_.Database();
        const auto text = [](const std::string& windows1252) {
            return FromWindows1252(windows1252).toHtmlEscaped();
        };
        QString tip = QStringLiteral("<b>%1</b>").arg(text(database.FormatTowerName(tower)));
        const std::string bells = database.GetTowerField(tower, kBells);
        if (!bells.empty()) tip += QStringLiteral("<br>%1 bells").arg(text(bells));
        const std::string weight = doc_.FormatTowerWeight(tower);
        if (!weight.empty()) tip += QStringLiteral(", tenor %1").arg(text(weight));
        const TowerDetails details = database.DetailsOf(tower);
        const std::vector<std::string> lines = DetailsTipLines(details);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const QString line = text(lines[i]);
            // "Unringable", first, stands out.
            tip +=
                QStringLiteral("<br>") +
                (i == 0 && details.IsUnringable() ? QStringLiteral("<b>%1</b>").arg(line) : line);
        }
        return tip;
    };
    canvas_->SetTowers(&towers_, nameOf, tipOf);
    resize(900, 1000);
}

void CMapWindow::Rebuild() {
    towers_.Build(doc_.Database(), builtCategories_, map_.Bounds(),
                  builtShownOnly_ ? &builtShown_ : nullptr);
    counts_->setText(CountsText());
    canvas_->update();
}

QString CMapWindow::CountsText() const {
    const MapTowerCounts& counts = towers_.Counts();
    QString text = QStringLiteral("%1 towers on the map").arg(counts.placed);
    if (counts.NotDrawn() > 0)
        text += QStringLiteral(
                    "; not drawn: %1 beyond the map, %2 with no position, %3 with an "
                    "impossible position")
                    .arg(counts.outside)
                    .arg(counts.noPosition)
                    .arg(counts.impossible);
    return text;
}

void CMapWindow::Refresh() {
    std::vector<DotCategory> categories = CategoriesOf(doc_);
    const bool shownOnly = shownOnly_->isChecked();
    std::vector<std::int32_t> shown;
    if (shownOnly) shown = ShownTowers(doc_);
    const std::int32_t towerCount = doc_.Database().GetTowerCount();
    if (built_ && categories == builtCategories_ && shownOnly == builtShownOnly_ &&
        shown == builtShown_ && towerCount == builtTowerCount_)
        return;
    builtCategories_ = std::move(categories);
    builtShownOnly_ = shownOnly;
    builtShown_ = std::move(shown);
    builtTowerCount_ = towerCount;
    built_ = true;
    Rebuild();
}

void CMapWindow::ShowCurrentTower() {
    Refresh();
    canvas_->SetCurrentTower(doc_.CurrentTower(), true);
}

void CMapWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ShowCurrentTower();
}

}  // namespace chimeset
