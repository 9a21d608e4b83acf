#include "view/BuiltInImages.h"

#include <QPixmap>
#include <QResource>
#include <QSysInfo>

namespace chimeset {

QImage BuiltInImage(const QString& path, QSize size, QImage::Format format) {
    const QResource resource(path);
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    // A compressed resource would need a copy to unpack it; the build stores these as they are.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() != bytes || size.isEmpty())
        return {};
    return QImage(resource.data(), size.width(), size.height(), size.width() * 4, format);
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int side : {16, 32, 48, 64}) {
        const QImage image =
            BuiltInImage(QStringLiteral(":/chimeset/icon-%1.rgba").arg(side), QSize(side, side));
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QImage BuiltInMapImage() {
    // Blue, green, red and opaque alpha bytes: the window's own format where the low byte
    // comes first, so the map is painted straight from the resource.
    const QString path = QStringLiteral(":/chimeset/map.bgra");
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        return BuiltInImage(path, QSize(200, 300), QImage::Format_RGB32);
    return BuiltInImage(path, QSize(200, 300), QImage::Format_RGBX8888).rgbSwapped();
}

}  // namespace chimeset
