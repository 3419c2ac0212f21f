#ifndef PICTUREEXPORT_H
#define PICTUREEXPORT_H

// File → Export Picture: the whole scene as drawn, not just what the view shows,
// as PNG, SVG or PDF by the file name's extension.

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPair>
#include <QRectF>
#include <QString>

class QGraphicsScene;

namespace PictureExport {

enum class Format { Unknown, Png, Svg, Pdf };
Format formatOf(const QString &fileName);

// The part of the scene a picture shows: every item, with a small margin.
QRectF extent(QGraphicsScene *scene);

// How a picture is made: a PNG this many pixels wide; a PDF on an A4
// landscape page (Letter where the locale is US) with a title block.
struct Options {
    bool blackBackground = false;
    int pngWidth = 2400;
    QString title;                          // the project's name
    QString date;                           // yyyy-MM-dd
    QList<QPair<QColor, QString>> legend;   // when members are coloured by type
};

// The picture's bytes; empty with *error set when it cannot be made.
QByteArray render(QGraphicsScene *scene, Format format, const Options &options, QString *error);

// Renders and writes (atomically for a regular file); false with *error set on failure.
bool write(QGraphicsScene *scene, const QString &fileName, const Options &options, QString *error);

} // namespace PictureExport

#endif // PICTUREEXPORT_H
