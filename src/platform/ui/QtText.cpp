#include "platform/ui/QtText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "platform/Platform.h"
#include "text/Encoding.h"

namespace torepal {

QString ToQt(const std::string& sjis)
{
    const std::string utf8 = Utf8FromSjis(sjis);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ToQtMultiline(const std::string& sjis)
{
    QString s = ToQt(sjis);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

std::string FieldReader::text(const QString& value, const QString& fieldName)
{
    const QByteArray utf8 = value.toUtf8();
    SjisConversion conv = SjisFromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    if (!conv.ok()) {
        QString chars;
        for (char32_t c : conv.unmappable) {
            if (!chars.isEmpty()) chars += QStringLiteral("、");
            chars += QStringLiteral("「") + QString::fromUcs4(&c, 1) +
                     QStringLiteral("」(U+%1)").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
        }
        problems_ << QStringLiteral("%1：%2").arg(fieldName, chars);
    }
    return std::move(conv.text);
}

std::string FieldReader::line(const QLineEdit* edit, const QString& fieldName)
{
    return text(edit->text(), fieldName);
}

std::string FieldReader::multiline(const QPlainTextEdit* edit, const QString& fieldName)
{
    QString value = edit->toPlainText();
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    value.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text(value, fieldName);
}

QString FieldReader::problemMessage() const
{
    return QStringLiteral(
               "次の文字はShift-JISで表せないため、使うことができません。\n"
               "別の文字に置き換えてから、もう一度操作してください。\n\n") +
           problems_.join(QLatin1Char('\n'));
}

bool FieldReader::reportTo(Platform& platform) const
{
    if (ok()) return true;
    const QByteArray utf8 = problemMessage().toUtf8();
    platform.showUnicodeMessage(std::string(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    return false;
}

void SetLine(QLineEdit* edit, const std::string& sjis)
{
    const QString value = ToQt(sjis);
    if (edit->text() != value) {
        edit->setText(value);
        // Show the beginning of a long text, not its end.
        edit->setCursorPosition(0);
    }
}

void SetMultiline(QPlainTextEdit* edit, const std::string& sjis)
{
    const QString value = ToQtMultiline(sjis);
    if (edit->toPlainText() != value) edit->setPlainText(value);
}

int SelectedIndex(const QComboBox* combo)
{
    return combo->currentIndex();
}

}  // namespace torepal
