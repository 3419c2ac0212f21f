#include "outputfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace OutputFile {

namespace {

bool statFile(const QString &fileName, struct stat &st)
{
    return ::stat(QFile::encodeName(fileName).constData(), &st) == 0;
}

// QFileDevice often says only "Unknown error" where errno knows better.
QString reasonOf(const QFileDevice &file, int errorNumber)
{
    const QString text = file.errorString();
    if (errorNumber != 0 && (text.isEmpty() || text == QLatin1String("Unknown error")))
        return systemReason(errorNumber);
    return text;
}

// What goes into the file: the text a stream is filled with, or bytes as they are.
using Emit = std::function<bool(QFileDevice &)>;

Emit textEmit(const std::function<void(QTextStream &)> &fill)
{
    return [&fill](QFileDevice &file) {
        QTextStream out(&file);
        fill(out);
        out.flush();
        return out.status() == QTextStream::Ok;
    };
}

// Pushes every byte to the device; errno is read right after the failing
// call, before anything else can change it.
bool fillDevice(QFileDevice &file, const Emit &put, QString *reason)
{
    errno = 0;
    bool ok = put(file);
    int errorNumber = errno;
    ok = ok && file.error() == QFileDevice::NoError;
    if (ok && !file.flush()) {
        errorNumber = errno;
        ok = false;
    }
    if (!ok)
        *reason = reasonOf(file, errorNumber);
    return ok;
}

// Pipes, terminals and devices are written as they are: replacing them by a
// regular file would destroy them (a device node, when run as root).
bool writeInPlace(QFile &file, const Emit &fill, QString *reason)
{
    if (!fillDevice(file, fill, reason))
        return false;
    errno = 0;
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *reason = reasonOf(file, errno);
        return false;
    }
    return true;
}

bool writeAtomically(const QString &fileName, bool exists, const Emit &fill, QIODevice::OpenMode mode,
                     QString *reason)
{
    // QSaveFile refuses an existing file it may not write in words of its own
    // ("Existing file … is not writable"); the system says why (a read-only
    // file system, an immutable file).
    if (exists && ::access(QFile::encodeName(fileName).constData(), W_OK) != 0) {
        *reason = systemReason(errno);
        return false;
    }
    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(mode)) {
        const QString why = reasonOf(file, errno);
        // The file itself could be written: it was the temporary file beside it that failed.
        *reason = exists ? noTemporaryFileMessage(fileName, why) : why;
        return false;
    }
    if (!fillDevice(file, fill, reason)) {
        file.cancelWriting();
        return false;
    }
    errno = 0;
    if (!file.commit()) {
        *reason = reasonOf(file, errno);
        return false;
    }
    return true;
}

bool writeWith(const QString &fileName, const Emit &fill, QIODevice::OpenMode mode, QString *error)
{
    QString reason;
    bool ok = false;
    struct stat st;
    if (fileName.isEmpty()) {
        reason = QStringLiteral("No file name was given.");
    } else if (fileName == QLatin1String("-")) {
        QFile file;
        if (file.open(STDOUT_FILENO, mode, QFileDevice::DontCloseHandle))
            ok = writeInPlace(file, fill, &reason);
        else
            reason = reasonOf(file, errno);
    } else if (statFile(fileName, st)) {
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
            QFile file(fileName);
            errno = 0;
            if (file.open(mode))
                ok = writeInPlace(file, fill, &reason);
            else
                reason = reasonOf(file, errno);
        } else if (S_ISDIR(st.st_mode)) {
            reason = systemReason(EISDIR);
        } else if (!S_ISREG(st.st_mode)) {
            reason = QStringLiteral("Not a regular file, a FIFO or a character device: left as it is.");
        } else {
            ok = writeAtomically(fileName, true, fill, mode, &reason);
        }
    } else if (errno == ENOENT) {
        ok = writeAtomically(fileName, false, fill, mode, &reason);
    } else {
        reason = systemReason(errno); // a loop of symbolic links, a file used as a folder …
    }
    if (error)
        *error = ok ? QString() : reason;
    return ok;
}

} // namespace

bool sameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    if (!ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath())
        return true;
    struct stat sa, sb;
    return statFile(a, sa) && statFile(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool write(const QString &fileName, const std::function<void(QTextStream &)> &fill, QString *error)
{
    return writeWith(fileName, textEmit(fill), QIODevice::WriteOnly | QIODevice::Text | QIODevice::Unbuffered,
                     error);
}

bool writeBytes(const QString &fileName, const QByteArray &bytes, QString *error)
{
    const Emit put = [&bytes](QFileDevice &file) { return file.write(bytes) == bytes.size(); };
    return writeWith(fileName, put, QIODevice::WriteOnly | QIODevice::Unbuffered, error);
}

QString systemReason(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString noTemporaryFileMessage(const QString &fileName, const QString &reason)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
    return QStringLiteral("No temporary file could be made in the folder %1 (%2), so the file was not replaced.")
        .arg(folder, reason);
}

} // namespace OutputFile
