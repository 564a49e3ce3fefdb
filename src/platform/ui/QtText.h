#pragma once
// The widget boundary: Shift-JIS text to and from Qt's QString. Multi-line
// edits give "\n"; the program's texts hold "\r\n", so counts, byte lengths
// and line-break replacement see CR LF.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QComboBox;

namespace torepal {

class Platform;

QString ToQt(const std::string& sjis);
QString ToQtMultiline(const std::string& sjis);

// Reads edits into Shift-JIS and remembers characters that code page 932
// cannot hold, so an operation can stop and tell the seller before anything
// is written or cleared. The form keeps showing what the seller typed.
class FieldReader {
public:
    std::string line(const QLineEdit* edit, const QString& fieldName);
    std::string multiline(const QPlainTextEdit* edit, const QString& fieldName);
    std::string text(const QString& value, const QString& fieldName);

    bool ok() const { return problems_.isEmpty(); }
    // One "field：「♥」(U+2665)" entry per edit that held such a character.
    const QStringList& problems() const { return problems_; }
    // "「商品タイトル」の「♥」" ... listed for the message.
    QString problemMessage() const;
    // Shows the message through the platform when something could not be
    // held; returns ok().
    bool reportTo(Platform& platform) const;

private:
    QStringList problems_;
};

void SetLine(QLineEdit* edit, const std::string& sjis);
void SetMultiline(QPlainTextEdit* edit, const std::string& sjis);

// The combo's selected index, -1 for none (typing never adds entries).
int SelectedIndex(const QComboBox* combo);

}  // namespace torepal
