// The pictures built into chimeset: the program icon and the small map. They are kept as plain
// pixels rather than PNG, so that showing the window never loads an image decoder or searches
// the image plugins, which took longer than reading the whole tower database.
#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

namespace chimeset {

// A built-in picture of `size`, from resource `path` holding its RGBA bytes row by row (for an
// opaque picture, RGBX8888 says so to the painter). Null when the resource is missing or not
// of that size. The image reads the resource in place.
QImage BuiltInImage(const QString& path, QSize size,
                    QImage::Format format = QImage::Format_RGBA8888);

// The program's icon in the sizes a window shows: 16, 32, 48 and 64 pixels.
QIcon ProgramIcon();

// The map of Great Britain the main window shows, 200 by 300 pixels, opaque, in the window's
// own format (RGB32) where the machine allows, read in place.
QImage BuiltInMapImage();

}  // namespace chimeset
