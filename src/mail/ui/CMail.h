#pragma once
// The "メール作成" page: the buyer's and the parcel's details, the template
// choice and the account boxes; fills a template into the mail text and
// hands the mail on (file, clipboard, mail program).
//
// Typed text is never thrown away: every operation, the account reload of
// a tab switch and "クリアー" included, reads the controls first.

#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <memory>
#include <vector>

#include "bank/BankStore.h"
#include "mail/MailFields.h"
#include "mail/MailFiles.h"
#include "mail/MailState.h"
#include "store/SettingsFiles.h"

class QCheckBox;

namespace Ui {
class CMail;
}

namespace torepal {

class CMailEdit;
class ControlValues;
class FieldReader;
class UndoOffer;
class DesktopPlatform;
class Platform;

class CMail : public QWidget {
    Q_OBJECT
public:
    CMail(DesktopPlatform& platform, BankStore& bank, std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~CMail() override;

    // What the page shows when first made, read when the program starts:
    // the template list and status.ini. A damaged status.ini is told here,
    // at start, even when the page itself is made later.
    struct StartReads {
        std::vector<TemplateEntry> templates;
        Loaded<CSavemail> status;
    };
    static StartReads readAtStart(Platform& platform, const std::filesystem::path& programFolder);

    // Once, after the page is made: the template list (first entry
    // selected), the accounts, status.ini, the captions. Without reads,
    // they are read now.
    void startUp(const StartReads& reads);
    void startUp();

    // The accounts from bank.ini (tab switch, before a project is saved).
    // The controls are read first; if one holds a character Shift-JIS
    // cannot hold, the form keeps showing what was typed.
    void loadAccounts();

    // "クリアー" and the menu's "新規作成": the parcel fields only.
    void clearParcelFields();

    // On exit. False when the file could not be written (the seller has
    // been told).
    bool saveStatus();
    bool saveAccounts();

    // Controls into the record; false (and the seller told which
    // characters) when a character cannot be held. The record is then
    // unchanged.
    bool pull();
    // The record into the controls, the account boxes' ticks included.
    void push();

    MailState& state() { return state_; }
    AccountTicks ticks() const;
    void setTicks(const AccountTicks& ticks);

    // The open template editor, if any (tests, the main window).
    CMailEdit* templateEditor() const;

    // The record as the controls show it now, read without a word to the
    // seller (the main window keeps it for recovery while the seller
    // types); a character Shift-JIS cannot hold is left out of this copy.
    MailState typedState() const;
    MailForm typedForm() const;
    // Puts a recovered form back (the 復元 of the main window): its texts
    // and account ticks, which stay unsaved.
    void restoreForm(const MailForm& form);

signals:
    // Nothing typed so far would be lost: at start, after 保存 and after
    // クリアー.
    void settled();

private:
    void fillTemplates(std::vector<TemplateEntry> templates);
    void captionBoxes();
    bool pullInto(FieldReader& reader, bool withBody = true);
    void reloadAccountsIntoState();

    // "プレビュー・更新": the template filled into the mail box. What the box
    // held before can be had back with the quiet 元に戻す beside the buttons.
    void preview();
    // "クリアー" on the page: clearParcelFields with the same 元に戻す (the
    // menu's 新規作成 offers its own, for both forms).
    void clearByButton();
    // After an action replaced what the seller typed: 元に戻す shows `before`
    // again (and, after a compose, drops the findings about the new mail).
    void offerUndo(const QString& note, const ControlValues& before, bool dropFindings);
    void saveMail();
    void startMailer();
    void copyToClipboard();
    void copyBody();
    void openTemplateEditor();
    void editAccounts();

    DesktopPlatform& platform_;
    BankStore& bank_;
    std::filesystem::path folder_;
    MailState state_;
    std::uint64_t generation_ = 0;
    std::vector<TemplateEntry> templates_;
    QPointer<CMailEdit> editor_;

    std::unique_ptr<Ui::CMail> ui_;
    std::array<QCheckBox*, kAccountCount> accountBoxes_{};
    UndoOffer* undo_ = nullptr;
};

}  // namespace torepal
