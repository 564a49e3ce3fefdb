// The byte layouts of bank.ini, plate.ini and status.ini. Each file is one
// record with no header: the fields follow each other in the order below,
// texts as archive strings, everything else as u32.

#include "store/Archive.h"
#include "store/SettingsFiles.h"

namespace torepal {

// bank.ini, six rows of: bank name, branch (記号 in the postal rows),
// holder, number, kind. The holder comes before the number in the file
// although the program keeps them the other way round.
std::string EncodeBank(const CBSave& record)
{
    ArchiveWriter w;
    for (const BankAccount& row : record.rows) {
        w.putString(row.bankName);
        w.putString(row.branch);
        w.putString(row.holder);
        w.putString(row.number);
        w.putInt32(row.kind);
    }
    return w.take();
}

bool DecodeBank(std::string_view bytes, CBSave& record)
{
    ArchiveReader r(bytes);
    for (BankAccount& row : record.rows) {
        r.getString(row.bankName);
        r.getString(row.branch);
        r.getString(row.holder);
        r.getString(row.number);
        r.getInt32(row.kind);
    }
    return r.ok();
}

// plate.ini:
//    1- 8  carrier ticks
//    9     origin
//   10     TOthers
//   11-14  Others, color, bgcolor, fcolor
//   15     TOthers again (the copy that counts on reading)
//   16     yahooId
//   17-18  リンクする, リンクしない
//   19     unused, written 0
//   20     template type
//   21-22  中央, 左寄せ
//   23-28  account ticks
//   29-30  Yahoo!かんたん決算, 切手
//   31     mytext
std::string EncodePlate(const CPSave& record)
{
    ArchiveWriter w;
    w.putTick(record.yamato);
    w.putTick(record.sagawa);
    w.putTick(record.yuPack);
    w.putTick(record.yahooYuPack);
    w.putTick(record.teikeigai);
    w.putTick(record.sasshi);
    w.putTick(record.kuronekoMail);
    w.putTick(record.expack);
    w.putInt32(record.originIndex);
    w.putString(record.TOthers);
    w.putString(record.Others);
    w.putString(record.color);
    w.putString(record.bgcolor);
    w.putString(record.fcolor);
    w.putString(record.TOthers);
    w.putString(record.yahooId);
    w.putTick(record.linkOn);
    w.putTick(record.linkOff);
    w.putU32(0);
    w.putInt32(record.templateType);
    w.putTick(record.center);
    w.putTick(record.left);
    for (bool tick : record.accountTicks) w.putTick(tick);
    w.putTick(record.yahooEasy);
    w.putTick(record.stamps);
    w.putString(record.mytext);
    return w.take();
}

bool DecodePlate(std::string_view bytes, CPSave& record)
{
    ArchiveReader r(bytes);
    r.getTick(record.yamato);
    r.getTick(record.sagawa);
    r.getTick(record.yuPack);
    r.getTick(record.yahooYuPack);
    r.getTick(record.teikeigai);
    r.getTick(record.sasshi);
    r.getTick(record.kuronekoMail);
    r.getTick(record.expack);
    r.getInt32(record.originIndex);
    r.getString(record.TOthers);
    r.getString(record.Others);
    r.getString(record.color);
    r.getString(record.bgcolor);
    r.getString(record.fcolor);
    r.getString(record.TOthers);
    r.getString(record.yahooId);
    r.getTick(record.linkOn);
    r.getTick(record.linkOff);
    std::uint32_t unused = 0;
    r.getU32(unused);
    r.getInt32(record.templateType);
    r.getTick(record.center);
    r.getTick(record.left);
    for (bool& tick : record.accountTicks) r.getTick(tick);
    r.getTick(record.yahooEasy);
    r.getTick(record.stamps);
    r.getString(record.mytext);
    return r.ok();
}

// status.ini: address, name, postcode, telephone, mobile, then the mail
// page's six account ticks.
std::string EncodeStatus(const CSavemail& record)
{
    ArchiveWriter w;
    w.putString(record.post);
    w.putString(record.myname);
    w.putString(record.zip);
    w.putString(record.tel);
    w.putString(record.ktel);
    for (bool tick : record.accountTicks) w.putTick(tick);
    return w.take();
}

bool DecodeStatus(std::string_view bytes, CSavemail& record)
{
    ArchiveReader r(bytes);
    r.getString(record.post);
    r.getString(record.myname);
    r.getString(record.zip);
    r.getString(record.tel);
    r.getString(record.ktel);
    for (bool& tick : record.accountTicks) r.getTick(tick);
    return r.ok();
}

}  // namespace torepal
