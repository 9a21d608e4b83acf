// The map built into the program, read once.
#pragma once

#include <QString>

#include "map/MapData.h"

namespace chimeset {

// The built-in map; when it is damaged, a MapData that is not loaded, with its error.
const MapData& BuiltInMap();
// Reads a map file (for a map other than the built-in one).
MapData ReadMapFile(const QString& path);

}  // namespace chimeset
