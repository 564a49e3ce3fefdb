#pragma once
// "リンクタグの生成": builds an HTML link from a text and an address and puts
// it on the clipboard, for the seller to paste into any field.

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class CLink;
}

namespace torepal {

class DesktopPlatform;

class CLink : public QDialog {
    Q_OBJECT

public:
    // Starts with an empty text and the address "http://".
    explicit CLink(DesktopPlatform& platform, QWidget* parent = nullptr);
    ~CLink() override;

    // "作成": reads both edits, makes the tag and copies it. The dialog
    // closes as confirmed, without a message box, only when the copy
    // worked (the page then says so in the status line); otherwise it says
    // so and stays open with what was typed. A character Shift-JIS cannot
    // hold is reported first.
    void accept() override;

    const std::string& tag() const { return tag_; }

private:
    std::unique_ptr<Ui::CLink> ui_;
    DesktopPlatform& platform_;
    std::string tag_;
};

}  // namespace torepal
