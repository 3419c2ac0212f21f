#ifndef EXPORTPICTURECHOICE_H
#define EXPORTPICTURECHOICE_H

#include <QString>

class QWidget;

// File → Export Picture's save dialog: the file, the background and the PNG's width.
struct ExportPictureChoice {
    QString fileName;   // empty: cancelled
    bool blackBackground = false;
    int pngWidth = 2400;

    // Asks, starting at `start` with the width last chosen.
    static ExportPictureChoice ask(QWidget *parent, const QString &start, int pngWidth);
};

#endif // EXPORTPICTURECHOICE_H
