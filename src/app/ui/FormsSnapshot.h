#pragma once
// Both forms as the seller left them, taken before a command of the menu
// replaces them (開く, 新規作成), so that 元に戻す in the status line can
// show them again: every control of the two pages (ControlValues), and what
// the plate page keeps beside its controls, the booth text and the accounts
// its account boxes name.

#include <string>

#include "platform/ui/ControlValues.h"
#include "store/BankAccount.h"

namespace torepal {

class CDTemplate;
class CMail;

class FormsSnapshot {
public:
    static FormsSnapshot of(CDTemplate& plate, const CMail& mail);

    // The pages as they were; what the seller changed since is replaced.
    void putBack(CDTemplate& plate) const;

    // Whether the forms hold the same values (a command that changed
    // nothing leaves nothing to take back).
    bool operator==(const FormsSnapshot&) const;

private:
    ControlValues plate_;
    ControlValues mail_;
    std::string boothText_;
    Accounts accounts_{};
};

}  // namespace torepal
