#include "batchgenerate.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSet>
#include <QStringDecoder>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Argument bytes that are not UTF-8 become U+DC80..U+DCFF, which no UTF-8
// text decodes to: such a name is then recognised wherever the parser puts it,
// and is never opened or written under the replacement characters Qt would
// otherwise put in its place.
QString decodeArgument(const char *arg)
{
    const QByteArray raw(arg);
    const auto flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    QStringDecoder strict(QStringDecoder::Utf8, flags);
    const QString text = strict(raw);
    if (!strict.hasError())
        return text;
    QString kept;
    for (qsizetype i = 0; i < raw.size();) {
        const uchar lead = uchar(raw.at(i));
        const qsizetype n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        QStringDecoder one(QStringDecoder::Utf8, flags);
        const QString c = one(raw.mid(i, n));
        if (!one.hasError() && !c.isEmpty()) {
            kept += c;
            i += n;
        } else {
            kept += QChar(ushort(0xDC00 + lead));
            ++i;
        }
    }
    return kept;
}

// The name with its undecodable bytes written as \xE9; empty when it has none.
QString undecodableName(const QString &name)
{
    QString shown;
    bool found = false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isLowSurrogate() && (i == 0 || !name.at(i - 1).isHighSurrogate())) {
            shown += QStringLiteral("\\x") + QString::number(c.unicode() & 0xFF, 16).toUpper();
            found = true;
        } else {
            shown += c;
        }
    }
    return found ? shown : QString();
}

// Options QApplication and its platform plugin take for themselves. They are
// left out of our own parsing, which runs before any application exists: the
// kind of application (with or without a display) depends on its result.
QStringList withoutToolkitOptions(int argc, char *argv[], bool *platformGiven)
{
    static const QSet<QString> withValue = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "display", "style", "stylesheet",
        "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "session", "name"};
    static const QSet<QString> flags = {"reverse", "nograb", "dograb", "widgetcount", "testability"};
    QStringList args;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const QString arg = decodeArgument(argv[i]);
        optionsEnded = optionsEnded || arg == QLatin1String("--");
        // Qt accepts "-style" and "--style", and "-style=Fusion".
        QString name = arg.startsWith(QLatin1String("--")) ? arg.mid(2) : arg.mid(1);
        const bool joined = name.contains(QLatin1Char('='));
        name = name.section(QLatin1Char('='), 0, 0);
        if (i == 0 || optionsEnded || !arg.startsWith(QLatin1Char('-'))) {
            args << arg;
        } else if (withValue.contains(name)) {
            *platformGiven = *platformGiven || name == QLatin1String("platform");
            if (!joined)
                ++i;
        } else if (!flags.contains(name)) {
            args << arg;
        }
    }
    return args;
}

// Qt aborts when it finds no display; say so plainly instead, where it is certain.
bool noDisplay(bool platformGiven)
{
    return !platformGiven && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
           && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

struct Commands {
    QCommandLineOption generate, check, import, record, spectrum, damping;
};

// The damping of --spectrum as a percentage, 0 <= P < 100; -1 when not such a number.
double dampingPercent(const QString &text)
{
    bool ok = false;
    const double p = text.trimmed().toDouble(&ok);
    return ok && p >= 0.0 && p < 100.0 ? p : -1.0;
}

// Empty when the command line is well formed, else what is wrong with it.
QString parse(QCommandLineParser &parser, const Commands &c, const QStringList &args)
{
    const QCommandLineOption &generate = c.generate, &check = c.check, &import = c.import;
    if (!parser.parse(args))
        return parser.errorText();
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))
        || parser.isSet(QStringLiteral("version")))
        return QString(); // whatever else was given, as QCommandLineParser::process() does
    const qsizetype positional = parser.positionalArguments().size();
    if (parser.values(generate).size() > 1)
        return QStringLiteral("'--generate' was given more than once.");
    if (parser.values(check).size() > 1)
        return QStringLiteral("'--check' was given more than once.");
    if (parser.values(import).size() > 1)
        return QStringLiteral("'--import' was given more than once.");
    for (const QCommandLineOption *o : {&c.record, &c.spectrum, &c.damping})
        if (parser.values(*o).size() > 1)
            return QStringLiteral("'--%1' was given more than once.").arg(o->names().first());
    // --record and --spectrum each stand alone: one project, no other command.
    const int commands = int(parser.isSet(generate)) + int(parser.isSet(check)) + int(parser.isSet(import))
                         + int(parser.isSet(c.record)) + int(parser.isSet(c.spectrum));
    for (const QCommandLineOption *o : {&c.record, &c.spectrum}) {
        if (!parser.isSet(*o))
            continue;
        if (commands > 1)
            return QStringLiteral("'--%1' cannot be given with another command.").arg(o->names().first());
        if (positional != 0)
            return QStringLiteral("'--%1' takes one project.").arg(o->names().first());
    }
    if (parser.isSet(c.damping) && !parser.isSet(c.spectrum))
        return QStringLiteral("'--damping' is given only with '--spectrum'.");
    if (parser.isSet(c.damping) && dampingPercent(parser.value(c.damping)) < 0.0)
        return QStringLiteral("'--damping' takes a percentage from 0 to below 100.");
    if (parser.isSet(check) && parser.isSet(generate))
        return QStringLiteral("'--check' and '--generate' cannot be given together.");
    if (parser.isSet(import) && (parser.isSet(check) || parser.isSet(generate)))
        return QStringLiteral("'--import' cannot be given with '--check' or '--generate'.");
    if (parser.isSet(import) && positional != 1)
        return positional == 0 ? QStringLiteral("'--import' needs the project file to write after the analysis file.")
                               : QStringLiteral("'--import' takes one analysis file and one project file.");
    if (parser.isSet(check) && positional != 0)
        return QStringLiteral("'--check' takes one project.");
    if (parser.isSet(generate) && positional != 1)
        return positional == 0 ? QStringLiteral("'--generate' needs the output file after the project.")
                               : QStringLiteral("'--generate' takes one project and one output file.");
    if (commands == 0 && positional > 1)
        return QStringLiteral("Give at most one project file.");
    return QString();
}

// The first file argument whose name is not UTF-8, as shown; empty when none.
QString undecodableFile(const QCommandLineParser &parser, const Commands &c)
{
    QStringList files = parser.positionalArguments();
    for (const QCommandLineOption *o : {&c.generate, &c.check, &c.import, &c.record, &c.spectrum})
        files += parser.values(*o);
    for (const QString &f : files)
        if (const QString shown = undecodableName(f); !shown.isEmpty())
            return shown;
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    // A reader that stops early (| head) makes writes fail with EPIPE, which
    // is reported and ends with 2, instead of killing the program.
    std::signal(SIGPIPE, SIG_IGN);
    // A closed standard output would be taken by the next file opened, and the
    // output written into it: hold the place with a descriptor writes fail on.
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", O_RDONLY);
    QCoreApplication::setApplicationName(QStringLiteral("taliskor2d-gui"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALISKOR2D_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Modelling front end for Taliskor2D. Without options it opens the main window; "
        "given a project file, it opens that project."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption generate(QStringLiteral("generate"),
                                QStringLiteral("Write the analysis input file of <project> to the output file "
                                               "given after it (\"-\": standard output) and exit (exit status 0 "
                                               "written, 1 model incomplete, 2 failure or usage error)."),
                                QStringLiteral("project"));
    parser.addOption(generate);
    QCommandLineOption check(QStringLiteral("check"),
                             QStringLiteral("List the problems of <project> on standard output, one a line, then "
                                            "a count, and exit (exit status 0 none found, 1 problems found, 2 "
                                            "failure or usage error)."),
                             QStringLiteral("project"));
    parser.addOption(check);
    QCommandLineOption import(QStringLiteral("import"),
                              QStringLiteral("Make a model of the analysis input file <analysis>, save it as the "
                                             "project file given after it (\"-\": standard output) and exit (exit "
                                             "status 0 written, 2 file refused, failure or usage error)."),
                              QStringLiteral("analysis"));
    parser.addOption(import);
    QCommandLineOption record(QStringLiteral("record"),
                              QStringLiteral("Print the earthquake record of <project> as the analysis reads it, "
                                             "one line per sample (time_s,acceleration_g), and exit (exit status 0 "
                                             "printed, 2 project or record unreadable, or usage error)."),
                              QStringLiteral("project"));
    parser.addOption(record);
    QCommandLineOption spectrum(QStringLiteral("spectrum"),
                                QStringLiteral("Print the response spectrum of the earthquake record of <project>, "
                                               "one line per period from 0.01 s to 10 s (period_s,sa_g), and exit "
                                               "(exit status as --record)."),
                                QStringLiteral("project"));
    parser.addOption(spectrum);
    QCommandLineOption damping(QStringLiteral("damping"),
                               QStringLiteral("The damping of --spectrum in percent of critical, 0 to below 100 "
                                              "(default 5)."),
                               QStringLiteral("percent"));
    parser.addOption(damping);
    const Commands commands{generate, check, import, record, spectrum, damping};
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("Project file (*.kfp) to open."),
                                 QStringLiteral("[project]"));
    bool platformGiven = false;
    const QStringList args = withoutToolkitOptions(argc, argv, &platformGiven);
    const QString usageError = parse(parser, commands, args);
    const bool helpOrVersion = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))
                               || parser.isSet(QStringLiteral("version"));
    const QString undecodable = usageError.isEmpty() && !helpOrVersion ? undecodableFile(parser, commands) : QString();
    if (!undecodable.isEmpty()) {
        QTextStream(stderr) << undecodable << ": the file name is not valid UTF-8" << Qt::endl;
        return BatchGenerate::Failed;
    }

    // Only the main window needs a display.
    const bool window = usageError.isEmpty() && !helpOrVersion && !parser.isSet(generate) && !parser.isSet(check)
                        && !parser.isSet(import) && !parser.isSet(record) && !parser.isSet(spectrum);
    if (window && noDisplay(platformGiven)) {
        QTextStream(stderr) << "taliskor2d-gui: no display to open the window on "
                               "(--generate PROJECT OUTPUT writes the analysis input file without one)."
                            << Qt::endl;
        return BatchGenerate::Failed;
    }
    std::unique_ptr<QCoreApplication> app(window ? new QApplication(argc, argv) : new QCoreApplication(argc, argv));

    QTextStream err(stderr);
    if (!usageError.isEmpty()) {
        err << QCoreApplication::applicationName() << ": " << usageError << "\n\n" << parser.helpText();
        err.flush();
        return BatchGenerate::Failed;
    }
    if (parser.isSet(QStringLiteral("help-all")) && !parser.isSet(QStringLiteral("version")))
        parser.process(args); // prints Qt's options too, and exits with 0
    if (helpOrVersion) {
        // As QCommandLineParser::process() prints them, with a failed write reported.
        QTextStream out(stdout);
        if (parser.isSet(QStringLiteral("version")))
            out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        else
            out << parser.helpText();
        return BatchGenerate::finishOutput(out, err, BatchGenerate::Success);
    }
    if (parser.isSet(generate))
        return BatchGenerate::run(parser.value(generate), parser.positionalArguments().first(), err);
    if (parser.isSet(import))
        return BatchGenerate::importAnalysis(parser.value(import), parser.positionalArguments().first(), err);
    if (parser.isSet(record) || parser.isSet(spectrum)) {
        QTextStream out(stdout);
        if (parser.isSet(record))
            return BatchGenerate::printRecord(parser.value(record), out, err);
        const double percent = parser.isSet(damping) ? dampingPercent(parser.value(damping)) : 5.0;
        return BatchGenerate::printSpectrum(parser.value(spectrum), percent, out, err);
    }
    if (parser.isSet(check)) {
        QTextStream out(stdout);
        return BatchGenerate::check(parser.value(check), out, err);
    }

    MainWindow w;
    w.show();
    // Changes a killed program left behind come first.
    const bool recovered = w.offerRecovery();
    if (!recovered && !parser.positionalArguments().isEmpty())
        w.readProjectFile(parser.positionalArguments().first());
    return app->exec();
}
