#ifndef IMAGEFILES_H
#define IMAGEFILES_H

#include <QString>

namespace ImageFiles {
// Path of a run-time image such as "libs/open.dll": the working directory's libs/
// first, then libs/ beside the program, then the installed share folder. Returns the
// relative name when none exists, so a missing image just gives no picture.
QString path(const QString &relativeName);
}

#endif // IMAGEFILES_H
