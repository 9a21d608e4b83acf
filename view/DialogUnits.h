// Dialog units: the layouts' sizes are given relative to the font, as a quarter of the
// average character width across and an eighth of the character height down.
#pragma once

#include <QFont>
#include <QSize>

namespace chimeset {

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const { return (units * baseX_ + 2) / 4; }
    int Y(int units) const { return (units * baseY_ + 4) / 8; }
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }

  private:
    int baseX_;
    int baseY_;
};

}  // namespace chimeset
