#include "analysisfiledock.h"

#include "analysisfindbar.h"
#include "analysishighlighter.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A change of most of the file is no news worth marking.
bool worthMarking(const QList<QPair<int, int>> &runs, int lineCount)
{
    qsizetype total = 0;
    for (const auto &r : runs)
        total += r.second;
    return total * 2 <= lineCount;
}

QTextEdit::ExtraSelection lineSelection(QTextDocument *doc, int first, int count, const QColor &colour)
{
    QTextEdit::ExtraSelection s;
    s.cursor = QTextCursor(doc->findBlockByNumber(first));
    if (count > 1)
        s.cursor.setPosition(doc->findBlockByNumber(first + count - 1).position(), QTextCursor::KeepAnchor);
    s.format.setBackground(colour);
    s.format.setProperty(QTextFormat::FullWidthSelection, true);
    return s;
}

} // namespace

AnalysisFileDock::AnalysisFileDock(const ProjectModel *m, QWidget *parent)
    : QDockWidget(tr("Analysis File"), parent), model(m)
{
    setObjectName(QStringLiteral("analysisFileDock"));
    QAction *toggle = toggleViewAction();
    toggle->setObjectName(QStringLiteral("analysisFileAct"));
    toggle->setShortcut(QKeySequence(Qt::Key_F8));
    toggle->setStatusTip(tr("Show the analysis file Generate would write, following every change"));

    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    banner = new QLabel(box);
    banner->setObjectName(QStringLiteral("analysisFileBanner"));
    banner->setWordWrap(true);
    banner->setTextFormat(Qt::RichText);
    banner->setMargin(4);
    banner->setStyleSheet(QStringLiteral("QLabel { background: #fff3cd; color: #5c4400; }"));
    banner->hide();
    connect(banner, &QLabel::linkActivated, this, &AnalysisFileDock::checkModelAsked);
    column->addWidget(banner);
    findBar = new AnalysisFindBar(box);
    findBar->hide();
    column->addWidget(findBar);
    textView = new QPlainTextEdit(box);
    textView->setObjectName(QStringLiteral("analysisFileView"));
    textView->setReadOnly(true);
    textView->setUndoRedoEnabled(false);
    textView->setLineWrapMode(QPlainTextEdit::NoWrap);
    textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    textView->setFont(font);
    textView->setTabStopDistance(8 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    textView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(textView, &QWidget::customContextMenuRequested, this, &AnalysisFileDock::showMenu);
    textView->viewport()->installEventFilter(this);
    column->addWidget(textView, 1);
    setWidget(box);
    highlighter = new AnalysisHighlighter(textView->document());
    // Lines are coloured as they come into view.
    connect(textView, &QPlainTextEdit::updateRequest, this, [this] {
        if (!colouring) {
            colouring = true;
            highlighter->colourShown(textView);
            colouring = false;
        }
    });

    connect(findBar, &AnalysisFindBar::findAsked, this, &AnalysisFileDock::find);
    connect(findBar, &AnalysisFindBar::closed, textView, qOverload<>(&QWidget::setFocus));
    auto *next = new QShortcut(QKeySequence(Qt::Key_F3), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(next, &QShortcut::activated, this, [this] { find(findBar->text(), false); });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this, nullptr, nullptr,
                                   Qt::WidgetWithChildrenShortcut);
    connect(previous, &QShortcut::activated, this, [this] { find(findBar->text(), true); });

    timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, this, &AnalysisFileDock::refresh);
    AnalysisText::follow(model, this, &changes, [this] { schedule(); });
    // Hidden, it only notes what changed; shown, it catches up at once.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown)
            refresh();
    });
}

void AnalysisFileDock::schedule()
{
    if (isVisible())
        timer->start();
}

void AnalysisFileDock::refresh()
{
    timer->stop();
    const bool first = lines.lineCount() == 0;
    if (!first && changes.isEmpty())
        return;
    const QList<AnalysisText::Edit> edits = lines.update(*model, changes);
    changes = AnalysisText::Changes();
    if (first) {
        // One layout of the whole text instead of an insert per part.
        textView->setPlainText(lines.text());
        changed.clear();
    } else {
        apply(edits);
    }

    const QString missing = lines.missing();
    banner->setVisible(!missing.isEmpty());
    if (!missing.isEmpty())
        banner->setText(tr("Generate would refuse to write this file. %1 <a href=\"check\">Tools \u2192 Check Model</a>")
                            .arg(missing.toHtmlEscaped()));
    markItem();
    showSelections();
}

void AnalysisFileDock::apply(const QList<AnalysisText::Edit> &edits)
{
    changed.clear();
    if (edits.isEmpty())
        return;
    QTextDocument *doc = textView->document();
    QTextCursor c(doc);
    c.beginEditBlock();
    for (const AnalysisText::Edit &e : edits) {
        // Replaced lines keep their blocks; only added or removed ones make or drop blocks.
        c.setPosition(doc->findBlockByNumber(e.line).position());
        if (e.removed > 0 && !e.lines.isEmpty()) {
            const QTextBlock last = doc->findBlockByNumber(e.line + e.removed - 1);
            c.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
            c.insertText(e.lines.join(QLatin1Char('\n')));
        } else if (e.removed > 0) {
            c.setPosition(doc->findBlockByNumber(e.line + e.removed).position(), QTextCursor::KeepAnchor);
            c.removeSelectedText();
        } else {
            c.insertText(e.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        }
        if (!e.lines.isEmpty())
            changed.append({e.line, int(e.lines.size())});
    }
    c.endEditBlock();
    if (!worthMarking(changed, lines.lineCount()))
        changed.clear();
    if (changed.isEmpty())
        return;
    // The first changed line into sight when it is out of it.
    QScrollBar *bar = textView->verticalScrollBar();
    const int shown = textView->viewport()->height() / qMax(1, textView->fontMetrics().lineSpacing());
    const int first = changed.first().first;
    if (first < bar->value() || first >= bar->value() + shown)
        bar->setValue(qMax(0, first - shown / 3));
}

QList<int> AnalysisFileDock::changedLines() const
{
    QList<int> out;
    for (const auto &r : changed)
        for (int k = 0; k < r.second; ++k)
            out.append(r.first + k);
    return out;
}

void AnalysisFileDock::showSelections()
{
    QTextDocument *doc = textView->document();
    QList<QTextEdit::ExtraSelection> all;
    all.reserve(changed.size() + marked.size());
    const QColor changedColour(255, 236, 153), markedColour(204, 228, 255);
    for (const auto &r : std::as_const(changed))
        all.append(lineSelection(doc, r.first, r.second, changedColour));
    for (int line : std::as_const(marked))
        all.append(lineSelection(doc, line, 1, markedColour));
    textView->setExtraSelections(all);
}

void AnalysisFileDock::showItem(bool member, int number)
{
    shownItem = {member, number};
    if (!isVisible())
        return;
    const int line = markItem();
    // The line a click asked for keeps the cursor where the click put it.
    if (line >= 0 && asked != shownItem) {
        textView->setTextCursor(QTextCursor(textView->document()->findBlockByNumber(line)));
        textView->centerCursor();
    }
    asked = {false, 0};
    showSelections();
}

int AnalysisFileDock::markItem()
{
    marked.clear();
    const auto [member, number] = shownItem;
    const int line = number <= 0 || lines.lineCount() == 0 ? -1
                     : member                             ? lines.memberLine(number - 1)
                                                          : lines.nodeLine(number - 1);
    if (line >= 0) {
        marked.append(line);
        if (!member)
            marked += lines.nodeValueLines(number - 1);
    }
    return line;
}

bool AnalysisFileDock::hasFocusWithin() const
{
    const QWidget *f = QApplication::focusWidget();
    return f && isAncestorOf(f);
}

void AnalysisFileDock::openFind()
{
    // The selected text, when it is on one line, is what to find.
    const QString selected = textView->textCursor().selectedText();
    findBar->open();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        findBar->setText(selected);
}

void AnalysisFileDock::find(const QString &what, bool backward)
{
    if (what.isEmpty()) {
        findBar->open();
        return;
    }
    QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    // Typed in lower case it finds either case; with a capital, as typed (FRAME, not "frame control").
    if (what != what.toLower())
        flags |= QTextDocument::FindCaseSensitively;
    bool found = textView->find(what, flags);
    if (!found) {
        // Round from the other end.
        const QTextCursor keep = textView->textCursor();
        QTextCursor start(textView->document());
        start.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        textView->setTextCursor(start);
        found = textView->find(what, flags);
        if (!found)
            textView->setTextCursor(keep);
    }
    findBar->setFound(found);
}

bool AnalysisFileDock::eventFilter(QObject *watched, QEvent *event)
{
    const bool isMouse = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease
                         || event->type() == QEvent::MouseButtonDblClick;
    if (watched == textView->viewport() && isMouse) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            pressedAt = mouse->position().toPoint();
            break;
        case QEvent::MouseButtonRelease:
            // A click, not the end of a drag that selects text.
            if (mouse->button() == Qt::LeftButton
                && (mouse->position().toPoint() - pressedAt).manhattanLength() < QApplication::startDragDistance())
                lineClicked(textView->cursorForPosition(mouse->position().toPoint()).blockNumber(), false);
            break;
        case QEvent::MouseButtonDblClick:
            if (mouse->button() == Qt::LeftButton) {
                lineClicked(textView->cursorForPosition(mouse->position().toPoint()).blockNumber(), true);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void AnalysisFileDock::lineClicked(int line, bool twice)
{
    const AnalysisText::Link link = lines.link(line);
    if (!twice) {
        switch (link.kind) {
        case AnalysisText::Node:
            asked = {false, link.index + 1};
            emit nodeAsked(link.index + 1);
            break;
        case AnalysisText::Member:
            asked = {true, link.index + 1};
            emit memberAsked(link.index + 1);
            break;
        case AnalysisText::Type: emit typeMembersAsked(link.index + 1); break;
        default: break;
        }
        return;
    }
    switch (link.kind) {
    case AnalysisText::Type: emit typeAsked(link.index + 1); break;
    case AnalysisText::Control: emit settingsAsked(ProjectModel::Control); break;
    case AnalysisText::Drift: emit settingsAsked(ProjectModel::Drift); break;
    case AnalysisText::Quake: emit settingsAsked(ProjectModel::Quake); break;
    case AnalysisText::Shape: emit settingsAsked(ProjectModel::Shape); break;
    default: break;
    }
}

void AnalysisFileDock::showMenu(const QPoint &pos)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(tr("Copy"), textView, &QPlainTextEdit::copy);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(textView->textCursor().hasSelection());
    menu.addAction(tr("Select All"), textView, &QPlainTextEdit::selectAll)->setShortcut(QKeySequence::SelectAll);
    menu.addSeparator();
    menu.addAction(tr("Save As\u2026"), this, &AnalysisFileDock::saveAsAsked);
    menu.exec(textView->viewport()->mapToGlobal(pos));
}
