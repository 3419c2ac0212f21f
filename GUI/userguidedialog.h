#ifndef USERGUIDEDIALOG_H
#define USERGUIDEDIALOG_H

#include <QDialog>

// Help → User Guide: the README's "Using the program" up to "Installing",
// pictures included, from the program's own resources (no network).
class UserGuideDialog : public QDialog
{
    Q_OBJECT
public:
    explicit UserGuideDialog(QWidget *parent = nullptr);

    // That part of the README, as Markdown.
    static QString guideText();
};

#endif // USERGUIDEDIALOG_H
