#include "platform/ui/ReadableLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QTextDocument>

namespace torepal {
namespace {

constexpr const char* kReadable = "torepalReadableLabel";

class ReadableLabelAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadableLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        if (which == QAccessible::Name && widget()->accessibleName().isEmpty()) return shown();
        return QAccessibleWidget::text(which);
    }

    // What the label shows, without the markup a rich text would carry.
    QString shown() const
    {
        const auto* label = static_cast<const QLabel*>(widget());
        if (label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text())) return label->text();
        QTextDocument document;
        document.setHtml(label->text());
        return document.toPlainText();
    }

    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }
};

QAccessibleInterface* ReadableLabelFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QLabel") || !object || !object->property(kReadable).toBool()) return nullptr;
    return new ReadableLabelAccessible(static_cast<QLabel*>(object));
}

}  // namespace

void MakeLabelReadable(QLabel& label)
{
    static const bool installed = [] {
        QAccessible::installFactory(ReadableLabelFactory);
        return true;
    }();
    (void)installed;
    label.setProperty(kReadable, true);
}

}  // namespace torepal
