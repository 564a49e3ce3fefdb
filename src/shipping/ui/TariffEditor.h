#pragma once
// The tariff editor "料金表の編集": the services of tariffs/ with their date
// and whether they are valid, and one service's fields and prices in grids
// that fit its shape. The service being edited is a core Tariff; every edit
// is a snapshot on the undo stack, the shared rules check it as the seller
// types, and saving goes through the core's atomic save. Questions go
// through the platform's modal runner, so tests answer them.

#include <QDialog>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shipping/Tariff.h"
#include "shipping/TariffPaste.h"
#include "shipping/TariffRules.h"

class QComboBox;
class QDoubleSpinBox;
class QTableWidget;
class QUndoStack;

namespace Ui {
class TariffEditor;
}

namespace torepal {

class DesktopPlatform;

class TariffEditor : public QDialog {
    Q_OBJECT

public:
    // `programFolder` holds tariffs/ (made on the first save if missing).
    TariffEditor(DesktopPlatform& platform, std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~TariffEditor() override;

    // True once a file of tariffs/ was written, renamed, deleted or
    // restored while the editor was open: the window reloads the folder.
    bool changedFiles() const { return changedFiles_; }

    // The service being edited, as the widgets show it.
    const Tariff& service() const { return current_; }
    // The rules' first complaint about it; none when it can be saved.
    const std::optional<TariffFault>& fault() const { return fault_; }

    // Lays copied cells (tab-separated UTF-8) into the focused grid at its
    // current cell; Ctrl+V in a grid does this with the clipboard.
    void pasteText(const QString& text);
    // The grid cells the last paste could not read, as model cells.
    const std::vector<TariffCell>& markedCells() const { return marked_; }

    // Saves the service; false (and the seller told why) when it is not
    // valid, the seller declines, or the disk refused.
    bool save();

    void reject() override;

signals:
    // A file of tariffs/ changed: the plate form's current services and the
    // preview should be read again.
    void tariffsChanged();

private:
    class Snapshot;

    void loadFolder(const std::string& selectId);
    void showService(const Tariff& tariff, bool onDisk);
    bool maySwitch();
    bool ask(const QString& question);
    void tell(const QString& text);

    // An edit: `change` is applied to a copy of the service, pushed as one
    // undoable step. Steps of the same `mergeKey` in a row become one.
    void edit(const QString& what, int mergeKey, const std::function<void(Tariff&)>& change);
    // Pushes the service after an edit; changed prices move an old date to
    // today, in the same step.
    void commit(Tariff after, const QString& what, int mergeKey);
    void apply(const Tariff& tariff);
    void fill();
    void fillBands();
    void fillRegions();
    void validate();
    void showDateNote();
    // The service without a file yet (new or copied) is listed as unsaved
    // from the moment it is made; a service with a file is not.
    void listUnsaved();
    // The IDs of the folder's files but the one the service came from.
    std::vector<std::string> takenIds() const;
    void selectFaultCell();

    void serviceChosen();
    void newService();
    void addPresetButton();
    void newFromPreset(std::size_t index);
    void markEmptyPrices();
    void addLimitControls();
    void fillLimits();
    void focusLimit(const TariffCell& cell);
    void copyService();
    void deleteService();
    void restoreService();
    void cellEdited(QTableWidget* table, int row, int column);
    void prefectureRegionChosen(int prefecture, int region);

    QTableWidget* gridOf(const TariffCell& cell, int* row, int* column) const;
    void markCells();

    std::unique_ptr<Ui::TariffEditor> ui_;
    DesktopPlatform& platform_;
    std::filesystem::path folder_;
    QUndoStack* undo_;
    Tariff current_;
    std::string loadedId_;                // the file the service came from; empty for a new one
    Tariff baseline_;                     // the service as shown before any edit: its prices and their date
    bool unsaved_ = false;                // the service is new or a copy, with no file yet
    std::string presetNote_;              // where a preset's facts come from, on its unsaved line
    bool datedPrices_ = false;            // its prices carry a date (from a file, or copied from one)
    std::vector<std::string> folderIds_;  // every service file of the folder, valid or not
    bool commentsAcknowledged_ = false;
    std::optional<TariffFault> fault_;
    std::vector<TariffCell> marked_;
    std::vector<QComboBox*> prefectureCombos_;            // in the order of OfficialPrefectureNames
    std::array<QDoubleSpinBox*, 4> serviceLimitSpins_{};  // in the order of LimitEntries
    std::array<QDoubleSpinBox*, 4> variantLimitSpins_{};  // the current column's
    bool filling_ = false;
    bool changedFiles_ = false;
};

}  // namespace torepal
