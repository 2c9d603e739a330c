#include "common/messages.h"

#include <gtest/gtest.h>

#include "common/recording_messages.h"

namespace pc {
namespace {

using A = TDialogAnswer;

TEST(DialogContent, EachModeShowsItsPanelAndButtons) {
  struct Case {
    TDialogMode mode;
    TDialogPanel panel;
    int height;
    std::vector<A> buttons;
    A def;
  };
  const Case cases[] = {
      {TDialogMode::dmIndexDelete, TDialogPanel::IndexDelete, 152, {A::daJa, A::daNee}, A::daNee},
      {TDialogMode::dmSaveQuery, TDialogPanel::SaveQuery, 160, {A::daJa, A::daNee, A::daAnnuleren},
       A::daNee},
      {TDialogMode::dmMessage, TDialogPanel::Message, 72, {A::daSluiten}, A::daSluiten},
      {TDialogMode::dmQuestion, TDialogPanel::Message, 72, {A::daJa, A::daNee}, A::daNone},
      {static_cast<TDialogMode>(99), TDialogPanel::Message, 72, {A::daSluiten}, A::daSluiten},
  };
  for (const Case& c : cases) {
    const TDialogContent content = DialogContent(c.mode, "t1", "t2");
    EXPECT_EQ(content.Panel, c.panel);
    EXPECT_EQ(content.PanelHeight, c.height);
    EXPECT_EQ(content.Buttons, c.buttons);
    EXPECT_EQ(content.DefaultButton, c.def);
  }
}

TEST(DialogContent, TextsOfTheModes) {
  const TDialogContent del = DialogContent(TDialogMode::dmIndexDelete, "12", "");
  EXPECT_EQ(del.BoldText, "Hiermee verwijdert u 12 indexwaarden. Wilt u doorgaan?");
  EXPECT_NE(del.BodyText.find("Klik op Nee om zonder wijzigingen terug te gaan."), std::string::npos);
  const TDialogContent save = DialogContent(TDialogMode::dmSaveQuery, "Brug", "C:\\p\\brug.kvp");
  EXPECT_EQ(save.BoldText, "Wilt u de wijzigingen in het volgende bestand opslaan?");
  EXPECT_EQ(save.Lines, (std::vector<std::string>{"Brug", "C:\\p\\brug.kvp"}));
  EXPECT_EQ(DialogContent(TDialogMode::dmMessage, "Klaar", "").BoldText, "Klaar");
  EXPECT_STREQ(ButtonCaption(A::daAnnuleren), "&Annuleren");
  EXPECT_STREQ(ButtonCaption(A::daNone), "");
}

TEST(DialogLayout, ButtonsRightAligned) {
  EXPECT_EQ(DialogClientHeight(72), 106);
  // 425 wide: Sluiten ends 8 from the right edge.
  EXPECT_EQ(DialogButtonLefts({A::daSluiten}, 425), std::vector<int>{342});
  EXPECT_EQ(DialogButtonLefts({A::daJa, A::daNee, A::daAnnuleren}, 425),
            (std::vector<int>{176, 259, 342}));
  EXPECT_EQ(DialogButtonLefts({A::daJa, A::daNee}, 425), (std::vector<int>{259, 342}));
}

TEST(AskLayout, PlacementAndTabOrder) {
  const TAskLayout one = AskLayout(268, 1, false, false);
  EXPECT_EQ(one.ButtonCount, 1);
  EXPECT_EQ(one.ButtonLeft[0], 92);
  EXPECT_EQ(one.LabelWidth, 260);
  const TAskLayout three = AskLayout(268, 3, true, true);
  EXPECT_EQ(three.ButtonLeft, (std::array<int, 3>{0, 93, 186}));
  EXPECT_EQ(three.TabOrder, (std::array<int, 3>{1, 2, 0}));
  EXPECT_EQ(three.FocusedButton, 3);
  const TAskLayout two = AskLayout(268, 2, true, false);
  EXPECT_EQ(two.ButtonCount, 2);
  EXPECT_EQ(two.TabOrder, (std::array<int, 3>{2, 0, 1}));
  EXPECT_EQ(two.FocusedButton, 2);
  EXPECT_EQ(AskLayout(268, 7, false, false).FocusedButton, 1);
  EXPECT_EQ(ShowMessageWidth(100), 268);
  EXPECT_EQ(ShowMessageWidth(300), 330);
}

TEST(RecordingMessages, ScriptedAnswersAndLog) {
  TRecordingMessages ui;
  ui.QueueDialogAnswer(A::daJa);
  ui.QueueAskAnswer(2);
  TMessageUi& m = ui;
  EXPECT_EQ(m.ExecuteDialog(TDialogMode::dmSaveQuery, "p", "f"), A::daJa);
  EXPECT_EQ(m.ExecuteDialog(TDialogMode::dmMessage, "hallo", ""), A::daNone);  // script ran out
  EXPECT_EQ(m.Ask("t", "vraag", "&Ja", "&Nee", "", 268, 2), 2);
  EXPECT_EQ(m.Ask("t", "vraag", "&Ja", "", "", 268, 1), 0);
  m.ShowMessage("Fout");
  ASSERT_EQ(ui.Calls().size(), 5u);
  EXPECT_EQ(ui.Calls()[0].Mode, TDialogMode::dmSaveQuery);
  EXPECT_EQ(ui.Calls()[0].Text2, "f");
  EXPECT_EQ(ui.Calls()[2].Captions, (std::vector<std::string>{"&Ja", "&Nee", ""}));
  EXPECT_EQ(ui.Calls()[4].Title, "PrijsCorrectum");
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"hallo", "Fout"}));
  ui.ClearCalls();
  EXPECT_TRUE(ui.Calls().empty());
}

}  // namespace
}  // namespace pc
