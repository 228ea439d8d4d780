// Dragging one control onto another with the mouse: the four events with
// their arguments, refusals, cancelling, automatic and manual drags.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class DragDropTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Source = vt::Place<TEdit>(Form, 8, 8, 150, 21);
    Target = vt::Place<TEdit>(Form, 8, 60, 150, 21);
    Refuser = vt::Place<TEdit>(Form, 8, 120, 150, 21);
    Source->SetName("Source");
    Target->SetName("Target");
    Refuser->SetName("Refuser");
    Source->SetTextBuf("hello");
    Source->SetDragMode(dmAutomatic);
    Source->OnStartDrag = [this](TObject* Sender, TDragObject*&) {
      Log.push_back("start " + Name(Sender));
    };
    Source->OnEndDrag = [this](TObject* Sender, TObject* To, int X, int Y) {
      Log.push_back("end " + Name(Sender) + " " + Name(To) + " " + std::to_string(X) + "," +
                    std::to_string(Y));
    };
    Target->OnDragOver = [this](TObject* Sender, TObject* From, int X, int Y, TDragState State,
                                bool& Accept) {
      static const char* States[] = {"enter", "leave", "move"};
      Log.push_back(std::string("over ") + States[State] + " " + Name(Sender) + " " + Name(From) +
                    " " + std::to_string(X) + "," + std::to_string(Y));
      Accept = AcceptDrop;
    };
    Target->OnDragDrop = [this](TObject* Sender, TObject* From, int X, int Y) {
      Log.push_back("drop " + Name(Sender) + " " + Name(From) + " " + std::to_string(X) + "," +
                    std::to_string(Y));
    };
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Refuser));
  }
  void TearDown() override { delete Form; }

  static std::string Name(TObject* O) {
    if (auto* C = dynamic_cast<TComponent*>(O))
      return C->Name();
    return O ? O->ClassName() : "nil";
  }
  // The log without the moves, which depend on the steps of the drag.
  std::vector<std::string> Events() const {
    std::vector<std::string> Result;
    for (const std::string& S : Log)
      if (S.rfind("over move", 0) != 0)
        Result.push_back(S);
    return Result;
  }

  TForm* Form = nullptr;
  TEdit *Source = nullptr, *Target = nullptr, *Refuser = nullptr;
  bool AcceptDrop = true;
  std::vector<std::string> Log;
};

TEST_F(DragDropTest, DraggingOntoATargetThatAcceptsDropsThere) {
  vt::DragAndDrop(Source, 10, 10, Target, 30, 5);
  EXPECT_EQ(Events(),
            (std::vector<std::string>{"start Source", "over enter Target Source 30,5",
                                      "drop Target Source 30,5", "end Source Target 30,5"}));
  EXPECT_FALSE(Source->Dragging());
  EXPECT_EQ(DragControl(), nullptr);
  // The press that began the drag neither focused the source nor moved the focus.
  EXPECT_TRUE(Refuser->Focused());
}

TEST_F(DragDropTest, ATargetThatRefusesOrHasNoOnDragOverGetsNoDrop) {
  AcceptDrop = false;
  vt::DragAndDrop(Source, 10, 10, Target, 30, 5);
  EXPECT_EQ(Events(),
            (std::vector<std::string>{"start Source", "over enter Target Source 30,5",
                                      "over leave Target Source 30,5", "end Source nil 0,0"}));
  Log.clear();
  vt::DragAndDrop(Source, 10, 10, Refuser, 30, 5);
  EXPECT_EQ(Events(), (std::vector<std::string>{"start Source", "end Source nil 0,0"}));
}

TEST_F(DragDropTest, TheCursorTellsWhetherTheDropIsTaken) {
  Source->SetDragCursor(crHandPoint);
  vt::MouseDownAt(Source, 10, 10);
  vt::MouseMoveTo(Target, 20, 5);
  EXPECT_EQ(Screen->Cursor(), crHandPoint);
  vt::MouseMoveTo(Refuser, 20, 5);
  EXPECT_EQ(Screen->Cursor(), crNoDrop);
  EXPECT_EQ(Events().back(), "over leave Target Source 20,65");
  vt::MouseUpAt(Refuser, 20, 5);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(DragDropTest, EscapeAndTheRightButtonCancel) {
  vt::MouseDownAt(Source, 10, 10);
  vt::MouseMoveTo(Target, 20, 5);
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Events().back(), "end Source nil 0,0");
  EXPECT_EQ(DragControl(), nullptr);
  vt::MouseUpAt(Target, 20, 5);
  EXPECT_EQ(Events().back(), "end Source nil 0,0");
  Log.clear();
  vt::MouseDownAt(Source, 10, 10);
  vt::MouseMoveTo(Target, 20, 5);
  vt::RightClickAt(Target, 20, 5);
  EXPECT_EQ(Events().back(), "end Source nil 0,0");
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "drop Target Source 20,5"), 0);
}

TEST_F(DragDropTest, APressReleasedInPlaceIsAnOrdinaryClick) {
  vt::ClickAt(Source, 3, 10);
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(Source->Focused());
  EXPECT_EQ(Source->SelLength(), 0);
  EXPECT_EQ(Source->SelStart(), 0);
  // A move within the threshold is no drag either.
  vt::MouseDownAt(Source, 10, 10);
  vt::MouseMoveTo(Source, 14, 13);
  vt::MouseUpAt(Source, 14, 13);
  EXPECT_TRUE(Log.empty());
}

TEST_F(DragDropTest, AManualDragStartsFromCode) {
  Source->SetDragMode(dmManual);
  vt::DragAndDrop(Source, 10, 10, Target, 30, 5);
  EXPECT_TRUE(Log.empty());
  Source->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
    Source->BeginDrag(true);
  };
  vt::DragAndDrop(Source, 10, 10, Target, 30, 5);
  EXPECT_EQ(Events().front(), "start Source");
  EXPECT_EQ(Events().back(), "end Source Target 30,5");
  // EndDrag from code drops where the mouse is.
  vt::MouseDownAt(Source, 10, 10);
  vt::MouseMoveTo(Target, 40, 6);
  Source->EndDrag(true);
  EXPECT_EQ(Events().back(), "end Source Target 40,6");
}

TEST_F(DragDropTest, ADragObjectOfTheSourcesOwnIsWhatTargetsSee) {
  struct TTextDrag : TDragObject {};
  TTextDrag Carried;
  Source->OnStartDrag = [&](TObject*, TDragObject*& Object) { Object = &Carried; };
  TObject* Seen = nullptr;
  Target->OnDragDrop = [&](TObject*, TObject* From, int, int) { Seen = From; };
  vt::DragAndDrop(Source, 10, 10, Target, 30, 5);
  EXPECT_EQ(Seen, &Carried);
}

} // namespace
