// Forms written to and read from form files through the published tables.
#include <gtest/gtest.h>

#include "vcl/buttons.h"
#include "vcl/extctrls.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"
#include "vcl/typinfo.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

const char* const Text = R"(object EntryForm: TForm
  Left = 10
  Top = 20
  Width = 300
  Height = 200
  BorderStyle = bsDialog
  Caption = 'Entry'
  Color = clBtnFace
  object NameLabel: TLabel
    Left = 8
    Top = 12
    Width = 40
    Height = 13
    Caption = '&Name:'
    FocusControl = NameEdit
  end
  object Top: TPanel
    Left = 0
    Top = 0
    Width = 100
    Height = 30
    Align = alBottom
    BevelOuter = bvLowered
    TabOrder = 2
    object Inner: TSpeedButton
      Left = 2
      Top = 2
      Width = 25
      Height = 25
      Layout = blGlyphBottom
    end
  end
  object NameEdit: TEdit
    Left = 60
    Top = 8
    Width = 150
    Height = 21
    CharCase = ecUpperCase
    MaxLength = 10
    TabOrder = 1
    Text = 'abc'
  end
  object CodeEdit: TEdit
    Left = 60
    Top = 40
    Width = 150
    Height = 21
    TabOrder = 0
  end
  object OKButton: TButton
    Left = 60
    Top = 100
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
end
)";

TEST(FormFileTest, AFormIsBuiltFromItsText) {
  TForm Form(nullptr);
  ReadComponentText(Text, &Form);
  EXPECT_EQ(Form.Caption(), "Entry");
  EXPECT_EQ(Form.BorderStyle(), bsDialog);
  auto* Name = dynamic_cast<TEdit*>(Form.FindComponent("NameEdit"));
  auto* Code = dynamic_cast<TEdit*>(Form.FindComponent("CodeEdit"));
  auto* Panel = dynamic_cast<TPanel*>(Form.FindComponent("Top"));
  auto* Label = dynamic_cast<TLabel*>(Form.FindComponent("NameLabel"));
  auto* Inner = dynamic_cast<TSpeedButton*>(Form.FindComponent("Inner"));
  ASSERT_TRUE(Name && Code && Panel && Label && Inner);
  EXPECT_EQ(Name->Text(), "ABC");
  EXPECT_EQ(Name->MaxLength(), 10);
  EXPECT_EQ(Inner->Parent(), Panel);
  EXPECT_EQ(Inner->Layout(), blGlyphBottom);
  EXPECT_EQ(Label->FocusControl(), Name);
  EXPECT_EQ(Panel->Top(), Form.ClientHeight() - 30); // aligned once loaded
  // Tab orders apply after all siblings were read.
  EXPECT_EQ(Code->TabOrder(), 0);
  EXPECT_EQ(Name->TabOrder(), 1);
  vt::ShowForm(&Form);
  EXPECT_TRUE(Code->Focused());
  vt::PressKey('N', {ssAlt}); // the label's accelerator
  EXPECT_TRUE(Name->Focused());
  vt::PressKey(VK_RETURN);
  EXPECT_EQ(Form.ModalResult(), mrOk);
}

TEST(FormFileTest, WritingOmitsDefaultsAndReadsBackTheSameForm) {
  TForm Source(nullptr);
  ReadComponentText(Text, &Source);
  auto* Glyph = dynamic_cast<TSpeedButton*>(Source.FindComponent("Inner"))->Glyph();
  Glyph->SetSize(4, 2);
  Glyph->Canvas()->SetPixels(1, 1, clRed);
  const std::string Written = ComponentToText(&Source);
  EXPECT_EQ(Written.find("AutoSelect"), std::string::npos);
  EXPECT_EQ(Written.find("TabStop"), std::string::npos);
  EXPECT_NE(Written.find("CharCase = ecUpperCase"), std::string::npos);
  EXPECT_NE(Written.find("Glyph.Data"), std::string::npos);

  TForm Copy(nullptr);
  ReadComponentText(Written, &Copy);
  EXPECT_EQ(ComponentToText(&Copy), Written);
  auto* CopyGlyph = dynamic_cast<TSpeedButton*>(Copy.FindComponent("Inner"))->Glyph();
  EXPECT_EQ(CopyGlyph->Pixel(1, 1), clRed);
  EXPECT_EQ(CopyGlyph->Width(), 4);
}

TEST(FormFileTest, TheTablesCarryTheClassicDefaults) {
  TEdit Edit(nullptr);
  struct Case {
    const char* Prop;
    std::int64_t Default;
  };
  for (const Case& C :
       {Case{"TabOrder", -1}, Case{"TabStop", 1}, Case{"Visible", 1}, Case{"Enabled", 1},
        Case{"MaxLength", 0}, Case{"AutoSelect", 1}, Case{"Color", clWindow}, Case{"ParentFont", 1},
        Case{"ParentColor", 0}, Case{"BorderStyle", bsSingle}, Case{"DragCursor", crDrag}}) {
    const TPropInfo* P = FindPropInfo(&Edit, C.Prop);
    ASSERT_TRUE(P && P->Default) << C.Prop;
    EXPECT_EQ(std::get<std::int64_t>(*P->Default), C.Default) << C.Prop;
  }
  TPanel Panel(nullptr);
  EXPECT_EQ(std::get<std::int64_t>(*FindPropInfo(&Panel, "TabStop")->Default), 0);
  EXPECT_EQ(std::get<std::int64_t>(*FindPropInfo(&Panel, "BevelOuter")->Default), bvRaised);
}

TEST(FormFileTest, ParentFontIsCopiedAfterLoading) {
  TForm Form(nullptr);
  ReadComponentText(R"(object F: TForm
  Font.Height = -15
  Font.Name = 'Times New Roman'
  object E: TEdit
  end
end
)",
                    &Form);
  auto* E = dynamic_cast<TEdit*>(Form.FindComponent("E"));
  ASSERT_TRUE(E);
  EXPECT_EQ(E->Font()->Height(), -15);
  EXPECT_EQ(E->Font()->Name(), "Times New Roman");
  EXPECT_TRUE(E->ParentFont());
}

} // namespace
