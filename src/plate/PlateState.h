#pragma once
// The plate page's record. Fields are named after the page placeholders
// they feed. Texts are Shift-JIS; multi-line texts hold CR LF line breaks.

#include <cstdint>
#include <string>

#include "bank/BankAccount.h"

namespace torepal {

struct PlateState {
    std::string Title;
    std::string Items;
    std::string trans;
    std::string TOthers;
    std::string Others;
    std::string color;
    std::string bgcolor;
    std::string fcolor;
    std::string sdata;
    std::string pdata;
    std::string mytext;
    std::string yahooId;

    std::int32_t templateType = 0;  // 0..4 for タイプ１..タイプ５, -1 none
    std::int32_t weightIndex = 0;   // into WeightList
    std::int32_t sizeIndex = 0;     // into SizeList
    std::int32_t originIndex = 0;   // into PrefectureList

    std::string page;  // the last rendered page
    Accounts accounts;
};

// The eight payment boxes, in the order the payment text lists them.
struct PaymentTicks {
    AccountTicks accounts{};  // 1042, 1070, 1071, 1072, 1073 ぱるる, 1074 振替口座
    bool yahooEasy = false;   // 1092 "Yahoo!かんたん決済"
    bool stamps = false;      // 1086 "切手"
};

// The eight carrier and mail-class boxes.
struct CarrierTicks {
    bool yamato = false;        // 1075 クロネコヤマト
    bool sagawa = false;        // 1076 佐川急便
    bool yuPack = false;        // 1077 ゆうパック
    bool yahooYuPack = false;   // 1078 Yahoo！ゆうパック
    bool teikeigai = false;     // 1106 定形外郵便
    bool sasshi = false;        // 1079 冊子小包
    bool kuronekoMail = false;  // 1080 クロネコメール便
    bool expack = false;        // 1081 EXPACK500
};

// The tick and radio states the page holds in its controls, read when a
// page is rendered, stored or saved. A radio pair may hold both or neither
// state in stored files, so each button has its own flag.
struct PlateFlags {
    PaymentTicks payment;
    CarrierTicks carriers;
    bool center = true;   // 1101 中央
    bool left = false;    // 1103 左寄せ
    bool linkOff = true;  // 1109 リンクしない
    bool linkOn = false;  // 1110 リンクする
};

// The selected entries of the plate form's four combos (weight, size,
// origin, type), -1 for none: only a project file can leave one unselected.
struct PlateSelections {
    int weight = 0;
    int size = 0;
    int origin = 0;
    int type = 0;
};

}  // namespace torepal
