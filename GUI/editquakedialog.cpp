#include "editquakedialog.h"
#include "plainmessage.h"
#include "startfolder.h"
#include "ui_editquakedialog.h"

#include "fieldtext.h"
#include "numberfield.h"
#include "outputfile.h"
#include "shownvalue.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Whoever types waits no longer than this for the plots to follow.
constexpr int kPauseMs = 300;

QChartView *chartView(const QString &name, const QString &xTitle, bool logX, QWidget *parent)
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    QAbstractAxis *x;
    if (logX) {
        auto *axis = new QLogValueAxis;
        axis->setBase(10.0);
        axis->setRange(ResponseSpectrum::period(0), ResponseSpectrum::period(ResponseSpectrum::kPeriods - 1));
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setMinorTickCount(8);
        x = axis;
    } else {
        x = new QValueAxis;
    }
    x->setTitleText(xTitle);
    chart->addAxis(x, Qt::AlignBottom);
    auto *y = new QValueAxis;
    chart->addAxis(y, Qt::AlignLeft);
    auto *view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    // A dragged box zooms in; Reset zoom goes back.
    view->setRubberBand(QChartView::RectangleRubberBand);
    return view;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

// Points of the samples from..to (s): all of them when few, else the least and
// the greatest of each of `buckets` runs, in time order, so that no peak is lost.
// A line of 60,000 points takes Qt Charts half a second to lay out; this takes
// a few milliseconds, and a zoom asks again for the part it shows.
QList<QPointF> envelope(const std::vector<double> &g, double dt, double from, double to, int buckets)
{
    QList<QPointF> points;
    if (g.empty() || !(dt > 0.0))
        return points;
    const double n = double(g.size() - 1);
    const size_t first = size_t(std::clamp(std::floor(from / dt), 0.0, n));
    const size_t last = size_t(std::clamp(std::ceil(to / dt), 0.0, n));
    if (last < first)
        return points;
    const size_t count = last - first + 1;
    if (count <= size_t(2 * buckets)) {
        points.reserve(qsizetype(count));
        for (size_t i = first; i <= last; ++i)
            points.append(QPointF(double(i) * dt, g[i]));
        return points;
    }
    points.reserve(2 * buckets);
    for (int b = 0; b < buckets; ++b) {
        const size_t begin = first + count * size_t(b) / size_t(buckets);
        const size_t end = first + count * size_t(b + 1) / size_t(buckets);
        size_t low = begin, high = begin;
        for (size_t i = begin; i < end; ++i) {
            if (g[i] < g[low])
                low = i;
            if (g[i] > g[high])
                high = i;
        }
        const size_t a = std::min(low, high), c = std::max(low, high);
        points.append(QPointF(double(a) * dt, g[a]));
        if (c != a)
            points.append(QPointF(double(c) * dt, g[c]));
    }
    return points;
}

QString figure(double v)
{
    return QString::number(v, 'g', 4);
}

} // namespace

editQuakeDialog::editQuakeDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::editQuakeDialog)
{
    ui->setupUi(this);
    setFixedSize(size());
    buildTabs();
    previewTimer = new QTimer(this);
    previewTimer->setSingleShot(true);
    previewTimer->setInterval(kPauseMs);
    connect(previewTimer, &QTimer::timeout, this, &editQuakeDialog::refreshPreview);
    const auto later = [this] { previewTimer->start(kPauseMs); };
    for (QLineEdit *edit : {ui->iStartLineEdit, ui->deltaTLineEdit, ui->ascaleLineEdit, ui->endLineEdit,
                            ui->tScaleLineEdit, ui->fileLineEdit, dampingEdit})
        connect(edit, &QLineEdit::textChanged, this, later);
    connect(ui->ibergComboBox, &QComboBox::currentIndexChanged, this, later);
    // The name is one line of the project and analysis files: no control characters.
    ui->fileLineEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^\\x00-\\x1f\\x7f]*")), ui->fileLineEdit));
    ui->fileLineEdit->setMaxLength(1000);
    NumberField::watch(ui->iStartLineEdit, ui->label_2->text(), NumberField::Whole);
    const QList<QPair<QLineEdit *, QLabel *>> reals = {
        {ui->deltaTLineEdit, ui->label_3}, {ui->ascaleLineEdit, ui->label_4}, {ui->endLineEdit, ui->label_5},
        {ui->velLineEdit, ui->label_6}, {ui->disLineEdit, ui->label_7}, {ui->tScaleLineEdit, ui->label_8}};
    for (const auto &[edit, label] : reals)
        NumberField::watch(edit, label->text());
    setNullProperties();
    // Empty fields would hold no number: a first OK must be able to store the zeros.
    showProperties();
}

editQuakeDialog::~editQuakeDialog()
{
    delete ui;
}

void editQuakeDialog::setNullProperties()
{
    for (int &value : a)
        value = 0;
    for (double &value : b)
        value = 0.0;
    file.clear();
}

void editQuakeDialog::showA()
{
    ShownValue::show(ui->ibergComboBox, a[0], a[0]);
    ui->iStartLineEdit->setText(QString::number(a[1]));
}

void editQuakeDialog::showB()
{
    QLineEdit *const edits[6] = {ui->deltaTLineEdit, ui->ascaleLineEdit, ui->endLineEdit,
                                 ui->velLineEdit, ui->disLineEdit, ui->tScaleLineEdit};
    for (int i = 0; i < 6; ++i)
        ShownValue::show(edits[i], QString::number(b[i], 'g', 5), b[i]);
}

void editQuakeDialog::showProperties()
{
    showA();
    showB();
    ui->fileLineEdit->setText(file);
}

void editQuakeDialog::on_pushButton_clicked()
{
    if (!NumberField::check(this))
        return;
    seted = true;
    // Fields left as shown keep their stored values, digits beyond the five shown included.
    a[0] = ShownValue::read(ui->ibergComboBox, ui->ibergComboBox->currentIndex());
    a[1] = ui->iStartLineEdit->text().trimmed().toInt();
    const QLineEdit *const edits[6] = {ui->deltaTLineEdit, ui->ascaleLineEdit, ui->endLineEdit,
                                       ui->velLineEdit, ui->disLineEdit, ui->tScaleLineEdit};
    for (int i = 0; i < 6; ++i)
        b[i] = ShownValue::read(edits[i], ShownValue::typed(edits[i]->text()));
    file = FieldText::recordName(ui->fileLineEdit->text());
    emit updateQuake();
    accept();
}

void editQuakeDialog::on_pushButton_2_clicked()
{
    showProperties();
}

void editQuakeDialog::buildTabs()
{
    // Record: the acceleration as read; its figures stand beside the fields.
    auto *recordLayout = new QVBoxLayout(ui->recordTab);
    recordView = chartView(QStringLiteral("recordChart"), tr("Time (s)"), false, ui->recordTab);
    recordView->chart()->axes(Qt::Vertical).first()->setTitleText(tr("Acceleration (g)"));
    recordLayout->addWidget(recordView, 1);
    recordSeries = new QLineSeries(recordView->chart());
    recordView->chart()->addSeries(recordSeries);
    for (QAbstractAxis *axis : recordView->chart()->axes())
        recordSeries->attachAxis(axis);
    // A zoom draws the samples it shows in more detail.
    connect(static_cast<QValueAxis *>(recordView->chart()->axes(Qt::Horizontal).first()), &QValueAxis::rangeChanged,
            this, &editQuakeDialog::plotRecord);
    auto *recordRow = new QHBoxLayout;
    recordRow->addStretch(1);
    QPushButton *recordReset = button(QStringLiteral("recordResetBtn"), tr("Reset Zoom"), ui->recordTab);
    QPushButton *recordCsv = button(QStringLiteral("recordCsvBtn"), tr("Export CSV…"), ui->recordTab);
    QPushButton *recordPicture = button(QStringLiteral("recordPictureBtn"), tr("Export Picture…"), ui->recordTab);
    recordRow->addWidget(recordReset);
    recordRow->addWidget(recordCsv);
    recordRow->addWidget(recordPicture);
    recordLayout->addLayout(recordRow);

    // Spectrum: one curve per damping.
    auto *spectrumLayout = new QVBoxLayout(ui->spectrumTab);
    spectrumView = chartView(QStringLiteral("spectrumChart"), tr("Period (s)"), true, ui->spectrumTab);
    spectrumView->chart()->legend()->show();
    spectrumView->chart()->legend()->setAlignment(Qt::AlignRight);
    spectrumLayout->addWidget(spectrumView, 1);
    auto *spectrumRow = new QHBoxLayout;
    auto *dampingLabel = new QLabel(tr("Damping (%)"), ui->spectrumTab);
    dampingEdit = new QLineEdit(QStringLiteral("5"), ui->spectrumTab);
    dampingEdit->setObjectName(QStringLiteral("dampingLineEdit"));
    dampingEdit->setToolTip(tr("Percent of critical, 0 to below 100; several, e.g. \"2 5 10\", are drawn together"));
    dampingEdit->setMaximumWidth(110);
    dampingLabel->setBuddy(dampingEdit);
    quantityBox = new QComboBox(ui->spectrumTab);
    quantityBox->setObjectName(QStringLiteral("spectrumQuantityComboBox"));
    quantityBox->addItems({tr("Sa (g)"), tr("Sd (model units)"), tr("PSV (model units/s)")});
    spectrumStatus = new QLabel(ui->spectrumTab);
    spectrumStatus->setObjectName(QStringLiteral("spectrumStatusLabel"));
    spectrumStatus->setStyleSheet(QStringLiteral("color: darkred"));
    QPushButton *spectrumReset = button(QStringLiteral("spectrumResetBtn"), tr("Reset Zoom"), ui->spectrumTab);
    QPushButton *spectrumCsv = button(QStringLiteral("spectrumCsvBtn"), tr("Export CSV…"), ui->spectrumTab);
    QPushButton *spectrumPicture =
        button(QStringLiteral("spectrumPictureBtn"), tr("Export Picture…"), ui->spectrumTab);
    spectrumRow->addWidget(dampingLabel);
    spectrumRow->addWidget(dampingEdit);
    spectrumRow->addWidget(quantityBox);
    spectrumRow->addWidget(spectrumStatus, 1);
    spectrumRow->addWidget(spectrumReset);
    spectrumRow->addWidget(spectrumCsv);
    spectrumRow->addWidget(spectrumPicture);
    spectrumLayout->addLayout(spectrumRow);

    connect(recordReset, &QPushButton::clicked, this, [this] { recordView->chart()->zoomReset(); });
    connect(spectrumReset, &QPushButton::clicked, this, [this] { spectrumView->chart()->zoomReset(); });
    connect(quantityBox, &QComboBox::currentIndexChanged, this, &editQuakeDialog::plotSpectrum);
    connect(recordCsv, &QPushButton::clicked, this, [this] {
        if (error.isEmpty())
            exportCsv(EarthquakeRecord::csv(record), tr("Export Record"));
    });
    connect(spectrumCsv, &QPushButton::clicked, this, [this] {
        if (error.isEmpty() && !spectrumPoints.empty())
            exportCsv(ResponseSpectrum::csvTable(percents, spectrumPoints), tr("Export Spectrum"));
    });
    connect(recordPicture, &QPushButton::clicked, this, [this] { exportPicture(recordView, tr("Export Record Picture")); });
    connect(spectrumPicture, &QPushButton::clicked, this,
            [this] { exportPicture(spectrumView, tr("Export Spectrum Picture")); });
}

bool editQuakeDialog::typedOptions(EarthquakeRecord::Options &o, QString *why) const
{
    const QString istart = NumberField::fault(ui->iStartLineEdit);
    if (!istart.isEmpty()) {
        *why = ui->label_2->text() + QLatin1Char(' ') + istart;
        return false;
    }
    o.iberg = ShownValue::read(ui->ibergComboBox, ui->ibergComboBox->currentIndex());
    o.istart = ui->iStartLineEdit->text().trimmed().toInt();
    const struct {
        const QLineEdit *edit;
        const QLabel *label;
        double *value;
    } reals[] = {{ui->deltaTLineEdit, ui->label_3, &o.deltat},
                 {ui->ascaleLineEdit, ui->label_4, &o.ascale},
                 {ui->endLineEdit, ui->label_5, &o.end},
                 {ui->tScaleLineEdit, ui->label_8, &o.tscale}};
    for (const auto &[edit, label, value] : reals) {
        const QString fault = NumberField::fault(edit);
        if (!fault.isEmpty()) {
            *why = label->text() + QLatin1Char(' ') + fault;
            return false;
        }
        *value = ShownValue::read(edit, ShownValue::typed(edit->text()));
    }
    return true;
}

void editQuakeDialog::refreshPreview()
{
    previewTimer->stop();
    const Context c = context ? context() : Context();
    showRecord(c);
    showSpectrum(c.control.c[0]);
}

void editQuakeDialog::showRecord(const Context &c)
{
    EarthquakeRecord::Options o;
    error.clear();
    const QString name = ui->fileLineEdit->text();
    QString path;
    if (!typedOptions(o, &error)) {
    } else if (name.trimmed().isEmpty()) {
        error = tr("FILE is empty");
    } else {
        o.time = c.control.c[4];
        o.factor = c.control.c[5];
        path = EarthquakeRecord::resolve(name, c.projectFile);
        if (!EarthquakeRecord::readFile(path, o, record, &error))
            error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + error;
    }
    QChart *chart = recordView->chart();
    chart->zoomReset();
    if (!error.isEmpty()) {
        record = EarthquakeRecord::Record();
        recordSeries->clear();
        ui->recordStatusLabel->setStyleSheet(QStringLiteral("color: darkred"));
        ui->recordStatusLabel->setText(tr("No plot of the record:\n%1").arg(error));
        return;
    }
    const EarthquakeRecord::Summary f = EarthquakeRecord::summarize(record, c.control.c[0]);
    chart->axes(Qt::Horizontal).first()->setRange(0.0, std::max(f.duration, record.interval));
    plotRecord(0.0, f.duration);
    const double top = f.pga > 0.0 ? f.pga : 1.0;
    auto *y = static_cast<QValueAxis *>(chart->axes(Qt::Vertical).first());
    y->setRange(-top, top);
    y->applyNiceNumbers();

    QStringList lines;
    lines << tr("File: %1").arg(QDir::toNativeSeparators(path)) << tr("Points: %1").arg(record.g.size())
          << tr("Interval: %1 s").arg(figure(record.interval)) << tr("Duration: %1 s").arg(figure(f.duration))
          << tr("PGA: %1 g at %2 s").arg(figure(f.pga), figure(f.pgaTime))
          << tr("PGA × GRAV: %1").arg(figure(f.pga * c.control.c[0]))
          << tr("Arias intensity: %1").arg(figure(f.arias))
          << tr("5–95 % duration: %1 s").arg(figure(f.significant));
    lines += record.notes;
    ui->recordStatusLabel->setStyleSheet(QString());
    ui->recordStatusLabel->setText(lines.join(QLatin1Char('\n')));
}

void editQuakeDialog::plotRecord(double from, double to)
{
    recordSeries->replace(envelope(record.g, record.interval, from, to, 2000));
}

void editQuakeDialog::showSpectrum(double grav)
{
    percents.clear();
    spectrumPoints.clear();
    QString fault;
    for (const QString &t : dampingEdit->text().split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts)) {
        bool ok = false;
        const double p = t.toDouble(&ok);
        if (!ok || !(p >= 0.0 && p < 100.0)) {
            fault = tr("Damping is a percentage from 0 to below 100");
            break;
        }
        if (std::find(percents.begin(), percents.end(), p) == percents.end())
            percents.push_back(p);
    }
    if (fault.isEmpty() && percents.empty())
        fault = tr("No damping given");
    if (!fault.isEmpty())
        percents.clear();
    spectrumStatus->setText(fault);
    if (error.isEmpty())
        for (double p : percents)
            spectrumPoints.push_back(ResponseSpectrum::compute(record.g, record.interval, p / 100.0, grav));
    plotSpectrum();
}

void editQuakeDialog::plotSpectrum()
{
    QChart *chart = spectrumView->chart();
    chart->removeAllSeries();
    chart->zoomReset();
    const int quantity = quantityBox->currentIndex();
    double top = 0.0;
    for (size_t k = 0; k < spectrumPoints.size(); ++k) {
        auto *series = new QLineSeries;
        series->setName(QStringLiteral("%1 %").arg(percents[k]));
        QList<QPointF> points;
        for (const ResponseSpectrum::Point &p : spectrumPoints[k]) {
            const double v = quantity == 0 ? p.sa : quantity == 1 ? p.sd : p.psv;
            top = std::max(top, v);
            points.append(QPointF(p.period, v));
        }
        series->replace(points);
        chart->addSeries(series);
        for (QAbstractAxis *axis : chart->axes())
            series->attachAxis(axis);
    }
    auto *y = static_cast<QValueAxis *>(chart->axes(Qt::Vertical).first());
    y->setTitleText(quantityBox->currentText());
    y->setRange(0.0, top > 0.0 ? top : 1.0);
    y->applyNiceNumbers();
}

void editQuakeDialog::exportCsv(const QByteArray &bytes, const QString &title)
{
    const QString name = QFileDialog::getSaveFileName(this, title, StartFolder::of(context ? context().projectFile : QString()), tr("CSV files (*.csv)"));
    if (name.isEmpty())
        return;
    QString why;
    if (!OutputFile::writeBytes(name, bytes, &why))
        plainMessage(this, QMessageBox::Warning, tr("Error"), tr("The file \"%1\" could not be written:\n%2").arg(name, why));
}

void editQuakeDialog::exportPicture(QChartView *view, const QString &title)
{
    QString name = QFileDialog::getSaveFileName(this, title, StartFolder::of(context ? context().projectFile : QString()), tr("PNG images (*.png)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".png");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view->grab().save(&buffer, "PNG");
    QString why;
    if (!OutputFile::writeBytes(name, bytes, &why))
        plainMessage(this, QMessageBox::Warning, tr("Error"), tr("The file \"%1\" could not be written:\n%2").arg(name, why));
}

void editQuakeDialog::on_browseBtn_clicked()
{
    const Context c = context ? context() : Context();
    const QString name = ui->fileLineEdit->text();
    const QString start = name.trimmed().isEmpty()
                              ? StartFolder::of(c.projectFile)
                              : QFileInfo(EarthquakeRecord::resolve(name, c.projectFile)).absolutePath();
    const QString chosen = QFileDialog::getOpenFileName(
        this, tr("Earthquake Record"), start, tr("Records (*.txt *.dat *.acc *.at2 *.AT2);;All files (*)"));
    StartFolder::used(chosen);
    if (!chosen.isEmpty())
        ui->fileLineEdit->setText(EarthquakeRecord::storedName(chosen, c.projectFile));
}

void editQuakeDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The first plot once the dialog is on screen; later ones after a pause in typing.
    previewTimer->start(0);
}

void editQuakeDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
