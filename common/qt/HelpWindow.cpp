#include "common/qt/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextStream>
#include <QUrl>
#include <QVBoxLayout>

namespace chimeset {

HelpWindow::HelpWindow(QString helpFolder, QString title, QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(std::move(helpFolder)),
      browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(title);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({folder_});

    auto* back = new QPushButton(tr("&Back"), this);
    auto* forward = new QPushButton(tr("&Forward"), this);
    auto* home = new QPushButton(tr("C&ontents"), this);
    auto* close = new QPushButton(tr("&Close"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(home, &QPushButton::clicked, this, &HelpWindow::ShowDefault);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(640, 520);
}

bool HelpWindow::LoadMap() {
    if (mapLoaded_) return true;
    QFile file(QDir(folder_).filePath(QStringLiteral("topics.map")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() != 2) continue;
        if (parts[0] == QLatin1String("default")) {
            defaultTopic_ = parts[1];
            continue;
        }
        bool ok = false;
        const uint context = parts[0].toUInt(&ok, 0);  // 0: "0x" means hex
        if (ok) topics_.insert(context, parts[1]);
    }
    if (defaultTopic_.isEmpty()) defaultTopic_ = QStringLiteral("index.html");
    mapLoaded_ = true;
    return true;
}

QString HelpWindow::TopicFor(std::uint32_t context) {
    if (!LoadMap()) return {};
    return topics_.value(context, defaultTopic_);
}

bool HelpWindow::ShowContext(std::uint32_t context) {
    return ShowPage(TopicFor(context));
}

bool HelpWindow::ShowDefault() {
    return LoadMap() && ShowPage(defaultTopic_);
}

bool HelpWindow::ShowPage(const QString& page) {
    if (page.isEmpty()) return false;
    const QString path = QDir(folder_).filePath(page);
    if (!QFileInfo(path).isFile()) return false;
    browser_->setSource(QUrl::fromLocalFile(path));

    // A modal box or dialog blocks every window that is not its own; help asked for from
    // inside one must then be modal itself to be read at all.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace chimeset
