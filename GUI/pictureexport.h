#ifndef PICTUREEXPORT_H
#define PICTUREEXPORT_H

// File → Export Picture: the whole scene as drawn, not just what the view shows,
// as PNG, SVG or PDF by the file name's extension.

#include <QByteArray>
#include <QRectF>
#include <QString>

class QGraphicsScene;

namespace PictureExport {

enum class Format { Unknown, Png, Svg, Pdf };
Format formatOf(const QString &fileName);

// The part of the scene a picture shows: every item, with a small margin.
QRectF extent(QGraphicsScene *scene);

// The picture's bytes; empty with *error set when it cannot be made.
QByteArray render(QGraphicsScene *scene, Format format, bool blackBackground, QString *error);

// Renders and writes (atomically for a regular file); false with *error set on failure.
bool write(QGraphicsScene *scene, const QString &fileName, bool blackBackground, QString *error);

} // namespace PictureExport

#endif // PICTUREEXPORT_H
