// Any bytes as the map data: the reader must load a map or say what is wrong, never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "map/MapData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    MapData map;
    if (map.Parse(std::string_view(reinterpret_cast<const char*>(data), size))) {
        const GridBox& box = map.Bounds();
        map.IsOnLand((box.west + box.east) / 2, (box.south + box.north) / 2);
        map.MemoryBytes();
    }
    return 0;
}
