#pragma once
// The six payment accounts a seller keeps: banks 1 to 4, then the postal
// "ぱるる" account, then the postal "振替口座" account, always in that order.

#include <array>
#include <cstdint>
#include <string>

namespace torepal {

struct BankAccount {
    std::string bankName;   // bank rows only; always empty in the postal rows
    std::string branch;     // 支店名, or 記号 in the postal rows
    std::string number;     // 口座番号 / 番号
    std::string holder;     // 名義
    std::int32_t kind = 0;  // bank rows: 0 普通, anything else 当座; postal rows: 0

    bool operator==(const BankAccount&) const = default;
};

inline constexpr std::size_t kAccountCount = 6;
inline constexpr std::size_t kParuruRow = 4;
inline constexpr std::size_t kFurikaeRow = 5;

using Accounts = std::array<BankAccount, kAccountCount>;

// One tick per account row, in row order (the six account boxes on both
// pages).
using AccountTicks = std::array<bool, kAccountCount>;

}  // namespace torepal
