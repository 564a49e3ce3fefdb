#pragma once
// The account editor "振込み口座の編集": four bank rows and the two postal
// rows, shown modally from either page. The six rows are its state; OK
// reads the widgets into them, cancel leaves them as they were given.

#include <QDialog>
#include <QString>
#include <array>
#include <memory>

#include "store/BankAccount.h"

class QComboBox;
class QLineEdit;

namespace Ui {
class CBank;
}

namespace torepal {

class DesktopPlatform;

class CBank : public QDialog {
    Q_OBJECT

public:
    // `platform` is told when a typed character cannot be held in Shift-JIS.
    explicit CBank(DesktopPlatform& platform, QWidget* parent = nullptr);
    ~CBank() override;

    // Shows the rows: texts in the edits, each combo at its row's kind (a
    // kind the combo does not hold selects nothing).
    void setRows(const Accounts& rows);
    const Accounts& rows() const { return rows_; }

    // Each row's kind becomes its combo's index (-1 for none), then the
    // edits are read into the rows and the editor closes with OK. A
    // character Shift-JIS cannot hold is reported and the editor stays open
    // with nothing changed.
    void accept() override;

private:
    struct RowWidgets {
        QLineEdit* bankName = nullptr;  // bank rows only
        QLineEdit* branch = nullptr;    // 支店名, or 記号 in the postal rows
        QComboBox* kind = nullptr;
        QLineEdit* number = nullptr;
        QLineEdit* holder = nullptr;
    };

    std::unique_ptr<Ui::CBank> ui_;
    DesktopPlatform& platform_;
    std::array<RowWidgets, kAccountCount> widgets_;
    Accounts rows_;
};

// The pages' account editing: shows the page's rows in the editor (the
// postal rows without their bank name), and on OK copies the confirmed rows
// back (bank rows whole; postal rows branch, number, holder and kind) and
// returns true. Cancel returns false and leaves `rows` alone. The page then
// recaptions its boxes and stores bank.ini.
bool EditAccounts(DesktopPlatform& platform, QWidget* parent, Accounts& rows);

}  // namespace torepal
