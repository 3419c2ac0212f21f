#ifndef PLAINMESSAGE_H
#define PLAINMESSAGE_H

#include <QMessageBox>

// A message that carries a file's name or words read from a file is shown as
// typed, never as HTML: a name like <img src=…> would otherwise be loaded.
inline void plainMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

#endif // PLAINMESSAGE_H
