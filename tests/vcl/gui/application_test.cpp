// Help requests: the application's replaceable help handler and the test
// recorder that stands in for it.
#include <gtest/gtest.h>

#include "vcl/forms.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

TEST(HelpTest, WithoutAHandlerAHelpRequestDoesNothingAndReportsNoHelpShown) {
  ASSERT_FALSE(Application->OnHelp);
  Application->SetHelpFile("calendar.hlp"); // a file no viewer will open
  EXPECT_FALSE(Application->HelpContext(21));
  EXPECT_EQ(Application->LastHelpContext(), 21);
  Application->SetHelpFile("");
}

TEST(HelpTest, TheRecorderTakesEveryRequestAndHandsTheHandlerBack) {
  int Outer = 0;
  Application->OnHelp = [&Outer](Word, std::intptr_t, bool&) {
    ++Outer;
    return false;
  };
  {
    vt::THelpRecorder Help;
    EXPECT_TRUE(Application->HelpContext(21));
    EXPECT_TRUE(Application->HelpContext(5));
    EXPECT_EQ(Help.Contexts(), (std::vector<int>{21, 5}));
  }
  EXPECT_FALSE(Application->HelpContext(7));
  EXPECT_EQ(Outer, 1);
  Application->OnHelp = nullptr;
}

} // namespace
