#include "plate/SavedPages.h"

#include "text/Encoding.h"
#include "text/FileNames.h"
#include "text/Lines.h"
#include "text/SjisText.h"

namespace torepal {

namespace {

std::string SavedPagePrefix(const std::string& stamp)
{
    static const std::string head = Sjis("【プレート ～");
    static const std::string middle = Sjis("～ 】--");
    return head + stamp + middle;
}

}  // namespace

std::string SavedPageName(const std::string& stamp, const std::string& title)
{
    return FileNameWithPart(SavedPagePrefix(stamp), title, ".html");
}

SaveOutcome SaveFinishedPage(const std::filesystem::path& programFolder, const std::string& stamp,
                             const std::string& title, const std::string& page)
{
    return SaveUnderFreeName(programFolder / "back", SavedPagePrefix(stamp), title, ".html", ToTextMode(page));
}

std::filesystem::path SavedPagePath(const std::filesystem::path& programFolder, const std::string& name)
{
    return JoinSjis(programFolder, "back/" + name);
}

std::filesystem::path PreviewPath(const std::filesystem::path& programFolder)
{
    return JoinSjis(programFolder, kPreviewFileName);
}

WriteStatus WritePageFile(const std::filesystem::path& path, const std::string& page)
{
    return WriteFileAtomically(path, ToTextMode(page));
}

std::string PageNotSavedMessage(const std::string& name, bool folderMissing)
{
    std::string text = Sjis("ページをファイルに保存できませんでした。\r\n") + name + "\r\n\r\n";
    if (folderMissing)
        text += Sjis(
            "保存先のフォルダ「back」がありません。プログラムのフォルダに「back」を作ってから、もう一度保存してください"
            "。");
    else
        text += Sjis("保存先のフォルダ「back」に書き込めるか、ディスクに空きがあるかを確かめてください。");
    text += Sjis("\r\n\r\nページは消えていません。次の画面でクリップボードへコピーできます。");
    return text;
}

std::string PreviewNotWrittenMessage()
{
    return Sjis(
        "プレビュー用のファイル「menu_preview.html」を書き込めませんでした。\r\n"
        "プログラムのフォルダに書き込めるか、ディスクに空きがあるかを確かめてください。\r\n\r\n"
        "ページは消えていません。次の画面でクリップボードへコピーできます。");
}

bool SaveFinishedPage(const PlateState& state, const std::string& stamp, const std::filesystem::path& programFolder,
                      Platform& platform, std::string* savedName)
{
    const SaveOutcome saved = SaveFinishedPage(programFolder, stamp, state.Title, state.page);
    if (savedName) *savedName = saved.name;
    if (saved.status == WriteStatus::Ok) return true;
    std::error_code ec;
    const bool folderMissing = !std::filesystem::is_directory(programFolder / "back", ec);
    platform.showMessage(PageNotSavedMessage(saved.name, folderMissing));
    return false;
}

std::string PageSavedMessage(const std::string& name)
{
    return Sjis("「") + name + Sjis("」を保存しました");
}

std::string BytesCopiedMessage(std::size_t bytes)
{
    return std::to_string(bytes) + Sjis(" バイトをコピーしました");
}

bool ShowPreview(const std::string& page, const std::filesystem::path& programFolder, Platform& platform)
{
    const std::filesystem::path path = PreviewPath(programFolder);
    if (WritePageFile(path, page) != WriteStatus::Ok) {
        platform.showMessage(PreviewNotWrittenMessage());
        return false;
    }
    platform.openFile(path);
    return true;
}

}  // namespace torepal
