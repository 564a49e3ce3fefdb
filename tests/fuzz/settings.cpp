// The three settings records read from arbitrary bytes: whatever was read
// before a fault is a record the program can store again, and storing it
// and reading it back gives the same record.

#include "FuzzSupport.h"
#include "store/SettingsFiles.h"

namespace {

using namespace torepal;

bool Same(const CPSave& a, const CPSave& b)
{
    return a.yamato == b.yamato && a.sagawa == b.sagawa && a.yuPack == b.yuPack && a.yahooYuPack == b.yahooYuPack &&
           a.teikeigai == b.teikeigai && a.sasshi == b.sasshi && a.kuronekoMail == b.kuronekoMail &&
           a.expack == b.expack && a.originIndex == b.originIndex && a.TOthers == b.TOthers && a.Others == b.Others &&
           a.color == b.color && a.bgcolor == b.bgcolor && a.fcolor == b.fcolor && a.yahooId == b.yahooId &&
           a.linkOn == b.linkOn && a.linkOff == b.linkOff && a.templateType == b.templateType && a.center == b.center &&
           a.left == b.left && a.accountTicks == b.accountTicks && a.yahooEasy == b.yahooEasy && a.stamps == b.stamps &&
           a.mytext == b.mytext && a.phoneFit == b.phoneFit;
}

bool Same(const CSavemail& a, const CSavemail& b)
{
    return a.post == b.post && a.myname == b.myname && a.zip == b.zip && a.tel == b.tel && a.ktel == b.ktel &&
           a.accountTicks == b.accountTicks;
}

bool Same(const CBSave& a, const CBSave& b)
{
    return a.rows == b.rows;
}

// The bytes a record cannot do without: a plate.ini ends complete after its
// 31 fields, the named values after them are optional.
template <typename Record>
std::size_t RequiredSize(const Record&, const std::string& stored)
{
    return stored.size();
}

std::size_t RequiredSize(const CPSave& record, const std::string&)
{
    CPSave known = record;
    known.phoneFit = false;
    return EncodePlate(known).size();
}

template <typename Record>
void Check(std::string_view bytes, bool (*decode)(std::string_view, Record&), std::string (*encode)(const Record&),
           std::size_t emptySize)
{
    Record record;
    decode(bytes, record);
    const std::string stored = encode(record);
    FUZZ_CHECK(stored.size() >= emptySize);

    Record back;
    FUZZ_CHECK(decode(stored, back));
    FUZZ_CHECK(Same(record, back));
    FUZZ_CHECK(encode(back) == stored);

    // Every prefix of a stored record is short, never taken as complete.
    const std::size_t required = RequiredSize(record, stored);
    if (stored.size() < 4096)
        for (std::size_t cut = 0; cut < required; cut += 1 + cut / 8) {
            Record partial;
            FUZZ_CHECK(!decode(std::string_view(stored).substr(0, cut), partial));
        }
}

}  // namespace

// What a damaged file gives is always a record the form could have written:
// clean texts, kinds and selections inside their lists.
static void CheckSalvaged(std::string_view bytes)
{
    const CBSave bank = SalvageBank(bytes);
    for (const BankAccount& row : bank.rows) {
        FUZZ_CHECK(IsCleanSettingsText(row.bankName, false) && IsCleanSettingsText(row.branch, false));
        FUZZ_CHECK(IsCleanSettingsText(row.number, false) && IsCleanSettingsText(row.holder, false));
        FUZZ_CHECK(row.kind == 0 || row.kind == 1);
    }
    const CPSave plate = SalvagePlate(bytes);
    FUZZ_CHECK(plate.originIndex >= 0 && plate.originIndex < kStoredOriginCount);
    FUZZ_CHECK(plate.templateType >= 0 && plate.templateType < kStoredTemplateTypeCount);
    FUZZ_CHECK(IsCleanSettingsText(plate.yahooId, false) && IsCleanSettingsText(plate.mytext, true));
    const CSavemail status = SalvageStatus(bytes);
    FUZZ_CHECK(IsCleanSettingsText(status.myname, false) && IsCleanSettingsText(status.post, false));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check<CBSave>(bytes, DecodeBank, EncodeBank, 48);
    Check<CPSave>(bytes, DecodePlate, EncodePlate, 100);
    Check<CSavemail>(bytes, DecodeStatus, EncodeStatus, 29);
    CheckSalvaged(bytes);
    return 0;
}
