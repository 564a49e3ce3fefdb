#pragma once
// The desktop as Qt offers it on Linux.

#include <QString>

#include "platform/ui/DesktopPlatform.h"

class QWidget;

namespace torepal {

// "トレパル Ver 1.3.3": the main window's title and every message box caption.
QString ProgramTitle();

// How long a success stays in the status line.
inline constexpr int kSuccessShownMs = 6000;

class QtPlatform final : public DesktopPlatform {
public:
    // Dialogs and message boxes are parented to `window` once it is set.
    void setWindow(QWidget* window) { window_ = window; }

    std::optional<Rgb> chooseColour() override;
    std::optional<std::filesystem::path> chooseFileToOpen(const FileDialogRequest&) override;
    std::optional<std::filesystem::path> chooseFileToSave(const FileDialogRequest&) override;
    void showMessage(const std::string& text, const std::string& caption) override;
    void showUnicodeMessage(const std::string& utf8Text) override;
    bool copyText(const std::string& text) override;
    bool openFile(const std::filesystem::path& path) override;
    bool openUri(const std::string& asciiUri) override;
    LocalTime now() override;
    HandlerPresence handlerPresence(DesktopHandler kind) override;
    bool moveToTrash(const std::filesystem::path& path) override;
    bool askYesNo(const std::string& text) override;
    UnsavedAnswer askUnsaved(const std::string& text) override;
    // Into the window's status line (a QStatusBar among its children) for
    // a few seconds; nowhere when the window has none.
    void showSuccess(const std::string& text) override;
    int runModal(QDialog& dialog) override;

private:
    QWidget* parent() const;
    QWidget* window_ = nullptr;
};

}  // namespace torepal
