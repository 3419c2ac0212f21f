#ifndef STARTFOLDER_H
#define STARTFOLDER_H

#include <QString>

// Where the file dialogs start: the current project's folder, else the
// folder last used in this session, else empty (the current folder).
namespace StartFolder {
QString of(const QString &projectFile);
// A file chosen in any of the dialogs: its folder is the last used.
void used(const QString &fileName);
}

#endif // STARTFOLDER_H
