#pragma once
// The desktop as Qt offers it on Linux.

#include <QString>

#include "platform/ui/DesktopPlatform.h"

class QWidget;

namespace torepal {

// "トレパル Ver 1.3.3": the main window's title and every message box caption.
QString ProgramTitle();

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
    int runModal(QDialog& dialog) override;

private:
    QWidget* parent() const;
    QWidget* window_ = nullptr;
};

}  // namespace torepal
