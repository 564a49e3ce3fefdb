#pragma once
// A page's edits bound to its form's field table by name: a table row that
// names a control is read from, and shown in, the page's QLineEdit or
// QPlainTextEdit of that object name, under the row's caption in messages.
// A new text field is its .ui entry and its table row; no page code.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>
#include <span>

#include "platform/ui/QtText.h"

namespace torepal {

// Reads each named control into the record's member. `take` leaves a row
// out (the mail body when only the parcel fields are read).
template <typename Field, typename Record, typename Take>
void ReadTextFields(const QWidget& page, std::span<const Field> fields, FieldReader& reader, Record& record, Take take)
{
    for (const Field& f : fields) {
        if (f.control.empty() || !take(f)) continue;
        const QString name = QString::fromLatin1(f.control.data(), static_cast<qsizetype>(f.control.size()));
        const QString caption = QString::fromUtf8(f.caption.data(), static_cast<qsizetype>(f.caption.size()));
        if (const auto* line = page.findChild<const QLineEdit*>(name))
            record.*f.value = reader.line(line, caption);
        else if (const auto* text = page.findChild<const QPlainTextEdit*>(name))
            record.*f.value = reader.multiline(text, caption);
    }
}

template <typename Field, typename Record>
void ReadTextFields(const QWidget& page, std::span<const Field> fields, FieldReader& reader, Record& record)
{
    ReadTextFields(page, fields, reader, record, [](const Field&) { return true; });
}

template <typename Field, typename Record>
void ShowTextFields(QWidget& page, std::span<const Field> fields, const Record& record)
{
    for (const Field& f : fields) {
        if (f.control.empty()) continue;
        const QString name = QString::fromLatin1(f.control.data(), static_cast<qsizetype>(f.control.size()));
        if (auto* line = page.findChild<QLineEdit*>(name))
            SetLine(line, record.*f.value);
        else if (auto* text = page.findChild<QPlainTextEdit*>(name))
            SetMultiline(text, record.*f.value);
    }
}

}  // namespace torepal
