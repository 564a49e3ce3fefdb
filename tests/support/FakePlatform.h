#pragma once
// The desktop for page tests: records every request, answers as the test
// says, and never opens a real window, browser or mail program.

#include <QDialog>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/DesktopPlatform.h"
#include "text/Encoding.h"

namespace torepal {

class FakePlatform final : public DesktopPlatform {
public:
    // Answers.
    std::deque<std::optional<Rgb>> colours;                        // next colour picker results
    std::deque<std::optional<std::filesystem::path>> openChoices;  // next open-file dialog results
    std::deque<std::optional<std::filesystem::path>> saveChoices;  // next save-file dialog results
    bool clipboardWorks = true;
    bool shellWorks = true;
    // Whether the desktop has a trash; a trashed file leaves its folder.
    bool trashWorks = true;
    // What handlerPresence answers for each kind; Present unless a test says.
    std::map<DesktopHandler, HandlerPresence> handlers;
    LocalTime clock{12, 6, 20, 8};
    // Called for each modal dialog; fills it in and returns its result.
    // Without one, dialogs are rejected (as if cancelled).
    std::deque<std::function<int(QDialog&)>> dialogs;
    // Next answers to yes/no questions (いいえ when none is left) and to the
    // unsaved-edits question (キャンセル when none is left).
    std::deque<bool> yesNoAnswers;
    std::deque<UnsavedAnswer> unsavedAnswers;

    // Records. Messages are kept as UTF-8 for easy comparison.
    std::vector<std::string> messages;
    std::vector<std::string> captions;
    std::vector<std::string> clipboard;  // Shift-JIS texts, in order
    std::vector<std::filesystem::path> openedFiles;
    std::vector<std::string> openedUris;
    std::vector<DesktopHandler> handlerQueries;
    std::vector<std::filesystem::path> trashed;
    std::vector<std::string> questions;     // UTF-8, both kinds of question, in order
    std::vector<std::string> successes;     // UTF-8 status-line texts, in order
    std::vector<std::string> dialogTitles;  // UTF-8 window titles of modal dialogs
    int colourRequests = 0;

    std::optional<Rgb> chooseColour() override
    {
        ++colourRequests;
        if (colours.empty()) return std::nullopt;
        auto c = colours.front();
        colours.pop_front();
        return c;
    }
    std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest& r) override
    {
        lastFileRequest = r;
        return take(openChoices);
    }
    std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest& r) override
    {
        lastFileRequest = r;
        return take(saveChoices);
    }
    void showMessage(const std::string& text, const std::string& caption) override
    {
        messages.push_back(Utf8FromSjis(text));
        captions.push_back(Utf8FromSjis(caption));
    }
    void showUnicodeMessage(const std::string& utf8Text) override
    {
        messages.push_back(utf8Text);
        captions.emplace_back();
    }
    bool copyText(const std::string& text) override
    {
        if (!clipboardWorks) return false;
        clipboard.push_back(text);
        return true;
    }
    bool openFile(const std::filesystem::path& path) override
    {
        openedFiles.push_back(path);
        return shellWorks;
    }
    bool openUri(const std::string& uri) override
    {
        openedUris.push_back(uri);
        return shellWorks;
    }
    HandlerPresence handlerPresence(DesktopHandler kind) override
    {
        handlerQueries.push_back(kind);
        const auto it = handlers.find(kind);
        return it == handlers.end() ? HandlerPresence::Present : it->second;
    }
    bool askYesNo(const std::string& text) override
    {
        questions.push_back(Utf8FromSjis(text));
        if (yesNoAnswers.empty()) return false;
        const bool yes = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return yes;
    }
    UnsavedAnswer askUnsaved(const std::string& text) override
    {
        questions.push_back(Utf8FromSjis(text));
        if (unsavedAnswers.empty()) return UnsavedAnswer::Cancel;
        const UnsavedAnswer a = unsavedAnswers.front();
        unsavedAnswers.pop_front();
        return a;
    }
    bool moveToTrash(const std::filesystem::path& path) override
    {
        if (!trashWorks) return false;
        std::error_code ec;
        if (!std::filesystem::remove(path, ec)) return false;
        trashed.push_back(path);
        return true;
    }
    void showSuccess(const std::string& text) override { successes.push_back(Utf8FromSjis(text)); }
    LocalTime now() override { return clock; }
    int runModal(QDialog& dialog) override
    {
        dialogTitles.push_back(dialog.windowTitle().toStdString());
        if (dialogs.empty()) return QDialog::Rejected;
        auto answer = std::move(dialogs.front());
        dialogs.pop_front();
        return answer(dialog);
    }

    FileDialogRequest lastFileRequest;

private:
    static std::optional<std::filesystem::path> take(std::deque<std::optional<std::filesystem::path>>& q)
    {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

}  // namespace torepal
