#include "analysisfindbar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

AnalysisFindBar::AnalysisFindBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("analysisFindBar"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(new QLabel(tr("Find:"), this));
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("analysisFindEdit"));
    edit->setClearButtonEnabled(true);
    edit->installEventFilter(this);
    row->addWidget(edit, 1);
    auto button = [this, row](const QString &name, const QString &text, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        row->addWidget(b);
        return b;
    };
    connect(button(QStringLiteral("analysisFindPrevious"), tr("Previous"), tr("Previous (Shift+F3)")),
            &QToolButton::clicked, this, [this] { emit findAsked(text(), true); });
    connect(button(QStringLiteral("analysisFindNext"), tr("Next"), tr("Next (F3)")), &QToolButton::clicked, this,
            [this] { emit findAsked(text(), false); });
    connect(button(QStringLiteral("analysisFindClose"), QStringLiteral("\u2715"), tr("Close (Esc)")),
            &QToolButton::clicked, this, [this] {
                hide();
                emit closed();
            });
    // A text being typed is not yet known to be missing.
    connect(edit, &QLineEdit::textEdited, this, [this] { setFound(true); });
}

QString AnalysisFindBar::text() const { return edit->text(); }

void AnalysisFindBar::setText(const QString &text)
{
    edit->setText(text);
    edit->selectAll();
}

void AnalysisFindBar::open()
{
    show();
    edit->setFocus(Qt::ShortcutFocusReason);
    edit->selectAll();
}

void AnalysisFindBar::setFound(bool found)
{
    edit->setStyleSheet(found ? QString() : QStringLiteral("QLineEdit { background: #f8d7da; }"));
}

bool AnalysisFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit findAsked(text(), key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            emit closed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
