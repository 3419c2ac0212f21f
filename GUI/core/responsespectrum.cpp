#include "responsespectrum.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ResponseSpectrum {

double period(int k)
{
    return std::pow(10.0, -2.0 + 3.0 * k / double(kPeriods - 1));
}

double peakDisplacement(const std::vector<double> &a, double dt, double omega, double zeta)
{
    // The piecewise-linear recurrence of Nigam and Jennings: the state at the
    // next sample from the state and the load at this one and the next.
    const double root = std::sqrt(1.0 - zeta * zeta);
    const double wd = omega * root;
    const double k = omega * omega;
    const double e = std::exp(-zeta * omega * dt);
    const double s = std::sin(wd * dt);
    const double c = std::cos(wd * dt);
    const double zr = zeta / root;
    const double A = e * (zr * s + c);
    const double B = e * s / wd;
    const double C = (2.0 * zeta / (omega * dt)
                      + e * (((1.0 - 2.0 * zeta * zeta) / (wd * dt) - zr) * s - (1.0 + 2.0 * zeta / (omega * dt)) * c))
                     / k;
    const double D = (1.0 - 2.0 * zeta / (omega * dt) + e * ((2.0 * zeta * zeta - 1.0) / (wd * dt) * s
                                                             + 2.0 * zeta / (omega * dt) * c))
                     / k;
    const double Ap = -e * omega / root * s;
    const double Bp = e * (c - zr * s);
    const double Cp = (-1.0 / dt + e * ((omega / root + zeta / (dt * root)) * s + c / dt)) / k;
    const double Dp = (1.0 - e * (zr * s + c)) / (k * dt);

    double u = 0.0, v = 0.0, peak = 0.0;
    for (size_t i = 0; i + 1 < a.size(); ++i) {
        const double p0 = -a[i], p1 = -a[i + 1];
        const double un = A * u + B * v + C * p0 + D * p1;
        v = Ap * u + Bp * v + Cp * p0 + Dp * p1;
        u = un;
        peak = std::max(peak, std::abs(u));
    }
    return peak;
}

std::vector<Point> compute(const std::vector<double> &a, double interval, double zeta, double grav)
{
    constexpr double kPi = 3.14159265358979323846;
    std::vector<Point> out(kPeriods);
    for (int k = 0; k < kPeriods; ++k) {
        Point &p = out[size_t(k)];
        p.period = period(k);
        const double omega = 2.0 * kPi / p.period;
        const double u = peakDisplacement(a, interval, omega, zeta);
        p.sa = omega * omega * u;
        p.sd = u * grav;
        p.psv = omega * p.sd;
    }
    return out;
}

QByteArray csv(const std::vector<Point> &points)
{
    QByteArray out("period_s,sa_g\n");
    char line[64];
    for (const Point &p : points) {
        const int n = std::snprintf(line, sizeof line, "%.10g,%.10g\n", p.period, p.sa);
        out.append(line, n);
    }
    return out;
}

QByteArray csvTable(const std::vector<double> &percents, const std::vector<std::vector<Point>> &spectra)
{
    QByteArray out("period_s");
    char cell[64];
    for (double p : percents) {
        std::snprintf(cell, sizeof cell, "%g", p);
        out += ",sa_g_" + QByteArray(cell) + "pct,sd_" + cell + "pct,psv_" + cell + "pct";
    }
    out += '\n';
    for (int k = 0; k < kPeriods; ++k) {
        int n = std::snprintf(cell, sizeof cell, "%.10g", period(k));
        out.append(cell, n);
        for (const std::vector<Point> &s : spectra) {
            const Point &p = s.at(size_t(k));
            n = std::snprintf(cell, sizeof cell, ",%.10g,%.10g,%.10g", p.sa, p.sd, p.psv);
            out.append(cell, n);
        }
        out += '\n';
    }
    return out;
}

} // namespace ResponseSpectrum
