#include "common/messages.h"

#include <algorithm>

#include "common/text_routines.h"

namespace pc {

const char* ButtonCaption(TDialogAnswer answer) {
  switch (answer) {
    case TDialogAnswer::daJa: return kCaptionJa;
    case TDialogAnswer::daNee: return kCaptionNee;
    case TDialogAnswer::daSluiten: return kCaptionSluiten;
    case TDialogAnswer::daAnnuleren: return kCaptionAnnuleren;
    case TDialogAnswer::daNone: break;
  }
  return "";
}

TDialogContent DialogContent(TDialogMode mode, const std::string& text1, const std::string& text2) {
  TDialogContent c;
  switch (mode) {
    case TDialogMode::dmIndexDelete:
      c.Panel = TDialogPanel::IndexDelete;
      c.PanelHeight = 152;
      c.BoldText = ReplaceAll(kIndexDeleteBold, "%s", text1);
      c.BodyText = std::string(kIndexDeleteBody) + "\n\n" + kIndexDeleteBack;
      c.Buttons = {TDialogAnswer::daJa, TDialogAnswer::daNee};
      c.DefaultButton = TDialogAnswer::daNee;
      return c;
    case TDialogMode::dmSaveQuery:
      c.Panel = TDialogPanel::SaveQuery;
      c.PanelHeight = 160;
      c.BoldText = kSaveQueryBold;
      c.Lines = {text1, text2};
      c.BodyText = kSaveQueryBody;
      c.Buttons = {TDialogAnswer::daJa, TDialogAnswer::daNee, TDialogAnswer::daAnnuleren};
      c.DefaultButton = TDialogAnswer::daNee;
      return c;
    case TDialogMode::dmQuestion:
      c.Panel = TDialogPanel::Message;
      c.PanelHeight = 72;
      c.BoldText = text1;
      c.Buttons = {TDialogAnswer::daJa, TDialogAnswer::daNee};
      c.DefaultButton = TDialogAnswer::daNone;
      return c;
    case TDialogMode::dmMessage:
      break;
  }
  c.Panel = TDialogPanel::Message;
  c.PanelHeight = 72;
  c.BoldText = text1;
  c.Buttons = {TDialogAnswer::daSluiten};
  c.DefaultButton = TDialogAnswer::daSluiten;
  return c;
}

int DialogClientHeight(int panelHeight) { return kDialogButtonPanelHeight + panelHeight + 2; }

std::vector<int> DialogButtonLefts(const std::vector<TDialogAnswer>& buttons, int panelWidth,
                                   int buttonWidth) {
  // Placed from the right in the fixed order Sluiten, Annuleren, Nee, Ja.
  static constexpr TDialogAnswer kRightToLeft[] = {TDialogAnswer::daSluiten,
                                                   TDialogAnswer::daAnnuleren,
                                                   TDialogAnswer::daNee, TDialogAnswer::daJa};
  std::vector<int> lefts(buttons.size(), 0);
  int x = panelWidth - 8;
  for (TDialogAnswer b : kRightToLeft) {
    const auto it = std::find(buttons.begin(), buttons.end(), b);
    if (it == buttons.end()) continue;
    lefts[static_cast<std::size_t>(it - buttons.begin())] = x - buttonWidth;
    x -= buttonWidth + 8;
  }
  return lefts;
}

TAskLayout AskLayout(int dialogWidth, int focusButton, bool caption2Given, bool caption3Given,
                     int buttonWidth) {
  TAskLayout layout;
  if (focusButton == 2) {
    layout.TabOrder = {2, 0, 1};
  } else if (focusButton == 3) {
    layout.TabOrder = {1, 2, 0};
  } else {
    layout.TabOrder = {0, 1, 2};
  }
  for (int i = 0; i < 3; ++i) {
    if (layout.TabOrder[static_cast<std::size_t>(i)] == 0) layout.FocusedButton = i + 1;
  }
  layout.ButtonCount = caption3Given ? 3 : (caption2Given ? 2 : 1);
  const int step = buttonWidth * 5 / 4;  // 1.25 times the width, fraction cut off
  const int first = (step - buttonWidth) / 2 + (dialogWidth - layout.ButtonCount * step) / 2 - 4;
  layout.ButtonLeft = {first, first + step, first + 2 * step};
  layout.LabelWidth = dialogWidth - 8;
  return layout;
}

int ShowMessageWidth(int textWidth) { return std::max(kShowMessageMinWidth, textWidth + 30); }

}  // namespace pc
