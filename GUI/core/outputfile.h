#ifndef OUTPUTFILE_H
#define OUTPUTFILE_H

// Writing an output file without destroying anything: shared by the analysis
// input file, the project file and the command line. QtCore only.

#include <QByteArray>
#include <QString>

#include <functional>

class QTextStream;

namespace OutputFile {

// True when both names lead to one existing file: the same canonical path
// (symbolic links and "./" resolved) or the same device and inode (a hard
// link). False when either cannot be found.
bool sameFile(const QString &a, const QString &b);

// Writes the text `fill` puts on the stream (in text mode) to `fileName`.
// - A new or regular file is replaced atomically (QSaveFile): on any failure
//   an existing file is left as it was.
// - An existing FIFO or character device (a pipe, a terminal, /dev/null) is
//   opened and written in place, never replaced.
// - "-" is standard output.
// - Any other kind of file (a folder, a block device, a socket) is refused.
// On failure returns false and sets *error to the reason in words, the
// system's own where it gave one ("No space left on device").
bool write(const QString &fileName, const std::function<void(QTextStream &)> &fill,
           QString *error = nullptr);

// The same for bytes written as they are (a picture).
bool writeBytes(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);

// The system's words for an errno value ("Too many levels of symbolic links").
QString systemReason(int errorNumber);

// The message when an existing file could not be replaced because no
// temporary file could be made beside it: the file may be writable while its
// folder is not, so the system's reason alone ("Permission denied") misleads.
QString noTemporaryFileMessage(const QString &fileName, const QString &reason);

} // namespace OutputFile

#endif // OUTPUTFILE_H
