#ifndef FIELDTEXT_H
#define FIELDTEXT_H

// Fields of the text files as the readers take them: numbers as the writers
// spell them, texts checked for what would corrupt a file that carries them
// on. Shared by the project reader and the analysis file importer.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace FieldText {

// Labels and record names go into the analysis file as they are: a line
// break or another control character there would corrupt its lines. No text
// needs more than a thousand characters; a huge one only costs memory.
constexpr int kMaxTextLength = 1000;

// QString::fromUtf8 drops a byte-order mark at the start of its input; inside
// a file such a mark belongs to a text and must survive a save. False for
// bytes that are not UTF-8.
bool utf8Text(const char *b, qsizetype n, QString &v);

// C0 controls, DEL and C1 controls.
bool isControl(char32_t c);
// "a tab", "a line break", "the control character U+0007" ...
QString controlName(char32_t c);

// Why a text cannot be taken ("holds a tab", "is longer than 1000
// characters"), or empty. `cut`: the text was longer than the part kept.
QString textProblem(const QString &s, bool validUtf8, bool cut);

// A file that starts with a UTF-16 byte-order mark or has a NUL at every
// other byte of its start.
bool looksLikeUtf16(const char *p, qsizetype n);

bool isBlank(char c);

// The whole of a file of at most `maxSize` bytes; on failure false with
// *error saying why ("Cannot open ...", "... is too large to be `what`").
bool readWhole(const QString &fileName, qint64 maxSize, const QString &what, QByteArray &content,
               QString *error);

// A decimal whole number; `overflow` when it does not fit an int.
bool parseInt(const char *b, const char *e, int &v, bool &overflow);

// Decimal numbers as QString::toDouble reads them in the C locale. Of the
// special values only the writer's own spellings "nan", "inf" and "-inf"
// parse, so that a reader can refuse them as not finite.
bool parseDouble(const char *b, const char *e, double &v);

// The earthquake record name as the model keeps it: one to seven blanks
// name no record, as the project file writes them.
QString recordName(const QString &text);

// Whether two grid line texts are one line: the same text, or the same
// number however typed ("4" and "4.0", "-0" and "0").
bool sameGridLine(const QString &a, const QString &b);

// The first of `lines` that is the same grid line as one before it, with
// that earlier one's index in *earlier; -1 when all differ.
qsizetype repeatedGridLine(const QStringList &lines, qsizetype *earlier);

// A token as a message shows it: short, and no control character.
QString shown(const char *b, const char *e);

} // namespace FieldText

#endif // FIELDTEXT_H
