#include "batchgenerate.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstring>
#include <memory>

namespace {

// Batch generation, help and version need no display: they run on a core application.
bool needsNoDisplay(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        if (!std::strcmp(a, "--generate") || !std::strncmp(a, "--generate=", 11) || !std::strcmp(a, "--help")
            || !std::strcmp(a, "-h") || !std::strcmp(a, "--version") || !std::strcmp(a, "-v")
            || !std::strcmp(a, "--help-all"))
            return true;
    }
    return false;
}

void setUpParser(QCommandLineParser &parser, QCommandLineOption &generate)
{
    parser.setApplicationDescription(QStringLiteral(
        "Modelling front end for Taliskor2D. Without options it opens the main window; "
        "given a project file, it opens that project."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(generate);
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("Project file (*.kfp) to open."),
                                 QStringLiteral("[project]"));
}

} // namespace

int main(int argc, char *argv[])
{
    const bool batch = needsNoDisplay(argc, argv);
    std::unique_ptr<QCoreApplication> app(batch ? new QCoreApplication(argc, argv)
                                                : new QApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("taliskor2d-gui"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALISKOR2D_VERSION));

    QCommandLineParser parser;
    QCommandLineOption generate(QStringLiteral("generate"),
                                QStringLiteral("Write the analysis input file of <project> to <output> and exit "
                                               "(exit status 0 written, 1 model incomplete, 2 failure)."),
                                QStringLiteral("project"));
    setUpParser(parser, generate);
    parser.process(*app);

    QTextStream err(stderr);
    if (parser.isSet(generate)) {
        const QStringList rest = parser.positionalArguments();
        if (rest.size() != 1) {
            err << "Usage: taliskor2d-gui --generate PROJECT.kfp OUTPUT.txt" << Qt::endl;
            return BatchGenerate::Failed;
        }
        return BatchGenerate::run(parser.value(generate), rest.first(), err);
    }

    const QStringList rest = parser.positionalArguments();
    if (rest.size() > 1) {
        err << "Give at most one project file." << Qt::endl;
        return BatchGenerate::Failed;
    }
    MainWindow w;
    w.show();
    if (!rest.isEmpty())
        w.readProjectFile(rest.first());
    return app->exec();
}
