#include "analysishighlighter.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>

namespace {

bool isKeyword(QStringView field)
{
    static const QStringList words{
        QStringLiteral("NODES"),  QStringLiteral("DRIFT"),   QStringLiteral("ELEMENTS"), QStringLiteral("PROPS"),
        QStringLiteral("WEIGHTS"), QStringLiteral("LOADS"),  QStringLiteral("SHAPE"),    QStringLiteral("EQUAKE"),
        QStringLiteral("FRAME"),  QStringLiteral("SPRING"),  QStringLiteral("WALL"),     QStringLiteral("DAMPER"),
        QStringLiteral("MULTISPRING"), QStringLiteral("REINFORCED")};
    for (const QString &w : words)
        if (field == w)
            return true;
    return false;
}

bool isNumber(QStringView field)
{
    const QChar c = field.front();
    return c.isDigit() || ((c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.'))
                           && field.size() > 1);
}

// A line not yet coloured.
const int uncoloured = 1;

} // namespace

AnalysisHighlighter::AnalysisHighlighter(QTextDocument *document) : QSyntaxHighlighter(document)
{
    keyword.setForeground(QColor(0x1f, 0x4e, 0xa8));
    keyword.setFontWeight(QFont::Bold);
    number.setForeground(QColor(0x8a, 0x3b, 0x00));
    comment.setForeground(QColor(0x2e, 0x7d, 0x32));
    comment.setFontItalic(true);
}

void AnalysisHighlighter::colourShown(const QPlainTextEdit *view)
{
    const QTextBlock top = view->cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock bottom = view->cursorForPosition(QPoint(0, view->viewport()->height())).block();
    // A screen's worth on either side, so a scroll by a page finds them coloured.
    const int margin = qMax(50, bottom.blockNumber() - top.blockNumber());
    first = qMax(0, top.blockNumber() - margin);
    last = bottom.blockNumber() + margin;
    for (QTextBlock b = document()->findBlockByNumber(first); b.isValid() && b.blockNumber() <= last; b = b.next())
        if (b.userState() == uncoloured)
            rehighlightBlock(b);
}

void AnalysisHighlighter::highlightBlock(const QString &text)
{
    const int n = currentBlock().blockNumber();
    if (n < first || n > last) {
        setCurrentBlockState(uncoloured);
        return;
    }
    setCurrentBlockState(0);
    const qsizetype bang = text.indexOf(QLatin1Char('!'));
    const qsizetype end = bang < 0 ? text.size() : bang;
    if (bang >= 0)
        setFormat(int(bang), int(text.size() - bang), comment);
    int field = 0;
    for (qsizetype i = 0; i < end; ++field) {
        while (i < end && text.at(i) == QLatin1Char('\t'))
            ++i;
        const qsizetype start = i;
        while (i < end && text.at(i) != QLatin1Char('\t'))
            ++i;
        if (i == start)
            break;
        const QStringView f = QStringView(text).mid(start, i - start);
        // Names stand first (a section) or second (a category after the type's number).
        if (field < 2 && isKeyword(f))
            setFormat(int(start), int(f.size()), keyword);
        else if (isNumber(f))
            setFormat(int(start), int(f.size()), number);
    }
}
