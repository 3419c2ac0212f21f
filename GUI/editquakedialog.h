#ifndef EDITQUAKEDIALOG_H
#define EDITQUAKEDIALOG_H

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

#include "earthquakerecord.h"
#include "projectmodel.h"
#include "responsespectrum.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QLineEdit;
class QTimer;

namespace Ui {
class editQuakeDialog;
}

// Options of the earthquake excitation record, and the record they read:
// its plot, figures and response spectrum, redrawn shortly after the fields
// change (before OK).
class editQuakeDialog : public QDialog
{
    Q_OBJECT

public:
    // What reading the record needs beyond the dialog's fields.
    struct Context {
        QString projectFile;       // empty: the current folder holds a relative name
        ControlSettings control;   // TIME, FACTOR and GRAV
    };

    explicit editQuakeDialog(QWidget *parent = nullptr);
    ~editQuakeDialog() override;

    // The arrays themselves, read and written in place:
    // a = IBERG, ISTART; b = DELTAT, ASCALE, END, VEL, DIS, TSCALE.
    int *geta() { return a; }
    double *getb() { return b; }

    QString getFile() const { return file; }
    void setFile(const QString &name) { file = name; }

    bool isSeted() const { return seted; }
    void setSeted(bool on) { seted = on; }

    // Asked each time the record is read, so the dialog keeps no copy of it.
    void setContext(std::function<Context()> source) { context = std::move(source); }

    // Reads the record of the fields now, instead of after the pause.
    void refreshPreview();
    const EarthquakeRecord::Record &previewRecord() const { return record; }
    // Empty when the record was read.
    QString previewError() const { return error; }
    const std::vector<double> &dampings() const { return percents; }
    const std::vector<std::vector<ResponseSpectrum::Point>> &spectra() const { return spectrumPoints; }

    // Fills the widgets from the stored values.
    void showProperties();
    void setNullProperties();

signals:
    // OK stored the values.
    void updateQuake();

public slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_browseBtn_clicked();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showA();
    void showB();
    void buildTabs();
    // The options the fields hold; false with *why when one is no number.
    bool typedOptions(EarthquakeRecord::Options &o, QString *why) const;
    void showRecord(const Context &c);
    void plotRecord(double from, double to);
    void showSpectrum(double grav);
    void plotSpectrum();
    void exportCsv(const QByteArray &bytes, const QString &title);
    void exportPicture(QChartView *view, const QString &title);

    std::function<Context()> context;
    QTimer *previewTimer = nullptr;
    QChartView *recordView = nullptr;
    QLineSeries *recordSeries = nullptr;
    QChartView *spectrumView = nullptr;
    QLineEdit *dampingEdit = nullptr;
    QComboBox *quantityBox = nullptr;
    QLabel *spectrumStatus = nullptr;
    EarthquakeRecord::Record record;
    QString error;
    std::vector<double> percents;
    std::vector<std::vector<ResponseSpectrum::Point>> spectrumPoints;

    Ui::editQuakeDialog *ui;
    int a[2];
    double b[6];
    QString file;
    bool seted = false;
};

#endif // EDITQUAKEDIALOG_H
