// The program's message dialogs without any window: the modes, answers and
// texts of the message dialog, the Show message and Ask routines, and the
// layout rules a window applies. The window implements TMessageUi; tests use
// TRecordingMessages (common/recording_messages.h).
#pragma once

#include <array>
#include <string>
#include <vector>

namespace pc {

// The application title, caption of every message dialog.
inline constexpr const char* kAppTitle = "PrijsCorrectum";

enum class TDialogMode : int {
  dmIndexDelete = 0,  // confirm that a period change erases index figures
  dmSaveQuery = 1,    // ask whether to save the changes of a project
  dmMessage = 2,      // show a message with a close button
  dmQuestion = 3,     // ask a yes/no question
};

// The answer of ExecuteDialog. daNone: the window was closed without a
// button; every caller treats it like daAnnuleren (or daNee where there is
// no cancel).
enum class TDialogAnswer : int {
  daNone = 0,
  daJa = 1,
  daNee = 2,
  daSluiten = 3,
  daAnnuleren = 4,
};

// Button captions of the message dialog.
inline constexpr const char* kCaptionJa = "&Ja";
inline constexpr const char* kCaptionNee = "&Nee";
inline constexpr const char* kCaptionAnnuleren = "&Annuleren";
inline constexpr const char* kCaptionSluiten = "&Sluiten";
// The caption of a button answer; empty for daNone.
const char* ButtonCaption(TDialogAnswer answer);

// Texts of the index-delete panel; "%s" stands for the count.
inline constexpr const char* kIndexDeleteBold =
    "Hiermee verwijdert u %s indexwaarden. Wilt u doorgaan?";
inline constexpr const char* kIndexDeleteBody =
    "U heeft er voor gekozen om het aantal perioden te verminderen. In deze perioden zijn "
    "indexwaarden ingevoerd. Deze indexwaarden zullen verdwijnen als u op Ja klikt. Deze "
    "bewerking kan niet ongedaan gemaakt worden.";
inline constexpr const char* kIndexDeleteBack = "Klik op Nee om zonder wijzigingen terug te gaan.";
// Texts of the save-query panel.
inline constexpr const char* kSaveQueryBold = "Wilt u de wijzigingen in het volgende bestand opslaan?";
inline constexpr const char* kSaveQueryBody =
    "U kunt deze keuze niet ongedaan maken. Als u Nee kiest, verliest u de gemaakte "
    "wijzigingen. Kies Annuleren om terug te gaan zonder uw wijzigingen te verliezen";

// What one mode of the message dialog shows.
enum class TDialogPanel : int { IndexDelete = 0, SaveQuery = 1, Message = 2 };
struct TDialogContent {
  TDialogPanel Panel = TDialogPanel::Message;
  int PanelHeight = 0;          // 152, 160 or 72 pixels
  std::string BoldText;         // the bold line (message label for the message panel)
  std::vector<std::string> Lines;  // further lines in order (save query: project, file name)
  std::string BodyText;         // the word-wrapped explanation, empty for the message panel
  std::vector<TDialogAnswer> Buttons;  // shown buttons, left to right
  TDialogAnswer DefaultButton = TDialogAnswer::daNone;  // daNone: no default
};
// The content of `mode` with its two texts: dmIndexDelete puts text1 (the
// count) in place of "%s"; dmSaveQuery shows text1 (project name) and text2
// (file name); dmMessage and dmQuestion show text1. A mode outside the four
// is shown as dmMessage.
TDialogContent DialogContent(TDialogMode mode, const std::string& text1, const std::string& text2);

// Geometry of the message dialog.
inline constexpr int kDialogClientWidth = 425;
inline constexpr int kDialogButtonPanelHeight = 32;
inline constexpr int kDialogButtonWidth = 75;
inline constexpr int kDialogButtonHeight = 25;
// Client height for a shown panel: button panel + panel + 2.
int DialogClientHeight(int panelHeight);
// Left edges of the shown buttons (same order as `buttons`), right-aligned in
// a button panel of `panelWidth`: 8 pixels apart, the last ending 8 pixels
// from the right edge.
std::vector<int> DialogButtonLefts(const std::vector<TDialogAnswer>& buttons, int panelWidth,
                                   int buttonWidth = kDialogButtonWidth);

// Layout of the three-button question dialog used by Ask and ShowMessage.
struct TAskLayout {
  int ButtonCount = 1;                 // 1..3
  std::array<int, 3> ButtonLeft{};     // left edge of Button1..Button3
  std::array<int, 3> TabOrder{};       // tab order of Button1..Button3
  int FocusedButton = 1;               // the button with tab order 0 (1..3)
  int LabelWidth = 0;                  // dialog width - 8
};
// `caption2Given`/`caption3Given`: whether those captions are non-empty.
TAskLayout AskLayout(int dialogWidth, int focusButton, bool caption2Given, bool caption3Given,
                     int buttonWidth = kDialogButtonWidth);
// Width of the ShowMessage dialog for a text of the given rendered width:
// the larger of 268 and textWidth + 30.
int ShowMessageWidth(int textWidth);
inline constexpr int kShowMessageMinWidth = 268;
inline constexpr const char* kCaptionOk = "&OK";

// The message services the core asks for. Implementations show modal
// dialogs; every call returns only when the user has answered.
class TMessageUi {
 public:
  virtual ~TMessageUi() = default;

  // The message dialog in one of its four modes (see DialogContent).
  virtual TDialogAnswer ExecuteDialog(TDialogMode mode, const std::string& text1,
                                      const std::string& text2) = 0;

  // The question dialog with title, text, one to three button captions
  // (caption2/caption3 shown only when non-empty), dialog width and the
  // button (1..3) that has the focus first. Returns the number 1..3 of the
  // button pressed, or 0 when the dialog was closed with Escape or its close
  // box.
  virtual int Ask(const std::string& title, const std::string& text, const std::string& caption1,
                  const std::string& caption2, const std::string& caption3, int width,
                  int focusButton) = 0;

  // Shows `text` with one "&OK" button under the application title. The
  // window measures the text for the width (ShowMessageWidth).
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace pc
