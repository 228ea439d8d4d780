// The stage of the validating edit's tests: a shown form holding the edit
// under test and a second edit to move the focus to, a recorder of message
// boxes, and counters of the edit's events.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "valedit/valedit.h"
#include "validate/validate.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

namespace valedit_test {

namespace vt = vcl::testing;

class ValEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    vcl::ResetLocale();
    Form = new vcl::TForm(nullptr);
    Form->SetBounds(0, 0, 320, 200);
    Edit = new ValEdit::TValidEdit(Form);
    Edit->SetName("Edit");
    Edit->SetParent(Form);
    Edit->SetBounds(8, 8, 160, 21);
    Other = vt::Place<vcl::TEdit>(Form, 8, 40, 160, 21);
    Edit->OnChange = [this](vcl::TObject*) { Changes.push_back(Edit->Text()); };
    Edit->OnInputError = [this](vcl::TObject*, const std::string& S) { InputErrors.push_back(S); };
    Edit->OnFocusError = [this](vcl::TObject*, const std::string& S) { FocusErrors.push_back(S); };
    Edit->OnExit = [this](vcl::TObject*) { ++Exits; };
    vt::ShowForm(Form);
    // Showing the form focuses its first control; each test enters itself.
    vt::MoveFocus(Other);
    Exits = 0;
  }
  void TearDown() override {
    delete Form;
    vcl::ResetLocale();
  }

  // Gives the edit the focus and selects nothing, the caret at the end.
  void Enter() {
    ASSERT_TRUE(vt::MoveFocus(Edit));
    Edit->SetSelStart(vcl::Length(Edit->Text()));
  }
  // Tries to move the focus away; true when it left.
  bool Leave() { return vt::MoveFocus(Other) && !Edit->Focused(); }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> Texts;
    for (const auto& B : Boxes.Boxes())
      Texts.push_back(B.Msg);
    return Texts;
  }
  template <typename V> V* ValidatorAs() {
    auto* Result = dynamic_cast<V*>(Edit->Validator());
    EXPECT_NE(Result, nullptr);
    return Result;
  }

  vt::TMessageBoxRecorder Boxes;
  vcl::TForm* Form = nullptr;
  ValEdit::TValidEdit* Edit = nullptr;
  vcl::TEdit* Other = nullptr;
  std::vector<std::string> Changes;
  std::vector<std::string> InputErrors;
  std::vector<std::string> FocusErrors;
  int Exits = 0;
};

} // namespace valedit_test
