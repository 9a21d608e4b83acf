#include "map/qt/MapResource.h"

#include <QFile>

namespace chimeset {

MapData ReadMapFile(const QString& path) {
    MapData map;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        map.Parse({});
        return map;
    }
    const QByteArray bytes = file.readAll();
    map.Parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return map;
}

const MapData& BuiltInMap() {
    static const MapData map = ReadMapFile(QStringLiteral(":/chimeset/isles.map"));
    return map;
}

}  // namespace chimeset
