// Yahoo！ゆうパック: the weight picks one of ten rate classes with four
// prices, and the origin sorts every prefecture into one of four tiers, one
// per price. The block lists each price with the prefectures it applies to.

#include "shipping/RateTables.h"
#include "shipping/RegionLines.h"
#include "shipping/ShippingText.h"
#include "text/Encoding.h"

namespace torepal {

// By WeightList position; "～25kg" and "～30kg" (27, 28) have no class.
const std::array<IndexRange, 10> kYahooWeightClasses = {{
    {0, 12, 0},   // ～25g .. ～2kg
    {13, 14, 1},  // ～3kg, ～4kg
    {15, 16, 2},  // ～5kg, ～6kg
    {17, 17, 3},  // ～8kg
    {18, 19, 4},  // ～10kg, ～11kg
    {20, 20, 5},  // ～12kg
    {21, 21, 6},  // ～14kg
    {22, 23, 7},  // ～15kg, ～16kg
    {24, 24, 8},  // ～18kg
    {25, 26, 9},  // ～20kg, ～21kg
}};

const std::array<std::array<int, 4>, 10> kYahooPrices = {{
    // tier 1  2     3     4        class
    {550, 640, 740, 920},      // 0
    {700, 790, 890, 1070},     // 1
    {840, 930, 1030, 1210},    // 2
    {910, 1000, 1100, 1280},   // 3
    {990, 1080, 1170, 1350},   // 4
    {1060, 1150, 1250, 1430},  // 5
    {1130, 1220, 1320, 1500},  // 6
    {1200, 1290, 1390, 1570},  // 7
    {1270, 1360, 1460, 1640},  // 8
    {1350, 1440, 1530, 1710},  // 9
}};

// The order the tier lists name prefectures in; not the PrefectureList order.
const std::array<const char*, 47> kYahooDestinations = {{
    "北海道", "青森県", "岩手県", "秋田県",   "山形県", "宮城県",   "福島県", "茨城県", "栃木県", "群馬県",    //  1-10
    "埼玉県", "千葉県", "東京都", "神奈川県", "山梨県", "新潟県",   "長野県", "富山県", "石川県", "福井県",    // 11-20
    "静岡県", "愛知県", "岐阜県", "三重県",   "滋賀県", "京都府",   "大阪府", "兵庫県", "奈良県", "和歌山県",  // 21-30
    "鳥取県", "岡山県", "島根県", "広島県",   "山口県", "香川県",   "徳島県", "愛媛県", "高知県", "福岡県",    // 31-40
    "佐賀県", "大分県", "熊本県", "長崎県",   "宮崎県", "鹿児島県", "沖縄県",                                  // 41-47
}};

// Rows by origin (PrefectureList position), columns the destinations above.
const std::array<const char*, 47> kYahooTiers = {{
    "WWXXYYYZZZ ZZZZZYZZZZ ZZZZZZZZZZ ZZZZZZZZZZ ZZZZZZZ",  //  0 北海道
    "WWWWWWWWWX XXXXXWXYYY YYYYZZZZZZ ZZZZZZZZZZ ZZZZZZZ",  //  1 青森県
    "XWWWWWWWWW XXXXXWWWXY YYYYYYYYYY ZZZZZZZZZZ ZZZZZZZ",  //  2 秋田県
    "XWWWWWWWWX XXXXXWXXYY XYYYZZZZZZ ZZZZZZZZZZ ZZZZZZZ",  //  3 岩手県
    "YWWWWWWWWW WWWWWWXXXX XXXXYYYYYY ZZZZZZZZZZ ZZZZZZZ",  //  4 宮城県
    "YWWWWWWWWW WWWWWWWWXX XXXXXYYYYY ZZZZZZZZZZ ZZZZZZZ",  //  5 山形県
    "YWWWWWWWWW WWWWWWWWXX WXXXXXYYYY YYZZZYYZZZ ZZZZZZZ",  //  6 福島県
    "ZWWWWWWWWW WWWWWWWWXX WWWWXXXXXX YYYYYYYYYZ ZZZZZZZ",  //  7 茨城県
    "ZWWWWWWWWW WWWWWWWWWW WWWWXXXXXX YYYYYYYYYZ ZZZZZZZ",  //  8 栃木県
    "ZXXWWWWWWW WWWWWWWWWW WWWWXXXXXX YYYYYYYYYZ ZZZZZZZ",  //  9 群馬県
    "ZXXXWWWWWW WWWWWWWWWW WWWWXXXXXX YYYYYYYYYZ ZZZZZZZ",  // 10 埼玉県
    "ZXXXWWWWWW WWWWWWWWXX WWWWXXXXXX YYYYYYYYYZ ZZZZZZZ",  // 11 千葉県
    "ZXXXWWWWWW WWWWWWWWWW WWWWWWWXWX YYYYYYYYYZ ZZZZZZZ",  // 12 東京都
    "ZXXXWWWWWW WWWWWWWWWW WWWWWXXXXX YYYYYYYYYZ ZZZZZZZ",  // 13 神奈川県
    "ZXXXWWWWWW WWWWWWWWWW WWWWWWWXWX XXYYYXXYYZ ZZZZZZZ",  // 14 山梨県
    "YWWWWWWWWW WWWWWWWWWW WWWWWXXXXX YYYYYYYYYZ ZZZZZZZ",  // 15 新潟県
    "ZXXWWXWWWW WWWWWWWWWW WWWWWWWWWW XXYYYXXYYZ ZZZZZZZ",  // 16 長野県
    "ZYXYXXWWWW WWWWWWWWWW WWWWWWWWWW WWXXXWWWWY YYYYZZZ",  // 17 静岡県
    "ZYYYXXXWWW WWWWWWWWWW WWWWWWWWWW WWXXXWWWWY YYYYZZZ",  // 18 愛知県
    "ZYYYXXXWWW WWWWWWWWWW WWWWWWWWWW WWXXXWWWWY YYYYZZZ",  // 19 三重県
    "ZYYYXXXWWW WWWWWWWWWW WWWWWWWWWW WWWWWWWWWY YYYYZZZ",  // 20 岐阜県
    "ZYXWWXWWWW WWWWWWWWWW WWWWWWWWWW WWXXXWWXXY YYZZZZZ",  // 21 富山県
    "ZYYXXXXXWW WXWWWWWWWW WWWWWWWWWW WWXXXWWXXY YYZZZZZ",  // 22 石川県
    "ZYYYXXXXWW WXWWWWWWWW WWWWWWWWWW WWXXXWWXXY YYYYZZZ",  // 23 福井県
    "ZZZYYYYXXX XXXWWXWWWW WWWWWWWWWW WWWWWWWWWX XXXXYYY",  // 24 大阪府
    "ZZZYYYXXXX XXXWWXWWWW WWWWWWWWWW WWWWWWWWWX YYYYYYY",  // 25 京都府
    "ZZZYXYXXXX XXWWWWWWWW WWWWWWWWWW WWWWWWWWWX YYYYYYY",  // 26 滋賀県
    "ZZZYYYYXXX XXXWWXWWWW WWWWWWWWWW WWWWWWWWWX YYYYYYY",  // 27 奈良県
    "ZZZYYYYXXX XXXXXXWWWW WWWWWWWWWW WWWWWWWWWX YYYYYYY",  // 28 和歌山県
    "ZZZYYYYXXX XXXXXXWWWW WWWWWWWWWW WWWWWWWWWX XXXXYYY",  // 29 兵庫県
    "ZZZZZZYYYY YYYYXYXWWW WWWWWWWWWW WWWWWWWWWW WXXXXXX",  // 30 岡山県
    "ZZZZZZZYYY YYYYYYYXXX XXWXWWWWWW WWWWWWWWWW WWWWXXX",  // 31 広島県
    "ZZZZZZZYYY YYYYYYYXXX XXWXWWWWWW WWWWWWWWWW WWWWWWX",  // 32 山口県
    "ZZZZZZYYYY YYYYXYXWWW WWWWWWWWWW WWWWWWWWWW WXXXXXX",  // 33 鳥取県
    "ZZZZZZZYYY YYYYYYYXXX XXWXWWWWWW WWWWWWWWWW WWWWXXX",  // 34 島根県
    "ZZZZZZYYYY YYYYXYXWWW WWWWWWWWWW WWWWWWWWWW WWWXXXX",  // 35 香川県
    "ZZZZZZYYYY YYYYXYXWWW WWWWWWWWWW WWWWWWWWWX XWXXXXX",  // 36 徳島県
    "ZZZZZZZYYY YYYYYYYXXX WWWWWWWWWW WWWWWWWWWW WWWWWWX",  // 37 愛媛県
    "ZZZZZZZYYY YYYYYYYXXX WWWWWWWWWW WWWWWWWWWX XWXXXXX",  // 38 高知県
    "ZZZZZZZZZZ ZZZZZZZYYY YYYYXXXXXX WWWWWWXWXW WWWWWWW",  // 39 福岡県
    "ZZZZZZZZZZ ZZZZZZZYYY YYYYYYXXYY WWWWWWXWXW WWWWWWW",  // 40 佐賀県
    "ZZZZZZZZZZ ZZZZZZZZZY YYYYYYXXYY XXWWWXXWXW WWWWWWW",  // 41 長崎県
    "ZZZZZZZZZZ ZZZZZZZZZY YYYYYYXXYY XXWWWWXWXW WWWWWWW",  // 42 大分県
    "ZZZZZZZZZZ ZZZZZZZYYY YYYYYYXXYY XXWWWWWWWW WWWWWWW",  // 43 熊本県
    "ZZZZZZZZZZ ZZZZZZZZZZ ZZZZYYYYYY XXXXWXXWXW WWWWWWW",  // 44 宮崎県
    "ZZZZZZZZZZ ZZZZZZZZZZ ZZZZYYYYYY XXXXWXXWXW WWWWWWW",  // 45 鹿児島県
    "ZZZZZZZZZZ ZZZZZZZZZZ ZZZZYYYYYY XXXXXXXXXW WWWWWWW",  // 46 沖　縄
}};

// Seven lists are not the plain join of their tier's prefectures: some are
// out of order, one writes "香川" without 県, one has a blank in "愛 知県".
// Pages made so far carry them this way, so they are kept as they are.
const std::array<TierListException, 7> kYahooTierListExceptions = {{
    {28, 1,
     "長野県、富山県、石川県、福井県、静岡県、愛知県、岐阜県、三重県、滋賀県、京都府、大阪府、兵庫県、奈良県、和歌山県"
     "、鳥取県、岡山県、島根県、広島県、山口県、香川、徳島県、愛媛県、高知県"},
    {31, 3, "茨城県、栃木県、群馬県、埼玉県、千葉県、東京都、神奈川県、山梨県、長野県、新潟県"},
    {32, 3, "茨城県、栃木県、群馬県、埼玉県、千葉県、東京都、神奈川県、山梨県、長野県、新潟県"},
    {34, 3, "茨城県、栃木県、群馬県、埼玉県、千葉県、東京都、神奈川県、山梨県、長野県、新潟県"},
    {36, 2, "山梨県、長野県、福岡県、熊本県、佐賀県、長崎県、宮崎県、鹿児島県、沖縄県"},
    {37, 1,
     "静岡県、愛 "
     "知県、岐阜県、三重県、滋賀県、京都府、大阪府、兵庫県、奈良県、和歌山県、鳥取県、岡山県、島根県、広島県、山口県、"
     "香川県、徳島県、愛媛県、高知県、福岡県、熊本県、大分県、佐賀県、長崎県、宮崎県、鹿児島県"},
    {37, 3, "茨城県、栃木県、群馬県、埼玉県、千葉県、東京都、神奈川県、山梨県、長野県、新潟県"},
}};

namespace {

using TierLists = std::array<std::array<std::string, 4>, 47>;

// The list text of every tier of every origin, in Shift-JIS.
TierLists BuildTierLists()
{
    std::vector<std::string> destinations;
    for (const char* name : kYahooDestinations) destinations.push_back(Sjis(name));
    static const std::string separator = Sjis(kListSeparator);

    TierLists lists;
    for (std::size_t origin = 0; origin < kYahooTiers.size(); ++origin) {
        std::size_t destination = 0;
        for (const char* letter = kYahooTiers[origin]; *letter != '\0' && destination < destinations.size(); ++letter) {
            if (*letter < 'W' || *letter > 'Z')  // the blanks between groups of ten
                continue;
            std::string& list = lists[origin][*letter - 'W'];
            if (!list.empty()) list += separator;
            list += destinations[destination++];
        }
    }
    for (const TierListException& e : kYahooTierListExceptions) lists[e.origin][e.tier - 1] = Sjis(e.list);
    return lists;
}

}  // namespace

void WriteYahooYuPackRates(std::string& sdata, const ParcelChoice& choice)
{
    static const std::string header = Sjis(kYahooHeader);
    static const std::string open = Sjis(kYahooTierOpen);
    static const std::string close = Sjis(kYahooTierClose);
    static const std::string end = Sjis(kYahooListEnd);
    static const TierLists lists = BuildTierLists();

    const ParcelChoice parcel = InsideLists(choice);
    const int rateClass = ValueInRanges(kYahooWeightClasses, parcel.weightIndex, -1);
    if (rateClass < 0) return;

    sdata += header;
    for (int tier = 0; tier < 4; ++tier) {
        sdata += open;
        sdata += std::to_string(kYahooPrices[rateClass][tier]);
        sdata += close;
        sdata += lists[parcel.originIndex][tier];
        sdata += end;
    }
}

}  // namespace torepal
