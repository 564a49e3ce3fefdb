#include "shipping/ParcelLists.h"

#include "text/Encoding.h"

namespace torepal {
namespace {

std::vector<std::string> Converted(std::initializer_list<const char*> utf8)
{
    std::vector<std::string> out;
    for (const char* s : utf8) out.push_back(Sjis(s));
    return out;
}

}  // namespace

const std::vector<std::string>& WeightList()
{
    // The first character is the full-width tilde U+FF5E (Shift-JIS 81 60).
    // The steps are uneven on purpose: there is no 400 g, 7, 9, 13, 17 or 19 kg.
    static const std::vector<std::string> list = Converted({
        "～25g",  "～50g",  "～75g",  "～100g", "～150g", "～200g", "～250g", "～300g", "～500g", "～600g",
        "～750g", "～1kg",  "～2kg",  "～3kg",  "～4kg",  "～5kg",  "～6kg",  "～8kg",  "～10kg", "～11kg",
        "～12kg", "～14kg", "～15kg", "～16kg", "～18kg", "～20kg", "～21kg", "～25kg", "～30kg",
    });
    return list;
}

const std::vector<std::string>& SizeList()
{
    static const std::vector<std::string> list = Converted({
        "60size",
        "70size",
        "80size",
        "90size",
        "100size",
        "120size",
        "140size",
        "150size",
        "160size",
        "170size",
    });
    return list;
}

const std::vector<std::string>& PrefectureList()
{
    // Grouped by the carriers' regions, not by the usual numbering; the last
    // entry has an ideographic space and no 県.
    static const std::vector<std::string> list = Converted({
        "北海道", "青森県", "秋田県", "岩手県", "宮城県",   "山形県", "福島県",              //  0- 6
        "茨城県", "栃木県", "群馬県", "埼玉県", "千葉県",   "東京都", "神奈川県", "山梨県",  //  7-14
        "新潟県", "長野県",                                                                  // 15-16
        "静岡県", "愛知県", "三重県", "岐阜県",                                              // 17-20
        "富山県", "石川県", "福井県",                                                        // 21-23
        "大阪府", "京都府", "滋賀県", "奈良県", "和歌山県", "兵庫県",                        // 24-29
        "岡山県", "広島県", "山口県", "鳥取県", "島根県",                                    // 30-34
        "香川県", "徳島県", "愛媛県", "高知県",                                              // 35-38
        "福岡県", "佐賀県", "長崎県", "大分県", "熊本県",   "宮崎県", "鹿児島県",            // 39-45
        "沖　縄",                                                                            // 46
    });
    return list;
}

int ListIndexOrFirst(int index, std::size_t listSize)
{
    return (index >= 0 && static_cast<std::size_t>(index) < listSize) ? index : 0;
}

}  // namespace torepal
