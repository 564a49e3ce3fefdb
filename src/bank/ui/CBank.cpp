#include "bank/ui/CBank.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/DesktopPlatform.h"
#include "platform/ui/QtText.h"
#include "ui_CBank.h"

namespace torepal {
namespace {

// How each row is called for screen readers and in messages about a
// character that cannot be held.
QString RowName(std::size_t row)
{
    if (row == kParuruRow) return QStringLiteral("ぱるる");
    if (row == kFurikaeRow) return QStringLiteral("振替口座");
    return QStringLiteral("銀行%1").arg(row + 1);
}

QString FieldName(std::size_t row, const QString& column)
{
    return RowName(row) + QLatin1Char(' ') + column;
}

bool IsBankRow(std::size_t row)
{
    return row < kParuruRow;
}

// What the dialog shows and edits of a row. A postal row has no bank name:
// one a stored record holds there is neither shown nor changed.
void CopyEditedFields(const BankAccount& from, BankAccount& to, std::size_t row)
{
    if (IsBankRow(row)) {
        to = from;
        return;
    }
    to.branch = from.branch;
    to.number = from.number;
    to.holder = from.holder;
    to.kind = from.kind;
}

}  // namespace

CBank::CBank(DesktopPlatform& platform, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CBank>()), platform_(platform)
{
    ui_->setupUi(this);

    widgets_[0] = {ui_->bank1NameEdit, ui_->bank1BranchEdit, ui_->bank1KindCombo, ui_->bank1NumberEdit,
                   ui_->bank1HolderEdit};
    widgets_[1] = {ui_->bank2NameEdit, ui_->bank2BranchEdit, ui_->bank2KindCombo, ui_->bank2NumberEdit,
                   ui_->bank2HolderEdit};
    widgets_[2] = {ui_->bank3NameEdit, ui_->bank3BranchEdit, ui_->bank3KindCombo, ui_->bank3NumberEdit,
                   ui_->bank3HolderEdit};
    widgets_[3] = {ui_->bank4NameEdit, ui_->bank4BranchEdit, ui_->bank4KindCombo, ui_->bank4NumberEdit,
                   ui_->bank4HolderEdit};
    widgets_[kParuruRow] = {nullptr, ui_->paruruSymbolEdit, ui_->paruruKindCombo, ui_->paruruNumberEdit,
                            ui_->paruruHolderEdit};
    widgets_[kFurikaeRow] = {nullptr, ui_->furikaeSymbolEdit, ui_->furikaeKindCombo, ui_->furikaeNumberEdit,
                             ui_->furikaeHolderEdit};

    for (std::size_t row = 0; row < kAccountCount; ++row) {
        RowWidgets& w = widgets_[row];
        if (IsBankRow(row)) {
            w.kind->addItem(QStringLiteral("普通"));
            w.kind->addItem(QStringLiteral("当座"));
        } else {
            w.kind->addItem(row == kParuruRow ? QStringLiteral("ぱるる") : QStringLiteral("振替口座"));
        }
        // One column label stands above four rows, so it cannot name an edit
        // on its own: each control says which row and column it is.
        if (w.bankName) w.bankName->setAccessibleName(FieldName(row, QStringLiteral("銀行名")));
        w.branch->setAccessibleName(FieldName(row, IsBankRow(row) ? QStringLiteral("支店名") : QStringLiteral("記号")));
        w.kind->setAccessibleName(FieldName(row, QStringLiteral("種類")));
        // On Linux Qt names a combo box by its current entry and finds its
        // label through a buddy only: a hidden buddy label says the row.
        auto* kindName = new QLabel(FieldName(row, QStringLiteral("種類")), w.kind->parentWidget());
        kindName->setObjectName(w.kind->objectName() + QStringLiteral("Name"));
        kindName->setBuddy(w.kind);
        kindName->hide();
        w.number->setAccessibleName(
            FieldName(row, IsBankRow(row) ? QStringLiteral("口座番号") : QStringLiteral("番号")));
        w.holder->setAccessibleName(FieldName(row, QStringLiteral("名義")));
    }

    connect(ui_->okButton, &QPushButton::clicked, this, &CBank::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CBank::reject);
}

CBank::~CBank() = default;

void CBank::setRows(const Accounts& rows)
{
    rows_ = rows;
    for (std::size_t row = 0; row < kAccountCount; ++row) {
        const BankAccount& account = rows_[row];
        RowWidgets& w = widgets_[row];
        if (w.bankName) SetLine(w.bankName, account.bankName);
        SetLine(w.branch, account.branch);
        SetLine(w.number, account.number);
        SetLine(w.holder, account.holder);
        const bool held = account.kind >= 0 && account.kind < w.kind->count();
        w.kind->setCurrentIndex(held ? account.kind : -1);
    }
}

void CBank::accept()
{
    FieldReader reader;
    Accounts read = rows_;
    for (std::size_t row = 0; row < kAccountCount; ++row) {
        BankAccount& account = read[row];
        const RowWidgets& w = widgets_[row];
        account.kind = SelectedIndex(w.kind);
        if (w.bankName) account.bankName = reader.line(w.bankName, FieldName(row, QStringLiteral("銀行名")));
        account.branch =
            reader.line(w.branch, FieldName(row, IsBankRow(row) ? QStringLiteral("支店名") : QStringLiteral("記号")));
        account.number =
            reader.line(w.number, FieldName(row, IsBankRow(row) ? QStringLiteral("口座番号") : QStringLiteral("番号")));
        account.holder = reader.line(w.holder, FieldName(row, QStringLiteral("名義")));
    }
    if (!reader.reportTo(platform_)) return;
    rows_ = read;
    QDialog::accept();
}

bool EditAccounts(DesktopPlatform& platform, QWidget* parent, Accounts& rows)
{
    Accounts shown;
    for (std::size_t row = 0; row < kAccountCount; ++row) CopyEditedFields(rows[row], shown[row], row);

    CBank editor(platform, parent);
    editor.setRows(shown);
    if (platform.runModal(editor) != QDialog::Accepted) return false;

    const Accounts& confirmed = editor.rows();
    for (std::size_t row = 0; row < kAccountCount; ++row) CopyEditedFields(confirmed[row], rows[row], row);
    return true;
}

}  // namespace torepal
