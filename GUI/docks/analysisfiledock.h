#ifndef ANALYSISFILEDOCK_H
#define ANALYSISFILEDOCK_H

#include <QDockWidget>

#include "analysistext.h"

class AnalysisFindBar;
class AnalysisHighlighter;
class QLabel;
class QPlainTextEdit;
class QTimer;

// View → Analysis File: the file Generate would write for the model as it is
// now, kept up to date while shown by rewriting only the lines a step changed,
// which stay marked until the next step. Read-only: its clicks ask the window
// to select what a line stands for or to open its dialog.
class AnalysisFileDock : public QDockWidget
{
    Q_OBJECT
public:
    AnalysisFileDock(const ProjectModel *model, QWidget *parent = nullptr);

    QPlainTextEdit *view() const { return textView; }
    const AnalysisText &text() const { return lines; }
    // Lines of the last step's change, from 0.
    QList<int> changedLines() const;
    // The one node or member selected elsewhere (number from 1; 0 for none):
    // the cursor to its line, and the other lines of a node marked.
    void showItem(bool member, int number);
    bool hasFocusWithin() const;
    // Edit → Find while the dock has the focus.
    void openFind();

public slots:
    // Up to the model now, whatever waits.
    void refresh();

signals:
    void nodeAsked(int number);
    void memberAsked(int number);
    void typeMembersAsked(int number);
    void typeAsked(int number);
    void settingsAsked(ProjectModel::Section section);
    void checkModelAsked();
    void saveAsAsked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void schedule();
    void apply(const QList<AnalysisText::Edit> &edits);
    void showSelections();
    // Marks the shown item's lines; returns its own line, or -1.
    int markItem();
    void lineClicked(int line, bool twice);
    void find(const QString &what, bool backward);
    void showMenu(const QPoint &pos);

    const ProjectModel *model;
    AnalysisText lines;
    AnalysisText::Changes changes;
    QTimer *timer;   // one refresh for a burst of steps
    QPlainTextEdit *textView;
    QLabel *banner;
    AnalysisFindBar *findBar;
    AnalysisHighlighter *highlighter;
    bool colouring = false;
    QList<QPair<int, int>> changed;   // first line and count of each changed run
    QList<int> marked;                // the shown item's other lines
    QPoint pressedAt;
    QPair<bool, int> shownItem{false, 0};   // member or node, and its number
    QPair<bool, int> asked{false, 0};       // the item the last click asked for
};

#endif // ANALYSISFILEDOCK_H
