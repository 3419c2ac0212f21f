#ifndef ANALYSISHIGHLIGHTER_H
#define ANALYSISHIGHLIGHTER_H

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class QPlainTextEdit;

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

    // Colours the lines the view shows, and only those until they come into
    // view: a first pass over fifty thousand lines would cost more than the text.
    void colourShown(const QPlainTextEdit *view);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat keyword, number, comment;
    int first = 0, last = 120;   // the lines coloured as they are laid out
};

#endif // ANALYSISHIGHLIGHTER_H
