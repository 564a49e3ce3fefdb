#pragma once
// The plate page "プレート作成": the form that collects everything a listing
// page needs into PlateState and the buttons that render, preview, save and
// copy the page. Texts live in PlateState and are exchanged with the edits
// in two bulk steps (pull before an operation, push after it); the ticks,
// radios and combo selections stay in their controls and are read when
// needed. The current shipping services come from the tariff files beside
// the program; their ticks are kept in a file of their own.

#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plate/PlateFields.h"
#include "plate/PlateForm.h"
#include "plate/PlateState.h"
#include "shipping/Tariff.h"
#include "text/TextChecks.h"

class QCheckBox;

namespace Ui {
class CDTemplate;
}

namespace torepal {

class BankStore;
class ChecksView;
class CurrentServicesGroup;
class DesktopPlatform;
class FieldReader;
class LivePreviewController;

class CDTemplate : public QWidget {
    Q_OBJECT

public:
    // Builds the form: the combo lists, the defaults (中央 on, 左寄せ off,
    // リンクしない on), the plate settings from plate.ini, then the current
    // services of tariffs/ with the ticks of current_services.txt (the
    // seller is told once about a tariff file left out).
    CDTemplate(DesktopPlatform& platform, BankStore& bank, std::filesystem::path programFolder,
               QWidget* parent = nullptr);
    ~CDTemplate() override;

    // The form's own size, with room in the texts column for the checks
    // list at its most: at the window's first size a long list of findings
    // takes that room from the edits, never the buttons' place.
    QSize sizeHint() const override;

    // Reads bank.ini into the page's copy of the accounts and captions the
    // six account boxes (at start and whenever the tab is chosen).
    void loadAccounts();

    // The selection handlers: store the selection and apply the colour
    // labels or the carrier enabling rules of that combo.
    void typeChanged();
    void weightChanged();
    void sizeChanged();
    void originChanged();

    // "クリアー": empties the title, item text and shipping note, selects the
    // first entries and 中央; the extra section, colours, ID, booth text and
    // the ticks stay. Stops (the seller is told) when an edit holds a
    // character Shift-JIS cannot hold. Then offers "元に戻す" beside the
    // button until the seller next changes the form.
    void clearForm();
    // "元に戻す": puts back every text, selection and radio the last
    // clear changed. Does nothing when there is nothing to undo.
    void undoClear();
    bool canUndoClear() const { return cleared_.has_value(); }
    // The window offers its own way back for a clear it made (新規作成).
    void withdrawClearUndo();

    // At exit: writes plate.ini. False (the seller told) when it could not.
    bool savePlateSettings();

    // "銀行登録": the account editor; on OK the captions and bank.ini.
    void editAccounts();
    // "テキストリンク編集": the booth text.
    void editBoothText();
    // "リンクタグ作成".
    void makeLinkTag();

    // "完成", "プレビュー", "完成・クリップボードへコピー". 完成 saves under
    // the next free numbered name when a different page already has the
    // name (the same title in the same minute).
    void finishAndSave();
    void preview();
    void finishAndShow();

    // A palette button: 0 for colour 1, 1 for colour 2, 2 for colour 3.
    void choosePaletteColour(int which);

    // Edits into PlateState; false (and the seller told) when a character
    // cannot be held in Shift-JIS: then nothing in PlateState changed.
    bool pull();
    void push();

    PlateState& state() { return state_; }

    PlateFlags flags() const;
    void setFlags(const PlateFlags& flags);

    using Selections = PlateSelections;
    Selections selections() const;
    // Sets the four combos (-1 clears a selection), then runs the type,
    // weight, size and origin handlers in that order.
    void setSelections(const Selections& selections);

    // The ids of the ticked current services, in their group's order, and
    // ticking exactly the listed ones of `ids` (a project being opened). The
    // ticks are kept for the next start as the seller's own are, just as
    // plate.ini keeps the carrier boxes of an opened project.
    std::vector<std::string> tickedServiceIds() const;
    void setTickedServiceIds(const std::vector<std::string>& ids);
    const std::vector<Tariff>& currentServices() const { return services_; }

    // The "ライブプレビュー" window of this page (the main window's menu item
    // opens it too). It shows the bytes 完成 would save for the form as it
    // stands, rendered from a copy: the page's record is never touched.
    LivePreviewController& livePreview() { return *livePreview_; }

    // The record as the form shows it now, read without telling the seller
    // anything (a character Shift-JIS cannot hold is left out of this copy):
    // the main window keeps it for recovery.
    PlateState typedState() const;
    // The whole form as typed, ticked and chosen now, read as quietly.
    PlateForm typedForm() const;
    // Puts a recovered form back: texts, ticks, radios, selections and
    // current services. They count as unsaved until the form is next
    // finished, cleared or opened from a project.
    void restoreForm(const PlateForm& form);
    // The window has filled the form from a project file: those texts are
    // saved in the file, and the clear it did on the way is no clear of the
    // seller's to undo.
    void projectOpened();

    // Reads tariffs/ again (after the seller edited a tariff file): the
    // ticks of services still listed stay; a file left out is told.
    void reloadTariffs();

    // Accounts opened from a project: the page's copy and the captions of
    // the four bank boxes (the postal boxes keep theirs). Counts as current
    // until bank.ini is read again.
    void setProjectAccounts(const Accounts& rows);

signals:
    // Something worked, in words for the window's status line (a saved
    // page's name, a copy's size). Failures are told in a message box.
    void succeeded(const QString& text);
    // The form was just settled (at start, after 完成, 完成・クリップボードへ
    // コピー, クリアー and projectOpened()): nothing typed is unsaved.
    void settled();

private:
    void connectControls();
    // A value of the form changed: the live preview follows and an offered
    // undo of a clear is withdrawn.
    void formEdited();
    void settle();
    // The page of the live preview and its checks (UTF-8 lines).
    std::string previewBytes();
    std::vector<std::string> previewChecks() const;
    void loadPlateSettings();
    bool pull(bool tellSeller);
    void takeSelections();
    void readTariffs();
    void storeServiceTicks();
    void countTitle();
    // Renders the page with the ticked current services and shows the
    // checks of the rendered listing below the texts.
    void render();
    void showResult(const std::string& page);
    std::array<QCheckBox*, 6> accountBoxes() const;

    std::unique_ptr<Ui::CDTemplate> ui_;
    DesktopPlatform& platform_;
    BankStore& bank_;
    std::filesystem::path programFolder_;
    PlateState state_;
    std::vector<Tariff> services_;
    std::vector<CheckResult> checks_;  // of the last render
    std::uint64_t accountsGeneration_ = 0;
    LivePreviewController* livePreview_ = nullptr;
    std::optional<ClearedPlateValues> cleared_;
    // What the live preview showed last, kept while an edit holds a
    // character the page cannot carry; its checks; and the quiet note then.
    std::string previewPage_;
    std::vector<std::string> previewCheckLines_;
    QString previewNote_;
};

}  // namespace torepal
