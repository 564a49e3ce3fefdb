// クロネコヤマト: a zone tariff priced by the larger of the weight class and
// the size class; twelve regions, the same for every origin.

#include <algorithm>

#include "shipping/RateTables.h"
#include "shipping/RegionLines.h"
#include "shipping/ShippingText.h"
#include "text/Encoding.h"

namespace torepal {

// Weight: up to 2, 5, 10, 15, 20, 25 kg; "～30kg" is class 6.
const std::array<IndexRange, 7> kYamatoWeightClasses = {{
    {0, 12, 0},
    {13, 15, 1},
    {16, 18, 2},
    {19, 22, 3},
    {23, 25, 4},
    {26, 27, 5},
    {28, 28, 6},
}};

// Size: 60, 80, 100, 120, 140, 160; "170size" is class 6. ゆうパック uses
// the same classes (its 170 size priced).
const std::array<IndexRange, 7> kYamatoSizeClasses = {{
    {0, 0, 0},
    {1, 2, 1},
    {3, 4, 2},
    {5, 5, 3},
    {6, 6, 4},
    {7, 8, 5},
    {9, 9, 6},
}};

const std::array<RegionRow, 12> kYamatoRegions = {{
    {"【北海道】 ", "北海道"},
    {"【北東北】 ", "青森県、秋田県、岩手県"},
    {"【南東北】 ", "宮城県、山形県、福島県"},
    {"【関　東】 ", "茨城県、栃木県、群馬県、埼玉県、千葉県、神奈川県、東京都、山梨県"},
    {"【信　越】 ", "新潟県、長野県"},
    {"【中　部】 ", "静岡県、愛知県、三重県、岐阜県"},
    {"【北　陸】 ", "富山県、石川県、福井県"},
    {"【関　西】 ", "大阪府、京都府、滋賀県、奈良県、和歌山県、兵庫県"},
    {"【中　国】 ", "岡山県、広島県、山口県、鳥取県、島根県"},
    {"【四　国】 ", "香川県、徳島県、愛媛県、高知県"},
    {"【九　州】 ", "福岡県、佐賀県、長崎県、熊本県、大分県、宮崎県、鹿児島県"},
    {"【沖　縄】 ", "沖　縄"},
}};

// The origin groups are the twelve regions, by PrefectureList position.
const std::array<IndexRange, 12> kYamatoOriginGroups = {{
    {0, 0, 1},     // 北海道
    {1, 3, 2},     // 北東北
    {4, 6, 3},     // 南東北
    {7, 14, 4},    // 関東
    {15, 16, 5},   // 信越
    {17, 20, 6},   // 中部
    {21, 23, 7},   // 北陸
    {24, 29, 8},   // 関西
    {30, 34, 9},   // 中国
    {35, 38, 10},  // 四国
    {39, 45, 11},  // 九州
    {46, 46, 12},  // 沖縄
}};

const std::array<std::array<int, 6>, 12> kYamatoZonePrices = {{
    //  0     1     2     3     4     5        zone
    {740, 950, 1160, 1370, 1580, 1790},    //  1
    {840, 1050, 1260, 1470, 1680, 1890},   //  2
    {950, 1160, 1370, 1580, 1790, 2000},   //  3
    {1050, 1260, 1470, 1680, 1890, 2100},  //  4
    {1160, 1370, 1580, 1790, 2000, 2210},  //  5
    {1260, 1470, 1680, 1890, 2100, 2310},  //  6
    {1370, 1580, 1790, 2000, 2210, 2420},  //  7
    {1470, 1680, 1890, 2100, 2310, 2520},  //  8
    {1580, 1790, 2000, 2210, 2420, 2630},  //  9
    {1680, 1890, 2100, 2310, 2520, 2730},  // 10
    {1790, 2000, 2210, 2420, 2630, 2840},  // 11
    {1890, 2420, 2940, 3470, 3990, 4520},  // 12  北海道 to and from 沖縄 only
}};

const std::array<std::array<int, 12>, 12> kYamatoZones = {{
    // 1   2   3   4   5   6   7   8   9  10  11  12      origin group
    {1, 3, 4, 5, 5, 6, 6, 8, 9, 10, 11, 12},  //  1 北海道
    {3, 1, 1, 2, 2, 3, 3, 4, 5, 6, 7, 9},     //  2 北東北
    {4, 1, 1, 1, 1, 2, 2, 3, 5, 6, 7, 8},     //  3 南東北
    {5, 2, 1, 1, 1, 1, 1, 2, 3, 4, 5, 6},     //  4 関東
    {5, 2, 1, 1, 1, 1, 1, 2, 3, 4, 5, 7},     //  5 信越
    {6, 3, 2, 1, 1, 1, 1, 1, 2, 3, 3, 6},     //  6 中部
    {6, 3, 2, 1, 1, 1, 1, 1, 2, 3, 3, 7},     //  7 北陸
    {8, 4, 3, 2, 2, 1, 1, 1, 1, 2, 2, 6},     //  8 関西
    {9, 5, 5, 3, 3, 2, 2, 1, 1, 2, 1, 6},     //  9 中国
    {10, 6, 6, 4, 4, 3, 3, 2, 2, 1, 2, 6},    // 10 四国
    {11, 7, 7, 5, 5, 3, 3, 2, 1, 2, 1, 5},    // 11 九州
    {12, 9, 8, 6, 7, 6, 7, 6, 6, 6, 5, 1},    // 12 沖縄
}};

void WriteYamatoRates(std::string& sdata, const ParcelChoice& choice)
{
    static const std::string header = Sjis(kYamatoHeader);
    static const std::vector<Region> regions = ConvertRegions(kYamatoRegions);

    const ParcelChoice parcel = InsideLists(choice);
    const int rateClass = std::max(ValueInRanges(kYamatoWeightClasses, parcel.weightIndex, 0),
                                   ValueInRanges(kYamatoSizeClasses, parcel.sizeIndex, 0));
    if (rateClass >= kYamatoPricedClasses) return;
    const int group = ValueInRanges(kYamatoOriginGroups, parcel.originIndex, 1);
    AppendZoneBlock(sdata, header, regions, kYamatoZones, kYamatoZonePrices, group, rateClass);
}

}  // namespace torepal
