// What a ringer checks before going, shown for the current tower without moving the form:
// a small mark in the title row of the tower group ("Unringable" in red, or "Details..."),
// whose tip lists the details and whose click opens them with the web page as a link; and,
// once the window is taller than it starts, a details line under the tower's fields.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "towerdata/TowerDetails.h"

class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;

namespace chimeset {

// The details as rich text: the parts joined by the separator, "Unringable" in bold red,
// the web page a link when it is a web address (links false: plain text, as a tip shows it).
QString DetailsRichText(const std::vector<DetailPart>& parts, const QString& separator, bool links);

class TowerDetailsDisplay : public QObject {
    Q_OBJECT

  public:
    // The line goes into the grid at the row, across both columns; the mark sits in the
    // group's title row. The form is the widget whose starting height the line waits for.
    TowerDetailsDisplay(QWidget* form, QGroupBox* group, QGridLayout* grid, int row);

    void Show(const TowerDetails& details);

    QLabel* Mark() const { return mark_; }
    QLabel* Line() const { return line_; }
    // The open details, or null.
    QFrame* Popup() const { return popup_; }

    // Opens the details beside the mark, as a click on it does.
    void OpenPopup();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PlaceMark();
    void UpdateLine();

    QWidget* form_;
    QGroupBox* group_;
    QGridLayout* grid_;
    QLabel* mark_;
    QLabel* line_;
    QFrame* popup_ = nullptr;
    TowerDetails details_;
    bool markWanted_ = false;  // something is known of the tower
    int formBaseHeight_ = 0;   // the form's height without the line
};

}  // namespace chimeset
