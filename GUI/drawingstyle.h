#ifndef DRAWINGSTYLE_H
#define DRAWINGSTYLE_H

#include <QColor>
#include <QtGlobal>

#include <cmath>
#include <QFont>
#include <QList>

// What the window's items draw besides their own record, shared by all of
// them: the window changes it and repaints once, no item is told one by one.
struct DrawingStyle {
    bool colourByType = false;       // members in their type's colour, else their category's
    bool memberNumbers = false;      // each member's number at its midpoint
    bool nodeNumbers = false;        // each node's number beside it
    bool paper = false;              // drawn on white for a picture: white lines drawn black
    QList<QColor> typeColours;       // by type number - 1
    QFont font;                      // of the numbers
    double digitWidth = 7, lineHeight = 14;   // its size, measured once

    // Selected items are drawn in it.
    static QColor highlight() { return QColor(255, 200, 0); }

    // A colour of its own for each type, fixed by the type's key so that it
    // stays when other types come and go: hues a golden angle apart.
    static QColor typeColour(quint64 key)
    {
        const double hue = std::fmod(0.13 + 0.6180339887498949 * double(key), 1.0);
        const double value = key % 2 ? 1.0 : 0.8;
        return QColor::fromHsvF(float(hue), 0.75f, float(value));
    }
};

#endif // DRAWINGSTYLE_H
