// The converter's icon: a bell with an arrow, drawn rather than shipped.
#pragma once

#include <QIcon>

namespace chimeset {

QIcon ChimemoveIcon();

}  // namespace chimeset
