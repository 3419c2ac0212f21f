#ifndef NUMBERTEXT_H
#define NUMBERTEXT_H

// Numbers as text, exactly as a QTextStream with its default settings and the
// C locale writes them (whole numbers in decimal, reals like printf's %g with
// six significant digits), without going through the stream's locale code:
// the file writers emit tens of thousands of numbers for a large frame, and
// the stream's own formatting dominated their time.

#include <QLatin1StringView>
#include <QTextStream>

#include <charconv>
#include <cmath>

namespace NumberText {

inline void writeInt(QTextStream &out, int v)
{
    char buf[16];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v);
    out << QLatin1StringView(buf, r.ptr - buf);
}

inline void writeDouble(QTextStream &out, double v)
{
    // Infinities, NaNs and negative zero keep the stream's own spelling.
    if (!std::isfinite(v) || (v == 0.0 && std::signbit(v))) {
        out << v;
        return;
    }
    // The stream rounds an exact tie at the sixth digit away from zero, %g to
    // even. A value is such a tie only if its shortest exact form has seven
    // significant digits ending in 5; those few go through the stream.
    char buf[40];
    std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    int digits = 0;
    char last = 0;
    for (const char *c = buf; c != r.ptr && *c != 'e'; ++c) {
        if (*c >= '0' && *c <= '9') {
            ++digits;
            last = *c;
        }
    }
    if (digits == 7 && last == '5') {
        out << v;
        return;
    }
    r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    out << QLatin1StringView(buf, r.ptr - buf);
}

} // namespace NumberText

#endif // NUMBERTEXT_H
