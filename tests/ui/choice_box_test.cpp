// The drop-down choice: its handler runs only when the choice changes, user
// picks go through the dispatcher, and a restored state runs nothing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <string>
#include <vector>

#include "core/run_time_error.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/scripted_prompts.h"

namespace ui {
namespace {

class ChoiceBoxTest : public testing::Test {
 protected:
  ChoiceBoxTest() {
    choice.onChange = [this] { calls.push_back(choice.Text()); };
  }
  QComboBox* Combo() { return static_cast<QComboBox*>(choice.Widget()); }

  ScriptedPrompts prompts;
  Form form{"Test  Form", 400, 300, prompts};
  ChoiceBox& choice = form.Add<ChoiceBox>("RingShape", Geometry{10, 10, 89, 22},
                                          std::vector<std::string>{"Circle", "Oval", "Square"}, 0);
  std::vector<std::string> calls;
};

TEST_F(ChoiceBoxTest, RunsItsHandlerOnlyWhenTheChoiceChanges) {
  EXPECT_EQ(choice.Text(), "Circle");
  choice.SetIndex(0);
  EXPECT_TRUE(calls.empty());
  choice.SetIndex(2);
  EXPECT_EQ(calls, std::vector<std::string>{"Square"});
  EXPECT_EQ(Combo()->currentIndex(), 2);
  // Outside the list: nothing.
  choice.SetIndex(3);
  choice.SetIndex(-1);
  EXPECT_EQ(choice.Index(), 2);
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ChoiceBoxTest, UserPicksGoThroughTheDispatcherOnlyWhenReachable) {
  choice.onChange = [this] {
    calls.push_back(choice.Text());
    throw RunTimeError("Integer overflow");
  };
  choice.UserChoose(1);
  EXPECT_EQ(calls, std::vector<std::string>{"Oval"});
  EXPECT_EQ(prompts.log, std::vector<std::string>{"error: Integer overflow"});
  // What the handler left stays, as for every control.
  EXPECT_EQ(choice.Index(), 1);
  choice.SetEnabled(false);
  choice.UserChoose(2);
  EXPECT_EQ(choice.Index(), 1);
  // A pick in Qt's own list arrives the same way.
  choice.SetEnabled(true);
  Combo()->activated(2);
  EXPECT_EQ(calls, (std::vector<std::string>{"Oval", "Square"}));
}

TEST_F(ChoiceBoxTest, RestoredStateRunsNoHandler) {
  const ControlState circle = choice.SaveState();
  choice.SetIndex(1);
  calls.clear();
  choice.RestoreState(circle);
  EXPECT_EQ(choice.Index(), 0);
  EXPECT_EQ(Combo()->currentIndex(), 0);
  EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace ui
