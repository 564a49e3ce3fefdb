#pragma once
// The plate page's record. Fields are named after the page placeholders
// they feed. Texts are Shift-JIS; multi-line texts hold CR LF line breaks.

#include <cstdint>
#include <string>

#include "shipping/ShippingChoices.h"
#include "store/BankAccount.h"

namespace torepal {

// The plate form's texts, under the one name each has in every record that
// holds it (this record, the project record, the recovery file's form);
// plate/PlateFields.h says where each is kept.
struct PlateTexts {
    std::string Title;
    std::string Items;
    std::string trans;
    std::string TOthers;
    std::string Others;
    std::string color;
    std::string bgcolor;
    std::string fcolor;
    std::string sdata;  // the last render's shipping text
    std::string pdata;  // the last render's payment text
    std::string mytext;
    std::string yahooId;
    bool operator==(const PlateTexts&) const = default;
};

struct PlateState : PlateTexts {
    std::int32_t templateType = 0;  // 0..4 for タイプ１..タイプ５, -1 none
    std::int32_t weightIndex = 0;   // into WeightList
    std::int32_t sizeIndex = 0;     // into SizeList
    std::int32_t originIndex = 0;   // into PrefectureList
    // Into ThicknessList, 0 指定なし; read only for the current services.
    std::int32_t thicknessIndex = 0;

    std::string page;  // the last rendered page
    Accounts accounts;
};

// The eight payment boxes, in the order the payment text lists them.
struct PaymentTicks {
    AccountTicks accounts{};  // the four bank boxes, the ぱるる box, the 振替口座 box
    bool yahooEasy = false;   // the Yahoo!かんたん決済 box
    bool stamps = false;      // the 切手 box
    bool operator==(const PaymentTicks&) const = default;
};

// The tick and radio states the page holds in its controls, read when a
// page is rendered, stored or saved. A radio pair may hold both or neither
// state in stored files, so each button has its own flag.
struct PlateFlags {
    PaymentTicks payment;
    CarrierTicks carriers;
    bool center = true;   // 1101 中央
    bool left = false;    // the 左寄せ box
    bool linkOff = true;  // 1109 リンクしない
    bool linkOn = false;  // the リンクする box
    // The スマートフォンでも読みやすく box: the fitting form of the page type
    // (plate/PhoneFitting.h). Off, the page is the ordinary one.
    bool phoneFit = false;
    bool operator==(const PlateFlags&) const = default;
};

}  // namespace torepal
