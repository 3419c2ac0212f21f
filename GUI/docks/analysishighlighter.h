#ifndef ANALYSISHIGHLIGHTER_H
#define ANALYSISHIGHLIGHTER_H

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours of the analysis file: section and category names, numbers, and the
// comments after '!'. A line is read field by field, tab-separated, as the
// analysis program reads it.
class AnalysisHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit AnalysisHighlighter(QTextDocument *document);

    const QTextCharFormat &keywordFormat() const { return keyword; }
    const QTextCharFormat &numberFormat() const { return number; }
    const QTextCharFormat &commentFormat() const { return comment; }

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat keyword, number, comment;
};

#endif // ANALYSISHIGHLIGHTER_H
