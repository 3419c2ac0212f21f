#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "bar.h"
#include "mainwindow.h"
#include "node.h"

// Edit → Find leads to an item; File → Export Picture writes the whole model.

class tst_MainWindowExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void find_data();
    void find();
    void picture_data();
    void picture();
    void pictureFailures_data();
    void pictureFailures();

private:
    MainWindow *w = nullptr;
};

void tst_MainWindowExport::init()
{
    w = new MainWindow;
    w->resize(1000, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QVERIFY(w->readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")));
}

void tst_MainWindowExport::cleanup()
{
    delete w;
    w = nullptr;
}

void tst_MainWindowExport::find_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("refusal");
    QTest::addRow("node") << 0 << "10" << "";
    QTest::addRow("member") << 1 << "6" << "";
    QTest::addRow("no such member") << 1 << "29" << "There is no member 29: the numbers run from 1 to 28.";
    QTest::addRow("node 0") << 0 << "0" << "There is no node 0: the numbers run from 1 to 20.";
    QTest::addRow("empty") << 0 << "" << "Type the number of the node to find.";
}

void tst_MainWindowExport::find()
{
    QFETCH(int, kind);
    QFETCH(QString, number);
    QFETCH(QString, refusal);
    QCOMPARE(w->getNodes().size(), 20);
    QCOMPARE(w->getBars().size(), 28);
    for (int i = 0; i < 8; ++i)
        w->zoomIn();
    auto *find = w->findChild<QAction *>(QStringLiteral("findAct"));
    QVERIFY(find);
    QCOMPARE(find->shortcut(), QKeySequence(QKeySequence::Find));

    QString said;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QComboBox *>(QStringLiteral("kindCBox"))->setCurrentIndex(kind);
        dialog->findChild<QLineEdit *>(QStringLiteral("numberLineEdit"))->setText(number);
        if (!refusal.isEmpty()) {
            QTimer::singleShot(0, this, [&, dialog] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                said = box->text();
                box->accept();
                dialog->reject();
            });
        }
        dialog->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    });
    w->getScene()->clearSelection();
    find->trigger();
    QCOMPARE(said, refusal);

    const QList<QGraphicsItem *> selected = w->getScene()->selectedItems();
    if (!refusal.isEmpty()) {
        QVERIFY(selected.isEmpty());
        return;
    }
    QCOMPARE(selected.size(), 1);
    const int n = number.toInt();
    QGraphicsItem *target = kind == 0 ? static_cast<QGraphicsItem *>(w->getNodes().at(n - 1))
                                      : static_cast<QGraphicsItem *>(w->getBars().at(n - 1));
    QCOMPARE(selected.first(), target);
    auto *view = w->findChild<QGraphicsView *>(QStringLiteral("gridView"));
    const QPoint centre = view->mapFromScene(target->sceneBoundingRect().center());
    QVERIFY((centre - view->viewport()->rect().center()).manhattanLength() < 4);
}

void tst_MainWindowExport::picture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("black");
    QTest::addRow("png") << "model.png" << false;
    QTest::addRow("png on black") << "model.PNG" << true;
    QTest::addRow("svg") << "model.svg" << false;
    QTest::addRow("pdf") << "model.pdf" << false;
}

void tst_MainWindowExport::picture()
{
    QFETCH(QString, name);
    QFETCH(bool, black);
    // Only a part of the model is in view: the picture still holds all of it.
    for (int i = 0; i < 6; ++i)
        w->zoomIn();
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(w->exportPicture(path, black));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QRectF model = w->getScene()->itemsBoundingRect();
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        QImage image;
        QVERIFY(image.loadFromData(bytes, "PNG"));
        // 2400 pixels wide unless another width is asked; the height in proportion.
        QCOMPARE(image.width(), 2400);
        QVERIFY(qAbs(image.height() - 2400.0 * (model.height() + 40) / (model.width() + 40)) <= 2);
        QCOMPARE(QColor(image.pixel(1, 1)), black ? QColor(Qt::black) : QColor(Qt::white));
    } else if (suffix == QLatin1String("svg")) {
        // Members are the only lines drawn with their 7-unit pen, set on the group around each.
        QXmlStreamReader xml(bytes);
        QList<bool> memberGroup{false};
        int memberLines = 0;
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                const auto width = xml.attributes().value(QLatin1String("stroke-width"));
                memberGroup.append(width.isEmpty() ? memberGroup.last() : width == QLatin1String("7"));
                if ((xml.name() == QLatin1String("line") || xml.name() == QLatin1String("polyline"))
                    && memberGroup.last())
                    ++memberLines;
            } else if (token == QXmlStreamReader::EndElement) {
                memberGroup.removeLast();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(memberLines, 28);
    } else {
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page>")
                     + bytes.count("/Type /Page "), 1);
    }
}

void tst_MainWindowExport::pictureFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::addRow("unknown type") << "model.bmp" << "Unknown picture type: name the file .png, .svg or .pdf.";
    QTest::addRow("missing folder") << "missing/model.png" << "No such file or directory";
    QTest::addRow("a folder") << "folder.svg" << "Is a directory";
}

void tst_MainWindowExport::pictureFailures()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.svg")));
    const QString path = dir.filePath(name);
    QString said;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        said = box->text();
        box->accept();
    });
    QVERIFY(!w->exportPicture(path));
    QVERIFY2(said.endsWith(reason), qPrintable(said));
    QVERIFY(!QFileInfo(path).isFile());
}

QTEST_MAIN(tst_MainWindowExport)
#include "tst_mainwindow_export.moc"
