#pragma once
// The three settings records. Each file beside the program holds exactly one
// record, field by field in a fixed order (see the .cpp files for the byte
// layouts). Every field starts zeroed; a tick reads as on when its u32 is
// not 0.

#include <cstdint>
#include <string>

#include "store/BankAccount.h"

namespace torepal {

// bank.ini: the six account rows. The file stores holder before number.
struct CBSave {
    Accounts rows;
};

// plate.ini: the plate page's choices and texts.
struct CPSave {
    // Carrier ticks in file order: クロネコヤマト, 佐川急便, ゆうパック,
    // Yahoo！ゆうパック, 定形外郵便, 冊子小包, クロネコメール便, EXPACK500.
    bool yamato = false, sagawa = false, yuPack = false, yahooYuPack = false;
    bool teikeigai = false, sasshi = false, kuronekoMail = false, expack = false;
    std::int32_t originIndex = 0;
    std::string TOthers;  // written twice; on reading the second copy wins
    std::string Others;
    std::string color;
    std::string bgcolor;
    std::string fcolor;
    std::string yahooId;
    bool linkOn = false;   // リンクする
    bool linkOff = false;  // リンクしない
    std::uint32_t reserved = 0;
    std::int32_t templateType = 0;
    bool center = false;  // 中央
    bool left = false;    // 左寄せ
    AccountTicks accountTicks{};
    bool yahooEasy = false;  // Yahoo!かんたん決算
    bool stamps = false;     // 切手
    std::string mytext;
    // Kept after the fields above only when on (see SettingsRecords.cpp).
    bool phoneFit = false;  // スマートフォンでも読みやすく
};

// status.ini: the seller's own details and the mail page's account ticks.
struct CSavemail {
    std::string post;
    std::string myname;
    std::string zip;
    std::string tel;
    std::string ktel;
    AccountTicks accountTicks{};
};

}  // namespace torepal
