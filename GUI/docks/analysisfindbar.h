#ifndef ANALYSISFINDBAR_H
#define ANALYSISFINDBAR_H

#include <QWidget>

class QLineEdit;

// The analysis file dock's find bar: a text, next and previous, and a close
// button; Enter finds the next, Shift+Enter the previous, Escape closes.
class AnalysisFindBar : public QWidget
{
    Q_OBJECT
public:
    explicit AnalysisFindBar(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    // Shown with its text selected and the focus.
    void open();
    // Red while the text is not found.
    void setFound(bool found);

signals:
    void findAsked(const QString &text, bool backward);
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *edit;
};

#endif // ANALYSISFINDBAR_H
