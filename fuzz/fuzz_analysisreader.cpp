// libFuzzer target for the analysis file importer: any byte string must
// either be refused with a line and a reason, or give a model whose analysis
// file imports again to the very same file, and that saves as a project that
// reopens.

#include "analysisreader.h"
#include "analysiswriter.h"
#include "projectdata.h"
#include "projectfile.h"

#include <QByteArray>
#include <QString>
#include <QTextStream>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The model as read holds what the window's model would (counts, drift ids).
static QByteArray analysisText(const ProjectData &data)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    AnalysisWriter::write(out, data);
    out.flush();
    return bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(bytes), qsizetype(size));
    ProjectData data;
    QString error;
    if (!AnalysisReader::read(content, data, &error)) {
        if (!error.startsWith(QLatin1String("Line "))) {
            std::fprintf(stderr, "refused without a line: %s\n", qPrintable(error));
            std::abort();
        }
        return 0;
    }

    // What was accepted must save as a project that reopens.
    QByteArray project;
    {
        QTextStream out(&project);
        ProjectFile::write(out, data);
    }
    ProjectData reopened;
    if (!ProjectFile::read(project, reopened, &error)) {
        std::fprintf(stderr, "imported model does not reopen as a project: %s\n", qPrintable(error));
        std::abort();
    }

    // And its analysis file must import to itself.
    const QByteArray first = analysisText(data);
    ProjectData again;
    if (!AnalysisReader::read(first, again, &error)) {
        std::fprintf(stderr, "generated file is refused: %s\n", qPrintable(error));
        std::abort();
    }
    if (analysisText(again) != first) {
        std::fprintf(stderr, "generate, import and generate again changes the file\n");
        std::abort();
    }
    return 0;
}
