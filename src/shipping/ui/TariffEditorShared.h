#pragma once
// What the tariff editor's sources share: the text conversions at the Qt
// edge, the keys that merge a run of typing into one undo step, the cell
// setter every grid is filled through, and the snapshot each edit pushes.
// Only TariffEditor*.cpp include it.

#include <QBrush>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QUndoCommand>
#include <string>
#include <utility>

#include "shipping/ui/TariffEditor.h"

namespace torepal {
namespace tariff_editor {

inline QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

inline std::string U(const QString& text)
{
    return text.toStdString();
}

// The list line of the service that has no file yet.
inline constexpr int kUnsavedRole = Qt::UserRole + 3;

enum MergeKey {
    kNoMerge = -1,
    kIdKey = 1,
    kNameKey,
    kCarrierKey,
    kSourceKey,
    kVariantNameKey,
    // One key per limit box: typing "24.8" is one step, not three.
    kServiceLimitKey = 100,
    kColumnLimitKey = 200,
};

inline void SetCell(QTableWidget* table, int row, int column, const QString& text, bool editable = true)
{
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    if (item->text() != text) item->setText(text);
    item->setFlags(editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable);
    item->setBackground(QBrush());
    item->setToolTip(QString());
}

}  // namespace tariff_editor

// One edit of the service, kept whole: undoing puts back the service as it
// was before, so no edit needs its own inverse.
class TariffEditor::Snapshot : public QUndoCommand {
public:
    Snapshot(TariffEditor& editor, Tariff before, Tariff after, const QString& what, int key)
        : QUndoCommand(what), editor_(editor), before_(std::move(before)), after_(std::move(after)), key_(key)
    {
    }
    void undo() override { editor_.apply(before_); }
    void redo() override { editor_.apply(after_); }
    int id() const override { return key_; }
    bool mergeWith(const QUndoCommand* other) override
    {
        if (other->id() != key_ || key_ == tariff_editor::kNoMerge) return false;
        after_ = static_cast<const Snapshot*>(other)->after_;
        return true;
    }

private:
    TariffEditor& editor_;
    Tariff before_, after_;
    int key_;
};

}  // namespace torepal
