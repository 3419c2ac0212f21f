#include "filecontroller.h"
#include "plainmessage.h"
#include "startfolder.h"

#include "modelcheck.h"
#include "projectdata.h"
#include "projectdocument.h"
#include "projectmodel.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

FileController::FileController(QMainWindow *window, ProjectDocument *document)
    : QObject(window), window(window), doc(document)
{
    connect(doc, &ProjectDocument::titleChanged, this, &FileController::updateTitle);
    connect(doc, &ProjectDocument::recentFilesChanged, this, &FileController::updateRecentMenu);
    updateTitle();
}

void FileController::setRecentMenu(QMenu *menu)
{
    recentMenu = menu;
    updateRecentMenu();
}

bool FileController::gridAccepted(qint64 nodes, qint64 members) const
{
    return !gridCheck || gridCheck(nodes, members);
}

void FileController::showFileError(const QString &fileName, const QString &reason)
{
    plainMessage(window, QMessageBox::Critical, tr("Error"),
                 tr("The file \"%1\" could not be written:\n%2").arg(fileName, reason));
}

bool FileController::writeAnalysisFile(const QString &fileName)
{
    QString error;
    if (!doc->writeAnalysis(fileName, &error)) {
        showFileError(fileName, error);
        return false;
    }
    qsizetype warnings = 0;
    for (const ModelCheck::Problem &p : ModelCheck::check(doc->model()->data(), doc->fileName()))
        if (p.severity == ModelCheck::Problem::Warning)
            ++warnings;
    window->statusBar()->showMessage(warnings == 0 ? tr("Generated %1").arg(fileName)
                                                   : tr("Generated %1; %2 warning%3: Tools \u2192 Check Model")
                                                         .arg(fileName)
                                                         .arg(warnings)
                                                         .arg(warnings == 1 ? QString() : QStringLiteral("s")),
                                     5000);
    return true;
}

bool FileController::writeProjectFile(const QString &fileName)
{
    QString error;
    if (!doc->save(fileName, &error)) {
        showFileError(fileName, error);
        return false;
    }
    window->statusBar()->showMessage(tr("Saved %1").arg(fileName), 5000);
    return true;
}

bool FileController::readProjectFile(const QString &fileName)
{
    return readFile(
        fileName, [&](QString *error, const Accept &accept) { return doc->open(fileName, error, accept); },
        tr("The project \"%1\" could not be opened:\n%2"));
}

bool FileController::readAnalysisFile(const QString &fileName)
{
    QStringList warnings;
    const bool read = readFile(
        fileName,
        [&](QString *error, const Accept &accept) { return doc->importAnalysis(fileName, error, accept, &warnings); },
        tr("The analysis file \"%1\" could not be imported:\n%2"));
    if (read && !warnings.isEmpty())
        showImportWarnings(fileName, warnings);
    return read;
}

void FileController::showImportWarnings(const QString &fileName, const QStringList &warnings)
{
    // A long list would not fit the screen: the first ones here, all of them in the details.
    constexpr qsizetype kShown = 20;
    const qsizetype count = warnings.size();
    const QString name = QFileInfo(fileName).fileName();
    QString text = (count == 1 ? tr("\"%1\" was imported with a warning:").arg(name)
                               : tr("\"%1\" was imported with %2 warnings:").arg(name).arg(count))
                   + QStringLiteral("\n\n") + QStringList(warnings.mid(0, kShown)).join(QLatin1Char('\n'));
    QMessageBox box(QMessageBox::Warning, tr("Import Analysis File"), QString(), QMessageBox::Ok, window);
    if (count > kShown) {
        text += QStringLiteral("\n") + tr("\u2026 and %1 more (Show Details\u2026)").arg(count - kShown);
        box.setDetailedText(warnings.join(QLatin1Char('\n')));
    }
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool FileController::readFile(const QString &fileName, const Read &read, const QString &failure)
{
    // A grid the window refuses has been answered already: no second box.
    bool refused = false;
    const auto accept = [&](const ProjectData &data) {
        refused = !gridAccepted(qint64(data.XLines.size()) * data.YLines.size(), data.bars.size());
        return !refused;
    };
    QString error;
    if (!read(&error, accept)) {
        if (!refused)
            plainMessage(window, QMessageBox::Critical, tr("Error"), failure.arg(fileName, error));
        return false;
    }
    emit opened();
    return true;
}

void FileController::generateFile()
{
    const QString missing = ModelCore::completenessMessage(doc->projectData());
    if (!missing.isEmpty()) {
        QMessageBox::critical(nullptr, tr("Error"), missing);
        return;
    }
    generarArchivo();
}

void FileController::generarArchivo()
{
    QFileDialog dialog(window, tr("Generate file"), StartFolder::of(doc->fileName()), tr("Text File (*.txt);;Data File(*.dat)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    // A name typed without an extension takes the chosen filter's.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter.contains(QLatin1String("*.dat")) ? QStringLiteral("dat")
                                                                         : QStringLiteral("txt"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    StartFolder::used(dialog.selectedFiles().first());
    writeAnalysisFile(dialog.selectedFiles().first());
}

QString FileController::askProjectName(const QString &caption)
{
    QFileDialog dialog(window, caption, doc->fileName().isEmpty() ? StartFolder::of(QString()) : doc->fileName(),
                       tr("GUI File (*.kfp)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("kfp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    StartFolder::used(dialog.selectedFiles().first());
    return dialog.selectedFiles().first();
}

bool FileController::saveProject()
{
    const QString fileName = doc->fileName().isEmpty() ? askProjectName(tr("Save project")) : doc->fileName();
    return !fileName.isEmpty() && writeProjectFile(fileName);
}

void FileController::saveFile()
{
    saveProject();
}

void FileController::saveFileAs()
{
    const QString fileName = askProjectName(tr("Save project as"));
    if (!fileName.isEmpty())
        writeProjectFile(fileName);
}

void FileController::openFile()
{
    if (!maybeSave())
        return;
    const QString fileName =
        QFileDialog::getOpenFileName(window, tr("Open project"), StartFolder::of(doc->fileName()), tr("GUI File (*.kfp)"));
    if (fileName.isEmpty())
        return;
    StartFolder::used(fileName);
    readProjectFile(fileName);
}

void FileController::importAnalysisFile()
{
    if (!maybeSave())
        return;
    const QString fileName = QFileDialog::getOpenFileName(window, tr("Import analysis file"), StartFolder::of(doc->fileName()),
                                                          tr("Text File (*.txt);;Data File(*.dat);;All Files (*)"));
    StartFolder::used(fileName);
    if (!fileName.isEmpty())
        readAnalysisFile(fileName);
}

void FileController::openRecentFile(const QString &fileName)
{
    if (!QFileInfo::exists(fileName)) {
        doc->removeRecentFile(fileName);
        plainMessage(window, QMessageBox::Warning, tr("Open Recent"),
                     tr("The project \"%1\" no longer exists; it was taken off the list.").arg(fileName));
        return;
    }
    if (maybeSave())
        readProjectFile(fileName);
}

void FileController::newFile()
{
    if (!maybeSave())
        return;
    emit aboutToClear();
    doc->newProject();
}

bool FileController::maybeSave()
{
    if (!doc->isModified())
        return true;
    // A recovered model's name is plain text, not HTML.
    QMessageBox box(QMessageBox::Warning, tr("Unsaved changes"), tr("Save the changes to %1?").arg(doc->displayName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    const int answer = box.exec();
    if (answer == QMessageBox::Save)
        return saveProject();
    return answer == QMessageBox::Discard;
}

bool FileController::mayClose()
{
    if (!maybeSave())
        return false;
    doc->removeRecovery();
    return true;
}

void FileController::updateTitle()
{
    window->setWindowTitle(doc->displayName() + QStringLiteral("[*] - GUI for Taliskor2D"));
    window->setWindowModified(doc->isModified());
}

void FileController::updateRecentMenu()
{
    if (!recentMenu)
        return;
    recentMenu->clear();
    const QStringList files = doc->recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QAction *a = recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        a->setData(path);
        a->setToolTip(path);
        connect(a, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    recentMenu->setEnabled(!files.isEmpty());
}

bool FileController::offerRecovery()
{
    // The name comes from a file anyone could have put there: never read as HTML.
    const auto ask = [this](const ProjectDocument::Recovery &info) {
        QMessageBox box(QMessageBox::Question, tr("Recover"),
                        tr("Recover the unsaved changes to %1 from %2?")
                            .arg(info.name, QLocale().toString(info.time, QLocale::ShortFormat)),
                        QMessageBox::NoButton, window);
        box.setTextFormat(Qt::PlainText);
        QPushButton *recover = box.addButton(tr("Recover"), QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Discard);
        box.setDefaultButton(recover);
        box.exec();
        return box.clickedButton() == recover;
    };
    const auto unreadable = [this](const ProjectDocument::Recovery &info, const QString &error) {
        QMessageBox box(QMessageBox::Warning, tr("Recover"),
                        tr("The unsaved changes to %1 from %2 cannot be read:\n%3\n\n"
                           "Delete them? Kept, they are not offered again.")
                            .arg(info.name, QLocale().toString(info.time, QLocale::ShortFormat), error),
                        QMessageBox::NoButton, window);
        box.setTextFormat(Qt::PlainText);
        QPushButton *remove = box.addButton(tr("Delete"), QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(tr("Keep"), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == remove;
    };
    return doc->recover(ask, unreadable);
}
