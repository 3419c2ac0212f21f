#ifndef RESPONSESPECTRUM_H
#define RESPONSESPECTRUM_H

// The response spectrum of a ground acceleration given at equal intervals:
// the peak response of linear oscillators at rest at the first sample, the
// acceleration taken as linear between samples. The recurrence is exact for
// such an input, so the interval of the record is the only step. Qt Core only.

#include <QByteArray>

#include <vector>

namespace ResponseSpectrum {

// The periods of every spectrum: 0.01 s to 10 s, log-spaced.
constexpr int kPeriods = 200;
double period(int k);

// max |u| over the sample instants (u in the units of a times s²) of
// u'' + 2 zeta omega u' + omega² u = -a(t).
double peakDisplacement(const std::vector<double> &a, double interval, double omega, double zeta);

struct Point {
    double period = 0.0;
    double sa = 0.0;    // g
    double sd = 0.0;    // model length units (peak displacement in g s² times GRAV)
    double psv = 0.0;   // model length units per s
};

// One point per period; `a` in g, zeta a fraction (0 <= zeta < 1).
std::vector<Point> compute(const std::vector<double> &a, double interval, double zeta, double grav);

// "period_s,sa_g" and one line per period.
QByteArray csv(const std::vector<Point> &points);

// One column group per damping: "period_s,sa_g_5pct,sd_5pct,psv_5pct,...".
QByteArray csvTable(const std::vector<double> &percents, const std::vector<std::vector<Point>> &spectra);

} // namespace ResponseSpectrum

#endif // RESPONSESPECTRUM_H
