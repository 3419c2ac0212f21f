#include <QtTest>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <QAction>
#include <QComboBox>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTextBlock>
#include <QUndoStack>

#include "analysisfiledock.h"
#include "bar.h"
#include "mainwindow.h"
#include "node.h"
#include "testmodels.h"
#include "windowbytes.h"

// View → Analysis File shows, live, the bytes Generate writes, and links its
// lines and the model's items both ways through the real widgets.

namespace {

const QString portal = QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp");

// Runs open(); act() runs on the modal dialog it shows, inside its loop, and must close it.
void onModal(const std::function<void()> &open, const std::function<void(QDialog *)> &act)
{
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [act] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            act(d);
    });
    timer.start(0);
    open();
    timer.stop();
}

void click(QWidget *d, const char *button)
{
    auto *b = d->findChild<QPushButton *>(QLatin1String(button));
    if (!b)
        qFatal("missing button %s", button);
    b->click();
}

AnalysisFileDock *dock(const MainWindow &w) { return w.findChild<AnalysisFileDock *>(QStringLiteral("analysisFileDock")); }

QPlainTextEdit *view(const MainWindow &w)
{
    return w.findChild<QPlainTextEdit *>(QStringLiteral("analysisFileView"));
}

// A shown window with the dock shown (by its action) and caught up.
void showDock(MainWindow &w)
{
    w.resize(1200, 800);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAction *act = w.findChild<QAction *>(QStringLiteral("analysisFileAct"));
    QVERIFY(act && act->isCheckable());
    QCOMPARE(act->shortcut(), QKeySequence(Qt::Key_F8));
    act->trigger();
    QVERIFY(dock(w)->isVisible());
}

QByteArray shown(const MainWindow &w)
{
    QCoreApplication::processEvents();
    return view(w)->toPlainText().toUtf8();
}

// Where a line is drawn, scrolled into sight first.
QPoint linePoint(const MainWindow &w, int line)
{
    QPlainTextEdit *v = view(w);
    v->setTextCursor(QTextCursor(v->document()->findBlockByNumber(line)));
    v->centerCursor();
    return v->cursorRect().center() + QPoint(8, 0);
}

QList<int> selectedIds(const MainWindow &w, int type)
{
    QList<int> ids;
    for (QGraphicsItem *item : w.getScene()->selectedItems())
        if (item->type() == type)
            ids << (type == Bar::Type ? static_cast<Bar *>(item)->getId() : static_cast<Node *>(item)->getId());
    std::sort(ids.begin(), ids.end());
    return ids;
}

QList<int> markedLines(const MainWindow &w)
{
    QList<int> lines;
    for (const QTextEdit::ExtraSelection &s : view(w)->extraSelections())
        lines << s.cursor.block().blockNumber();
    return lines;
}

} // namespace

class tst_AnalysisFileDock : public QObject
{
    Q_OBJECT

private slots:
    void followsEveryEdit_data();
    void followsEveryEdit();
    void lineClickSelects_data();
    void lineClickSelects();
    void doubleClickOpensDialogs_data();
    void doubleClickOpensDialogs();
    void selectionMovesTheCursor();
    void marksChangedLinesOnly();
    void bannerNamesWhatIsMissing();
    void findBarInsteadOfTheFindDialog();
    void linesColouredAsTheyComeIntoView();
};

void tst_AnalysisFileDock::followsEveryEdit_data()
{
    using Edit = std::function<void(MainWindow &)>;
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<bool>("step");
    QTest::addRow("create member") << Edit([](MainWindow &w) {
        w.findChild<QAction *>(QStringLiteral("createBarAct"))->setChecked(true);
        w.createBar();
        w.barProcedure(1);
        w.barProcedure(6);
    }) << true;
    QTest::addRow("delete member 1") << Edit([](MainWindow &w) { w.deleteBar(1); }) << true;
    QTest::addRow("node dialog") << Edit([](MainWindow &w) {
        onModal([&] { w.getNodes().at(5)->openDialog(); }, [](QDialog *d) {
            d->findChild<QComboBox *>(QStringLiteral("nf3ComboBox"))->setCurrentIndex(1);
            click(d, "okBtn");
        });
    }) << true;
    QTest::addRow("member's type") << Edit([](MainWindow &w) {
        const Bar *b = w.getBars().at(2);
        w.editBar(b->key(), b->getMTypeId() == 1 ? 2 : 1, b->getNode3(), b->getNode4(), b->getIout());
    }) << true;
    QTest::addRow("control options") << Edit([](MainWindow &w) {
        onModal([&] { w.showControlOptionsDialog(); }, [](QDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("dtLineEdit"))->setText(QStringLiteral("0.005"));
            click(d, "okBtn");
        });
    }) << true;
    QTest::addRow("earthquake") << Edit([](MainWindow &w) {
        onModal([&] { w.showEditQuakeDialog(); }, [](QDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("fileLineEdit"))->setText(QStringLiteral("kobe.txt"));
            click(d, "pushButton");
        });
    }) << true;
    QTest::addRow("weights") << Edit([](MainWindow &w) {
        onModal([&] { w.showEditMassDialog(); }, [](QDialog *d) {
            d->findChild<QTableWidget *>()->item(6, 1)->setText(QStringLiteral("31.5"));
            click(d, "okBtn");
        });
    }) << true;
    QTest::addRow("loads") << Edit([](MainWindow &w) {
        onModal([&] { w.showEditLoadsDialog(); }, [](QDialog *d) {
            d->findChild<QTableWidget *>()->item(3, 1)->setText(QStringLiteral("-12"));
            click(d, "okBtn");
        });
    }) << true;
    QTest::addRow("drift") << Edit([](MainWindow &w) {
        onModal([&] { w.showEditDriftDialog(); }, [](QDialog *d) {
            d->findChild<QComboBox *>()->setCurrentIndex(3);
            click(d, "okBtn");
        });
    }) << true;
    QTest::addRow("member-type dialog") << Edit([](MainWindow &w) {
        onModal([&] { w.showEditMTypeDialog(); }, [](QDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("labelLineEdit"))->setText(QStringLiteral("Column 1"));
            click(d, "okBtn");
            d->reject();
        });
    }) << true;
    QTest::addRow("add member type") << Edit([](MainWindow &w) {
        onModal([&] { w.showEditMTypeDialog(); }, [](QDialog *d) {
            click(d, "addBtn");
            d->reject();
        });
    }) << true;
    QTest::addRow("delete member type 1") << Edit([](MainWindow &w) { w.deleteMType(1); }) << true;
    QTest::addRow("grid") << Edit([](MainWindow &w) {
        TestModels::setGrid(w, {"0", "6", "12", "18", "24"}, w.projectModel()->grid().YLines);
    }) << true;
    QTest::addRow("open") << Edit([](MainWindow &w) {
        QVERIFY(w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/pier-plastic-hinges-shape.kfp")));
    }) << false;
    QTest::addRow("import") << Edit([](MainWindow &w) {
        QVERIFY(w.readAnalysisFile(QStringLiteral(TESTDATA_DIR "/analysis_shape.txt")));
    }) << false;
}

void tst_AnalysisFileDock::followsEveryEdit()
{
    QFETCH(std::function<void(MainWindow &)>, edit);
    QFETCH(bool, step);
    MainWindow w;
    QVERIFY(w.readProjectFile(portal));
    showDock(w);
    QCOMPARE(shown(w), analysisBytes(w));
    const QByteArray before = analysisBytes(w);

    edit(w);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QByteArray after = analysisBytes(w);
    QVERIFY(after != before);
    QCOMPARE(shown(w), after);
    if (!step)
        return;
    QCOMPARE(w.undoStack()->count(), 1);
    w.undoStack()->undo();
    QCOMPARE(shown(w), before);
    w.undoStack()->redo();
    QCOMPARE(shown(w), after);
}

void tst_AnalysisFileDock::lineClickSelects_data()
{
    QTest::addColumn<QString>("part");   // the line's section title
    QTest::addColumn<int>("row");        // rows after the title
    QTest::addColumn<int>("type");       // what is selected
    QTest::addColumn<QList<int>>("ids");
    QTest::addRow("NODES row 6") << "NODES" << 6 << int(Node::Type) << QList<int>{6};
    QTest::addRow("WEIGHTS row 3") << "WEIGHTS" << 3 << int(Node::Type) << QList<int>{3};
    QTest::addRow("LOADS row 9") << "LOADS" << 9 << int(Node::Type) << QList<int>{9};
    QTest::addRow("ELEMENTS row 4") << "ELEMENTS" << 4 << int(Bar::Type) << QList<int>{4};
    QTest::addRow("PROPS block 2") << "2\tFRAME" << 0 << int(Bar::Type) << QList<int>{};
}

void tst_AnalysisFileDock::lineClickSelects()
{
    QFETCH(QString, part);
    QFETCH(int, row);
    QFETCH(int, type);
    QFETCH(QList<int>, ids);
    MainWindow w;
    QVERIFY(w.readProjectFile(portal));
    showDock(w);
    shown(w);
    w.getScene()->clearSelection();
    int line = -1;
    for (QTextBlock b = view(w)->document()->begin(); b.isValid() && line < 0; b = b.next())
        if (b.text().startsWith(part))
            line = b.blockNumber() + row;
    QVERIFY(line >= 0);
    if (ids.isEmpty())
        for (const Bar *b : w.getBars())
            if (b->getMTypeId() == 2)
                ids << b->getId();
    QVERIFY(!ids.isEmpty());
    QTest::mouseClick(view(w)->viewport(), Qt::LeftButton, {}, linePoint(w, line));
    QCOMPARE(selectedIds(w, type), ids);
    QCOMPARE(selectedIds(w, type == Bar::Type ? int(Node::Type) : int(Bar::Type)), QList<int>{});
    // The click's line keeps the cursor.
    QCoreApplication::processEvents();
    QCOMPARE(view(w)->textCursor().blockNumber(), line);
}

void tst_AnalysisFileDock::doubleClickOpensDialogs_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("shownType");   // the member-type dialog's place, or -1
    QTest::addRow("PROPS block 2") << "2\tFRAME" << 1 << "editMTypeDialog" << 1;
    QTest::addRow("PROPS block 1") << "PROPS" << 1 << "editMTypeDialog" << 0;
    QTest::addRow("control line") << "Project by" << 2 << "controlOptionsDialog" << -1;
    QTest::addRow("EQUAKE") << "EQUAKE" << 1 << "editQuakeDialog" << -1;
    QTest::addRow("DRIFT") << "DRIFT" << 0 << "editDriftDialog" << -1;
}

void tst_AnalysisFileDock::doubleClickOpensDialogs()
{
    QFETCH(QString, part);
    QFETCH(int, row);
    QFETCH(QString, dialog);
    QFETCH(int, shownType);
    MainWindow w;
    QVERIFY(w.readProjectFile(portal));
    showDock(w);
    shown(w);
    int line = -1;
    for (QTextBlock b = view(w)->document()->begin(); b.isValid() && line < 0; b = b.next())
        if (b.text().startsWith(part))
            line = b.blockNumber() + row;
    QVERIFY(line >= 0);
    const QPoint at = linePoint(w, line);
    QString opened;
    int place = -2;
    onModal([&] { QTest::mouseDClick(view(w)->viewport(), Qt::LeftButton, {}, at); },
            [&](QDialog *d) {
                opened = QString::fromLatin1(d->metaObject()->className());
                if (auto *m = qobject_cast<editMTypeDialog *>(d))
                    place = m->selectedMType();
                d->reject();
            });
    QCOMPARE(opened, dialog);
    if (shownType >= 0)
        QCOMPARE(place, shownType);
    QCOMPARE(w.undoStack()->count(), 0);
}

void tst_AnalysisFileDock::selectionMovesTheCursor()
{
    MainWindow w;
    QVERIFY(w.readProjectFile(portal));
    showDock(w);
    shown(w);
    const AnalysisText &text = dock(w)->text();
    // A node: its line, and its WEIGHTS and LOADS lines marked with it.
    QVERIFY(w.findItem(false, 7));
    QCoreApplication::processEvents();
    QCOMPARE(view(w)->textCursor().blockNumber(), text.nodeLine(6));
    QCOMPARE(view(w)->textCursor().positionInBlock(), 0);
    QVERIFY(view(w)->textCursor().block().text().startsWith(QLatin1String("7\t")));
    QList<int> expected = QList<int>{text.nodeLine(6)} + text.nodeValueLines(6);
    QCOMPARE(expected.size(), 3);
    QCOMPARE(markedLines(w), expected);
    // A member: its ELEMENTS line.
    QVERIFY(w.findItem(true, 5));
    QCoreApplication::processEvents();
    QCOMPARE(view(w)->textCursor().blockNumber(), text.memberLine(4));
    QCOMPARE(markedLines(w), QList<int>{text.memberLine(4)});
    // Two items: nothing marked, the cursor stays.
    w.getNodes().at(0)->setSelected(true);
    QCoreApplication::processEvents();
    QCOMPARE(markedLines(w), QList<int>{});
    QCOMPARE(view(w)->textCursor().blockNumber(), text.memberLine(4));
}

void tst_AnalysisFileDock::marksChangedLinesOnly()
{
    MainWindow w;
    QVERIFY(w.readProjectFile(portal));
    showDock(w);
    shown(w);
    QCOMPARE(dock(w)->changedLines(), QList<int>{});
    int added = 0;
    connect(view(w)->document(), &QTextDocument::contentsChange, this, [&](int, int, int chars) { added += chars; });

    // One member's type: one line rewritten, and only that one marked.
    const Bar *b = w.getBars().at(3);
    w.editBar(b->key(), b->getMTypeId() == 1 ? 2 : 1, b->getNode3(), b->getNode4(), b->getIout());
    shown(w);
    const int line = dock(w)->text().memberLine(3);
    QCOMPARE(dock(w)->changedLines(), QList<int>{line});
    QCOMPARE(markedLines(w), QList<int>{line});
    QVERIFY2(added < 40, qPrintable(QString::number(added)));

    // The next step's lines replace the marks; a burst of steps refreshes once.
    const QList<Node *> nodes = w.getNodes();
    int changes = 0;
    connect(view(w)->document(), &QTextDocument::contentsChange, this, [&] { ++changes; });
    NodeRecord n = *w.projectModel()->node(nodes.at(1)->key());
    n.nf1 = 1 - n.nf1;
    w.editNode(n);
    n = *w.projectModel()->node(nodes.at(4)->key());
    n.nf2 = 1 - n.nf2;
    w.editNode(n);
    QCOMPARE(changes, 0);
    shown(w);
    QCOMPARE(changes, 1);
    const QList<int> two{dock(w)->text().nodeLine(1), dock(w)->text().nodeLine(4)};
    QCOMPARE(dock(w)->changedLines(), two);
    QCOMPARE(markedLines(w), two);

    // Hidden, the dock does nothing; shown again, it catches up.
    dock(w)->hide();
    w.undoStack()->undo();
    QCoreApplication::processEvents();
    QCOMPARE(changes, 1);
    dock(w)->show();
    QCOMPARE(shown(w), analysisBytes(w));
}

void tst_AnalysisFileDock::bannerNamesWhatIsMissing()
{
    MainWindow w;
    showDock(w);
    shown(w);
    auto *banner = w.findChild<QLabel *>(QStringLiteral("analysisFileBanner"));
    QVERIFY(banner && banner->isVisible());
    const QString missing = ModelCore::completenessMessage(w.collectProjectData());
    QVERIFY(!missing.isEmpty());
    QVERIFY2(banner->text().contains(missing), qPrintable(banner->text()));
    QCOMPARE(shown(w), analysisBytes(w));
    QVERIFY(!view(w)->isAncestorOf(banner));
    // The link shows the model's problems.
    emit banner->linkActivated(QStringLiteral("check"));
    QVERIFY(w.findChild<QDockWidget *>(QStringLiteral("checkDock"))->isVisible());

    QVERIFY(w.readProjectFile(portal));
    shown(w);
    QCOMPARE(ModelCore::completenessMessage(w.collectProjectData()), QString());
    QVERIFY(!banner->isVisible());
}

void tst_AnalysisFileDock::findBarInsteadOfTheFindDialog()
{
    MainWindow w;
    QVERIFY(w.readProjectFile(portal));
    showDock(w);
    shown(w);
    // One Ctrl+F in the whole window.
    int ctrlF = 0;
    for (const QAction *a : w.findChildren<QAction *>())
        ctrlF += a->shortcuts().contains(QKeySequence(QKeySequence::Find));
    for (const QShortcut *s : w.findChildren<QShortcut *>())
        ctrlF += s->key() == QKeySequence(QKeySequence::Find);
    QCOMPARE(ctrlF, 1);

    view(w)->setFocus();
    QTRY_VERIFY(view(w)->hasFocus());
    QAction *find = w.findChild<QAction *>(QStringLiteral("findAct"));
    find->trigger();
    auto *edit = w.findChild<QLineEdit *>(QStringLiteral("analysisFindEdit"));
    QVERIFY(edit->isVisible());
    QTRY_VERIFY(edit->hasFocus());
    // Upper case in the text: found as typed.
    QTest::keyClicks(edit, QStringLiteral("FRAME"));
    QTest::keyClick(edit, Qt::Key_Return);
    const int first = view(w)->textCursor().blockNumber();
    QVERIFY(view(w)->textCursor().block().text().startsWith(QLatin1String("1\tFRAME")));
    QTest::keyClick(edit, Qt::Key_F3);
    const int second = view(w)->textCursor().blockNumber();
    QVERIFY(second > first);
    QVERIFY(view(w)->textCursor().block().text().contains(QLatin1String("FRAME")));
    QTest::keyClick(edit, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(view(w)->textCursor().blockNumber(), first);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!edit->isVisible());
}

void tst_AnalysisFileDock::linesColouredAsTheyComeIntoView()
{
    MainWindow w;
    QVERIFY(w.readProjectFile(portal));
    showDock(w);
    QPlainTextEdit *text = view(w);
    const auto coloured = [&](const QString &start) {
        for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next())
            if (b.text().startsWith(start))
                return !b.layout()->formats().isEmpty();
        return false;
    };
    QTRY_VERIFY(coloured(QStringLiteral("NODES")));
    // The last lines wait until they are scrolled to.
    QVERIFY(!coloured(QStringLiteral("EQUAKE")));
    text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
    QTRY_VERIFY(coloured(QStringLiteral("EQUAKE")));
}

QTEST_MAIN(tst_AnalysisFileDock)
#include "tst_analysisfiledock.moc"

