#include "imagefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ImageFiles {

QString path(const QString &relativeName)
{
    if (QFileInfo::exists(relativeName))
        return relativeName;
    if (QCoreApplication::instance()) {
        const QDir appDir(QCoreApplication::applicationDirPath());
        const QStringList candidates = {
            appDir.filePath(relativeName),
            appDir.filePath(QStringLiteral("../share/taliskor2d-gui/") + relativeName),
        };
        for (const QString &candidate : candidates) {
            if (QFileInfo::exists(candidate))
                return QDir::cleanPath(candidate);
        }
    }
    return relativeName;
}

} // namespace ImageFiles
