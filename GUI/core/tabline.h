#ifndef TABLINE_H
#define TABLINE_H

#include "numbertext.h"

#include <QLocale>
#include <QString>
#include <QTextStream>

// Fields of one line of either file: separated by a single tab, with no tab
// after the last one, numbers in the stream's default notation.
class TabLine
{
public:
    explicit TabLine(QTextStream &stream) : out(stream) {}

    TabLine &i(int v)
    {
        sep();
        NumberText::writeInt(out, v);
        return *this;
    }
    TabLine &d(double v)
    {
        sep();
        NumberText::writeDouble(out, v);
        return *this;
    }
    TabLine &text(const QString &s)
    {
        sep();
        out << s;
        return *this;
    }
    // Elements from..to (inclusive) of an array.
    TabLine &ints(const int *p, int from, int to)
    {
        for (int k = from; k <= to; ++k)
            i(p[k]);
        return *this;
    }
    TabLine &doubles(const double *p, int from, int to)
    {
        for (int k = from; k <= to; ++k)
            d(p[k]);
        return *this;
    }
    // Ends the line with a comment that brings its own leading tabs and line feed.
    void end(const char *comment)
    {
        out << comment;
        first = true;
    }
    void end()
    {
        out << '\n';
        first = true;
    }

protected:
    void sep()
    {
        if (!first)
            out << '\t';
        first = false;
    }

    QTextStream &out;

private:
    bool first = true;
};

// Both file formats rely on the stream's plain defaults (%g-like reals, decimal
// integers, no padding); a caller's settings are set aside and given back.
class DefaultNumberFormat
{
public:
    explicit DefaultNumberFormat(QTextStream &s)
        : stream(s),
          notation(s.realNumberNotation()),
          precision(s.realNumberPrecision()),
          flags(s.numberFlags()),
          base(s.integerBase()),
          width(s.fieldWidth()),
          locale(s.locale())
    {
        s.setRealNumberNotation(QTextStream::SmartNotation);
        s.setRealNumberPrecision(6);
        s.setNumberFlags({});
        s.setIntegerBase(10);
        s.setFieldWidth(0);
        s.setLocale(QLocale::c());
    }
    ~DefaultNumberFormat()
    {
        stream.setRealNumberNotation(notation);
        stream.setRealNumberPrecision(precision);
        stream.setNumberFlags(flags);
        stream.setIntegerBase(base);
        stream.setFieldWidth(width);
        stream.setLocale(locale);
    }
    DefaultNumberFormat(const DefaultNumberFormat &) = delete;
    DefaultNumberFormat &operator=(const DefaultNumberFormat &) = delete;

private:
    QTextStream &stream;
    QTextStream::RealNumberNotation notation;
    int precision;
    QTextStream::NumberFlags flags;
    int base;
    int width;
    QLocale locale;
};


#endif // TABLINE_H
