#pragma once
// Finding the mail page's controls by their object names, and reading
// them back as Shift-JIS, for the page tests.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "platform/ui/QtText.h"
#include "text/Encoding.h"

namespace torepal::test {

template <typename Widget>
Widget* Find(const QWidget& parent, const char* objectName)
{
    Widget* w = parent.findChild<Widget*>(QString::fromLatin1(objectName));
    EXPECT_NE(w, nullptr) << objectName;
    return w;
}

inline QLineEdit* Line(const QWidget& p, const char* name)
{
    return Find<QLineEdit>(p, name);
}
inline QPushButton* Button(const QWidget& p, const char* name)
{
    return Find<QPushButton>(p, name);
}

// Types UTF-8 text into an edit as the seller would see it.
inline void Type(QLineEdit* edit, const std::string& utf8)
{
    edit->setText(QString::fromStdString(utf8));
}
inline void Type(QPlainTextEdit* edit, const std::string& utf8)
{
    edit->setPlainText(QString::fromStdString(utf8));
}

inline std::string Utf8(const QString& s)
{
    return s.toStdString();
}

}  // namespace torepal::test
