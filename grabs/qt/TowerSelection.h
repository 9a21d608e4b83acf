// Making a tower the main window's current tower, from a list outside it.
#pragma once

#include <cstdint>

namespace chimeset {

class CChimesetView;

// Selects the tower in the form's list; when the list shown does not hold it, turns to
// All Dove first. False for a tower index that does not exist.
bool SelectTowerInView(CChimesetView& view, std::int32_t tower);

}  // namespace chimeset
