#pragma once
// bank.ini is where the plate page's and the mail page's copies of the
// accounts meet. The store counts its writes, so a page can tell that its
// copy is older than the file (the other page's editor wrote since) and
// reload before it edits or before the exit write: a stale copy never
// overwrites a newer edit.

#include <cstdint>
#include <filesystem>
#include <utility>

#include "store/SettingsFiles.h"

namespace torepal {

class BankStore {
public:
    explicit BankStore(std::filesystem::path programFolder) : folder_(std::move(programFolder)) {}

    // Reads bank.ini. `generation` receives the write count the copy belongs to.
    Loaded<CBSave> load(std::uint64_t& generation) const;

    // Writes bank.ini atomically; on success the write count goes up and
    // `generation` becomes the new count. The postal rows' bank names are
    // not stored (they are written empty). False leaves the old file; the
    // caller shows StoreFailedMessage(kBankFile).
    bool store(const Accounts& rows, std::uint64_t& generation);

    // Both pages load bank.ini, at start-up and on every tab change, but a
    // damaged file is told to the seller once. After a load, the page asks
    // this; true (only the first time for the damage found) means "show
    // DamagedSettingsMessage(kBankFile, loaded.keptCopy) now". A successful
    // store repairs the file, so damage found after it is told again.
    bool takeDamageReport();

    // True when the copy of `generation` is not what bank.ini holds now:
    // the file was written after it was taken, or it never came from the
    // file (a project's accounts).
    bool isStale(std::uint64_t generation) const { return generation == kNotFromFile || generation < writes_; }

    // The generation of a copy that does not come from bank.ini: the
    // accounts of an opened project. Such a copy serves the page it was
    // given to, but is always stale, so the account editor and every write
    // reload bank.ini first: a project's (possibly older) accounts never
    // reach the file and never undo an account registered after it.
    static constexpr std::uint64_t kNotFromFile = ~std::uint64_t{0};
    std::uint64_t projectCopyGeneration() const { return kNotFromFile; }
    // The same, under the name the pages use when they take a project's
    // accounts.
    std::uint64_t currentGeneration() const { return projectCopyGeneration(); }

    // How often bank.ini has been written by this run.
    std::uint64_t writes() const { return writes_; }

private:
    std::filesystem::path folder_;
    std::uint64_t writes_ = 0;
    bool damageReported_ = false;
    mutable bool damagePending_ = false;
    friend class BankStoreTestAccess;
};

}  // namespace torepal
