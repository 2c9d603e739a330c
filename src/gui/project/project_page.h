// The project page (TSPrj): the properties panel with the project's own
// data, and the two start panels with tiles that start a new project or
// reopen a recent one. Each field edit is one undo step: the first change
// after a field gets the focus begins the step, later changes in the same
// field go into it.
#pragma once

#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/app/index_indicator.h"
#include "gui/common/window_page.h"
#include "project/start_tiles.h"

namespace Ui {
class TProjectPageForm;
}

namespace pc::gui {

class TBalloonHint;
class TfrmePrjPageItem;

// The balloon texts of the project page.
extern const char* const kPeilInfoText;
extern const char* const kAanvangInfoText;
extern const char* const kDateWarningInfoText;
inline constexpr const char* kDateWarningLink = "De prijspeildatum ligt n\xE1 de uitvoeringstart!";
inline constexpr const char* kLogoFilter = "Bitmaps (*.bmp)|*.bmp|Alle bestanden (*.*)|*.*";
inline constexpr const char* kLogoDialogTitle = "Selecteer Logo (maximaal 200x110 pixels)";
// Hover ticks over an info icon before its balloon shows (40 ms each).
inline constexpr int kBalloonHoverTicks = 12;

class TProjectPage : public TWindowPage {
  Q_OBJECT
 public:
  explicit TProjectPage(TWindowServices& window, QWidget* parent = nullptr);
  ~TProjectPage() override;

  // ---- TWindowPage --------------------------------------------------------
  void LoadFromDocument() override;
  void Activate() override;
  void StoreUiState(project::TUiState& state) const override;
  void RestoreUiState(const project::TUiState& state) override;
  void UpdatePageState() override;

  // ---- panels and requests --------------------------------------------------
  // Shows one panel; a change of panel frees all tiles and builds the new ones.
  void SetProjectPanel(TProjectPanel mode) override;
  TProjectPanel ProjectPanel() const;
  // The start screen: the new-project panel with an empty recent list, else
  // the open-project panel.
  void ShowStartScreen();
  // The window's new project just made from a tile: the template's fields
  // on the properties panel, taken into the document as one undo step.
  void FillNewProject(const project::TNewProjectTemplate& data);
  const std::vector<TfrmePrjPageItem*>& Tiles() const { return tiles_; }

  // ---- the calculation method ----------------------------------------------
  // Shows the method choice for the document's method and applies a changed
  // choice as one undo step (also used by the installments page).
  void HandleCalcKindClick();

  // ---- seams ---------------------------------------------------------------
  // The logo file dialog: initial folder, filter, title; nothing on cancel.
  using TChooseFileFn = std::function<std::optional<std::string>(
      const std::string& folder, const std::string& filter, const std::string& title)>;
  void SetLogoFileChooser(TChooseFileFn choose) { chooseLogoFile_ = std::move(choose); }
  // One balloon hover tick for a cursor position (the timer passes the real
  // cursor); public so that hovering can be played without a mouse.
  void BalloonHoverTick(const QPoint& globalCursor);
  TBalloonHint* Balloon() const { return balloon_.get(); }
  // Whether the date warning is shown.
  bool DateWarningShown() const;

 private:
  void ConnectFields();
  void LoadProjectFields();
  void StoreProjectFields(bool restoreOnly);
  void HandleProjectDataChange(QWidget* field);
  void UpdateLogoDisplay();
  void ChangeLogo();
  void DeleteLogo();
  void ConceptClicked(bool checked);
  void ShowInfoBalloon(QWidget* source);
  void SetDateWarning(bool shown);
  void AddOpenTile(const std::string& path);
  void AddNewTile(const project::TNewProjectTemplate& data);
  void AddTile(TfrmePrjPageItem* tile, QWidget* scrollContent);
  void FreeTiles();
  void Tick();
  void FocusFields();
  QWidget* ControlOfId(int id) const;
  int IdOfControl(const QWidget* widget) const;
  bool eventFilter(QObject* watched, QEvent* event) override;

  std::unique_ptr<Ui::TProjectPageForm> ui_;
  std::unique_ptr<TBalloonHint> balloon_;
  std::vector<TfrmePrjPageItem*> tiles_;
  QTimer timer1_;
  TChooseFileFn chooseLogoFile_;
  // Change handling on (the fields are not being filled by the program).
  bool fieldsLoaded_ = true;
  // An undo step was already made for the field that has the focus.
  bool fieldSnapshot_ = false;
  // Balloon hover: the icon under the cursor at the previous tick, and for
  // how many ticks it has been there.
  QWidget* hoverIcon_ = nullptr;
  int hoverTicks_ = 0;
  // The control to focus after undo/redo (an id of IdOfControl), 0 for none.
  int restoreFocus_ = 0;
  TIndexPictureKey shownIndexPicture_;
};

}  // namespace pc::gui
