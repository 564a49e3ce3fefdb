#pragma once
// What the program takes from the desktop: dialogs, message boxes, the
// clipboard, the shell's "open" and the local clock. Pages talk to the
// desktop only through this interface; tests hand them a fake that records
// every request and answers as the test says.
//
// All texts are Shift-JIS. The Qt implementation converts at this boundary.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torepal {

struct LocalTime {
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
};

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The project-file dialogs: one filter entry, default extension.
struct FileDialogRequest {
    std::string filterLabel;    // "トレパルファイル(*.tpf)"
    std::string pattern;        // "*.tpf"
    std::string defaultSuffix;  // "tpf"
};

// The kinds of program the shell's "open" hands things to.
enum class DesktopHandler {
    Mail,  // mailto: addresses (メーラー起動)
    Web,   // http: and https: addresses
    Html,  // local .html files (the preview, saved pages)
};

enum class HandlerPresence {
    Present,  // the desktop names a program for it
    Missing,  // the desktop answered that it has none
    Unknown,  // no answer (no xdg-mime, a timeout): try the open and see
};

// The MIME type the desktop's default-program table knows the handler by
// ("x-scheme-handler/mailto" ...), and the arguments that ask xdg-mime for
// it ("query", "default", type).
std::string HandlerMimeType(DesktopHandler kind);
std::vector<std::string> HandlerQueryArguments(DesktopHandler kind);

// Reads xdg-mime's answer: it prints the handler's .desktop file name, and
// nothing (exit 0 or not) when there is none. `finished` false (not run,
// timed out, crashed) tells nothing.
HandlerPresence HandlerPresenceFromQuery(bool finished, int exitCode, std::string_view output);

// What the seller chose when edits not yet written would be thrown away.
enum class UnsavedAnswer {
    Save,     // 保存: write them, then go on
    Discard,  // 破棄: go on without them
    Cancel,   // キャンセル: stay where the edits are
};

// Texts for a desktop without a program for `kind` (Shift-JIS). The
// question ends by offering `offer` ("メールの本文をクリップボードへコピー"),
// answered yes or no.
std::string NoHandlerQuestion(DesktopHandler kind, const std::string& offer);
// "N バイトをコピーしました": the status line after a copy.
std::string CopiedBytesMessage(std::size_t bytes);
// "「name」を保存しました": the status line after a save.
std::string SavedMessage(const std::string& sjisName);
// The question before unsaved edits of `sjisWhat` would be thrown away.
std::string UnsavedEditsQuestion(const std::string& sjisWhat);

class Platform {
public:
    virtual ~Platform() = default;

    // The standard colour picker, starting at black; nothing on cancel.
    virtual std::optional<Rgb> chooseColour() = 0;

    virtual std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest&) = 0;
    virtual std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest&) = 0;

    // A message box with one OK button. An empty caption means the program's
    // own title.
    virtual void showMessage(const std::string& text, const std::string& caption = {}) = 0;

    // The same for a message that must name characters Shift-JIS cannot
    // hold (UTF-8 text).
    virtual void showUnicodeMessage(const std::string& utf8Text) = 0;

    // Puts plain text on the clipboard; false when it could not.
    virtual bool copyText(const std::string& text) = 0;

    // The shell's "open": a file with its associated program, or a URI
    // (mailto:, http:) with the desktop's handler. Never through a command
    // line. False when the desktop refused at once.
    virtual bool openFile(const std::filesystem::path& path) = 0;
    virtual bool openUri(const std::string& asciiUri) = 0;

    virtual LocalTime now() = 0;

    // Whether the desktop has a program to open a mail address, a web
    // address or a local page with, so a page can say so (and offer to
    // copy the mail instead) rather than fail silently. Asked quickly: a
    // desktop that does not answer in time is Unknown.
    virtual HandlerPresence handlerPresence(DesktopHandler kind)
    {
        (void)kind;
        return HandlerPresence::Unknown;
    }

    // A question with はい and いいえ; true for はい. A desktop that cannot
    // ask answers いいえ, so nothing happens that the seller did not choose.
    virtual bool askYesNo(const std::string& text)
    {
        (void)text;
        return false;
    }

    // 保存 / 破棄 / キャンセル before edits not yet written are thrown away.
    // A desktop that cannot ask keeps the edits (キャンセル).
    virtual UnsavedAnswer askUnsaved(const std::string& text)
    {
        (void)text;
        return UnsavedAnswer::Cancel;
    }

    // Moves a file to the desktop's trash, where the seller can restore it.
    // False when it could not (no trash on this desktop): the caller then
    // deletes as before.
    virtual bool moveToTrash(const std::filesystem::path& path)
    {
        (void)path;
        return false;
    }

    // A success, said quietly for a few seconds in the main window's status
    // line (what was saved and where, how much was copied). Failures keep
    // their message boxes.
    virtual void showSuccess(const std::string& text) { (void)text; }
};

// "%d月%d日%d時%d分", no leading zeros: the stamp in saved page and mail names.
std::string FormatTimeStamp(const LocalTime& t);

// Asks about the unsaved edits of `sjisWhat` and acts on the answer. True
// when the caller may go on: the edits were written (`save` said so) or
// thrown away; false when the seller stays with them.
bool SettleUnsavedEdits(Platform& platform, const std::string& sjisWhat, const std::function<bool()>& save);

}  // namespace torepal
