// libFuzzer target for the project reader: any byte string must either be
// refused with a message or give a model that can be written again (as a
// project and as an analysis file) and read back to the same project text.

#include "analysiswriter.h"
#include "projectdata.h"
#include "projectfile.h"

#include <QByteArray>
#include <QString>
#include <QTextStream>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

static QByteArray projectText(const ProjectData &data)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    ProjectFile::write(out, data);
    out.flush();
    return bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(bytes), qsizetype(size));
    ProjectData data;
    QString error;
    if (!ProjectFile::read(content, data, &error)) {
        if (error.isEmpty()) {
            std::fprintf(stderr, "refused without a message\n");
            std::abort();
        }
        return 0;
    }

    // What was accepted must survive a save and a reopen unchanged.
    const QByteArray first = projectText(data);
    ProjectData again;
    if (!ProjectFile::read(first, again, &error)) {
        std::fprintf(stderr, "saved project does not reopen: %s\n", qPrintable(error));
        std::abort();
    }
    const QByteArray second = projectText(again);
    if (first != second) {
        std::fprintf(stderr, "save, reopen and save again changes the project\n");
        std::abort();
    }

    // Generating must not trip over anything the reader let through.
    if (ModelCore::completenessMessage(data).isEmpty()) {
        QByteArray analysis;
        QTextStream out(&analysis);
        AnalysisWriter::write(out, data);
        out.flush();
    }
    return 0;
}
