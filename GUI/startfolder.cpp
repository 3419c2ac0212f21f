#include "startfolder.h"

#include <QFileInfo>

namespace {
QString &lastFolder()
{
    static QString folder;
    return folder;
}
}

QString StartFolder::of(const QString &projectFile)
{
    if (!projectFile.isEmpty())
        return QFileInfo(projectFile).absolutePath();
    return lastFolder();
}

void StartFolder::used(const QString &fileName)
{
    if (!fileName.isEmpty())
        lastFolder() = QFileInfo(fileName).absolutePath();
}
