#ifndef WINDOWBYTES_H
#define WINDOWBYTES_H

// The bytes the window's model would save and generate, without a file.

#include <QByteArray>
#include <QTextStream>

#include "analysiswriter.h"
#include "mainwindow.h"
#include "projectdata.h"
#include "projectfile.h"

inline QByteArray projectBytes(const MainWindow &w)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    ProjectFile::write(out, w.collectProjectData());
    out.flush();
    return bytes;
}

inline QByteArray analysisBytes(const MainWindow &w)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    AnalysisWriter::write(out, w.collectProjectData());
    out.flush();
    return bytes;
}

#endif // WINDOWBYTES_H
