// The programs' help viewer: HTML topics in one help folder, found by context number.
//
// The folder holds the topic pages and "topics.map", whose lines read
//     <context> <page>        context in decimal or as 0x... hex, e.g. "0x20066 index.html"
//     default <page>          the topic shown for the help index and for unknown contexts
// and ";" starts a comment line. Without the map file help does nothing, silently, as
// with a help file that was never installed.
#pragma once

#include <QMap>
#include <QString>
#include <QWidget>
#include <cstdint>

class QTextBrowser;

namespace chimeset {

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QString helpFolder, QString title, QWidget* parent = nullptr);

    // Shows the topic of the context number (the default topic when the map has none).
    // False, and nothing shown, when the help files are missing.
    bool ShowContext(std::uint32_t context);
    // Shows the default topic, as for the help index.
    bool ShowDefault();

    // The page that a context number leads to, empty when there is none; for tests.
    QString TopicFor(std::uint32_t context);
    QTextBrowser* Browser() const { return browser_; }

  private:
    bool LoadMap();
    bool ShowPage(const QString& page);

    QString folder_;
    QTextBrowser* browser_;
    QMap<std::uint32_t, QString> topics_;
    QString defaultTopic_;
    bool mapLoaded_ = false;
};

}  // namespace chimeset
