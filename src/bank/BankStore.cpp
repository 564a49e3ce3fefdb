#include "bank/BankStore.h"

namespace torepal {

Loaded<CBSave> BankStore::load(std::uint64_t& generation) const
{
    Loaded<CBSave> loaded = LoadBankFile(folder_);
    generation = writes_;
    if (loaded.status == LoadStatus::Damaged) damagePending_ = true;
    return loaded;
}

bool BankStore::store(const Accounts& rows, std::uint64_t& generation)
{
    // A fresh record: the postal rows have no bank name, whatever a page's
    // copy holds there.
    CBSave record;
    for (std::size_t i = 0; i < kAccountCount; ++i) {
        const BankAccount& from = rows[i];
        BankAccount& to = record.rows[i];
        if (i < kParuruRow) to.bankName = from.bankName;
        to.branch = from.branch;
        to.number = from.number;
        to.holder = from.holder;
        to.kind = from.kind;
    }
    if (!StoreBankFile(folder_, record)) return false;
    ++writes_;
    generation = writes_;
    damageReported_ = false;
    damagePending_ = false;
    return true;
}

bool BankStore::takeDamageReport()
{
    if (!damagePending_ || damageReported_) return false;
    damagePending_ = false;
    damageReported_ = true;
    return true;
}

}  // namespace torepal
