#include "plate/PlateFields.h"

namespace torepal {
namespace {

using enum ProjectSection;

// The booth text may hold line breaks, which its one-line place in the
// project file drops, and is edited in a dialog of its own; the shipping and
// payment texts are the last render's and have no place there.
// clang-format off
constexpr PlateTextField kTexts[] = {
    // name       member                project   plate.ini         recovery  the page's edit    caption
    {"Title",     &PlateTexts::Title,   {TM5, 1}, nullptr,          kProject, "titleEdit",       "商品タイトル"},
    {"Items",     &PlateTexts::Items,   {TM1, 1}, nullptr,          kProject, "itemsEdit",       "商品情報"},
    {"trans",     &PlateTexts::trans,   {TM1, 2}, nullptr,          kProject, "transEdit",       "発送方法"},
    {"TOthers",   &PlateTexts::TOthers, {TM5, 2}, &CPSave::TOthers, kProject, "othersTitleEdit", "追加項目の見出し"},
    {"Others",    &PlateTexts::Others,  {TM1, 3}, &CPSave::Others,  kProject, "othersEdit",      "追加項目の内容"},
    {"color",     &PlateTexts::color,   {TM5, 3}, &CPSave::color,   kProject, "colorEdit",       "カラー1"},
    {"bgcolor",   &PlateTexts::bgcolor, {TM5, 4}, &CPSave::bgcolor, kProject, "bgcolorEdit",     "カラー2"},
    {"fcolor",    &PlateTexts::fcolor,  {TM5, 5}, &CPSave::fcolor,  kProject, "fcolorEdit",      "カラー3"},
    {"yahooId",   &PlateTexts::yahooId, {TM5, 6}, &CPSave::yahooId, kProject, "yahooIdEdit",     "Yahoo ID"},
    {"mytext",    &PlateTexts::mytext,  {TM5, 7}, &CPSave::mytext,  kOwn,     {},                {}},
    {"sdata",     &PlateTexts::sdata,   {},       nullptr,          kOwn,     {},                {}},
    {"pdata",     &PlateTexts::pdata,   {},       nullptr,          kOwn,     {},                {}},
};

#define FLAG(path) [](PlateFlags& f) -> bool& { return f.path; }
#define KEPT(path) [](CPSave& s) -> bool& { return s.path; }
constexpr PlateTickField kTicks[] = {
    // name          the form's flag                  project     plate.ini
    {"account1",     FLAG(payment.accounts[0]),      {TM2, 1},   KEPT(accountTicks[0])},
    {"account2",     FLAG(payment.accounts[1]),      {TM2, 2},   KEPT(accountTicks[1])},
    {"account3",     FLAG(payment.accounts[2]),      {TM2, 3},   KEPT(accountTicks[2])},
    {"account4",     FLAG(payment.accounts[3]),      {TM2, 4},   KEPT(accountTicks[3])},
    {"paruru",       FLAG(payment.accounts[4]),      {TM2, 5},   KEPT(accountTicks[4])},
    {"furikae",      FLAG(payment.accounts[5]),      {TM2, 6},   KEPT(accountTicks[5])},
    {"yahooEasy",    FLAG(payment.yahooEasy),        {TM2, 7},   KEPT(yahooEasy)},
    {"stamps",       FLAG(payment.stamps),           {TM2, 8},   KEPT(stamps)},
    {"yamato",       FLAG(carriers.yamato),          {TM3, 1},   KEPT(yamato)},
    {"sagawa",       FLAG(carriers.sagawa),          {TM3, 2},   KEPT(sagawa)},
    {"yuPack",       FLAG(carriers.yuPack),          {TM3, 3},   KEPT(yuPack)},
    {"yahooYuPack",  FLAG(carriers.yahooYuPack),     {TM3, 4},   KEPT(yahooYuPack)},
    {"teikeigai",    FLAG(carriers.teikeigai),       {TM3, 5},   KEPT(teikeigai)},
    {"sasshi",       FLAG(carriers.sasshi),          {TM3, 6},   KEPT(sasshi)},
    {"kuronekoMail", FLAG(carriers.kuronekoMail),    {TM3, 7},   KEPT(kuronekoMail)},
    {"expack",       FLAG(carriers.expack),          {TM3, 8},   KEPT(expack)},
    {"center",       FLAG(center),                   {TM4, 5},   KEPT(center)},
    {"left",         FLAG(left),                     {TM4, 6},   KEPT(left)},
    {"linkOff",      FLAG(linkOff),                  {TM4, 7},   KEPT(linkOff)},
    {"linkOn",       FLAG(linkOn),                   {TM4, 8},   KEPT(linkOn)},
    {"phoneFit",     FLAG(phoneFit),                 {PL1, 1},   KEPT(phoneFit)},
};
#undef FLAG
#undef KEPT

constexpr PlateSelectionField kSelections[] = {
    // name      member                        project     plate.ini
    {"weight",   &PlateSelections::weight,     {TM4, 1},   nullptr},
    {"size",     &PlateSelections::size,       {TM4, 2},   nullptr},
    {"origin",   &PlateSelections::origin,     {TM4, 3},   &CPSave::originIndex},
    {"type",     &PlateSelections::type,       {TM4, 4},   &CPSave::templateType},
};
// clang-format on

}  // namespace

std::span<const PlateTextField> PlateTextFields()
{
    return kTexts;
}

std::span<const PlateTickField> PlateTickFields()
{
    return kTicks;
}

std::span<const PlateSelectionField> PlateSelectionFields()
{
    return kSelections;
}

}  // namespace torepal
