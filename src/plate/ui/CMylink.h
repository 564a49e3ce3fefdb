#pragma once
// "テキストの編集": the line shown under the booth banner of a page.

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class CMylink;
}

namespace torepal {

class DesktopPlatform;

class CMylink : public QDialog {
    Q_OBJECT

public:
    CMylink(DesktopPlatform& platform, const std::string& text, QWidget* parent = nullptr);
    ~CMylink() override;

    // The text as confirmed with "OK" (the given text until then).
    const std::string& text() const { return text_; }

    // "OK": takes the edit, unless it holds a character Shift-JIS cannot
    // hold; then the seller is told and the dialog stays open.
    void accept() override;

private:
    std::unique_ptr<Ui::CMylink> ui_;
    DesktopPlatform& platform_;
    std::string text_;
};

}  // namespace torepal
