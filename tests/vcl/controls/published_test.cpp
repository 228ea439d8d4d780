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

namespace {

// A form whose speed button's glyph is a bitmap info header (no file
// header) of the given fields, with 64 bytes of pixel data after it.
std::string GlyphForm(std::uint32_t HeaderSize, std::uint32_t Width, std::uint32_t Height,
                      unsigned Bits) {
  std::string Data;
  auto Put = [&](std::uint32_t V, int Bytes) {
    for (int I = 0; I < Bytes; ++I)
      Data.push_back(static_cast<char>((V >> (8 * I)) & 0xFF));
  };
  Put(HeaderSize, 4);
  Put(Width, 4);
  Put(Height, 4);
  Put(1, 2);
  Put(Bits, 2);
  for (int I = 0; I < 6; ++I)
    Put(0, 4);
  Data += std::string(64, '\x7F');
  static const char Hex[] = "0123456789ABCDEF";
  std::string Digits;
  for (unsigned char C : Data)
    Digits += std::string{Hex[C >> 4], Hex[C & 15]};
  return "object F: TForm\n  object B: TSpeedButton\n    Glyph.Data = {" + Digits +
         "}\n  end\nend\n";
}

} // namespace

// Bitmap headers that no picture can have are refused before any size is
// worked out from them (under UndefinedBehaviorSanitizer a negated INT_MIN
// height stops the test), and the form is not built.
TEST(FormFileTest, ImpossibleGlyphHeadersAreRefused) {
  const struct {
    const char* What;
    std::uint32_t HeaderSize, Width, Height;
    unsigned Bits;
  } Cases[] = {
      {"height INT_MIN", 40, 2, 0x80000000u, 24},
      {"width INT_MIN", 40, 0x80000000u, 2, 24},
      {"height -INT_MAX", 40, 2, 0x80000001u, 24},
      {"width 0", 40, 0, 2, 24},
      {"height 40000", 40, 2, 40000, 1},
      {"header size 4 GB", 0xFFFFFFFFu, 2, 2, 24},
      {"header size 39", 39, 2, 2, 24},
      {"32 bits a pixel", 40, 2, 2, 32},
      {"rows beyond the data", 40, 32, 32, 24},
  };
  for (const auto& C : Cases) {
    TForm Form(nullptr);
    try {
      ReadComponentText(GlyphForm(C.HeaderSize, C.Width, C.Height, C.Bits), &Form);
      ADD_FAILURE() << C.What << ": read";
    } catch (const EReadError& E) {
      EXPECT_EQ(E.Message(), "Line 3: Error reading Glyph.Data: Bitmap image is not valid")
          << C.What;
    }
    EXPECT_EQ(Form.ComponentCount(), 0) << C.What;
  }
  // The same header with a height that fits reads, top-down too.
  for (std::uint32_t Height : {2u, 0xFFFFFFFEu}) {
    TForm Form(nullptr);
    ReadComponentText(GlyphForm(40, 2, Height, 24), &Form);
    EXPECT_EQ(dynamic_cast<TSpeedButton*>(Form.FindComponent("B"))->Glyph()->Height(), 2);
  }
}
// A form shown inside another writes no TabOrder: it keeps the place it was
// read in, and its siblings' written orders read back to the same list. A
// control whose file omits TabOrder leaves the named places to the others.
TEST(FormFileTest, TabOrdersReadBackBesideControlsThatWriteNone) {
  RegisterGuiClasses();
  struct Case {
    const char* Children;
    std::vector<std::string> Order;
  };
  const Case Cases[] = {
      {"  object Inner: TForm\n  end\n"
       "  object P0: TPanel\n  end\n",
       {"Inner", "P0"}},
      {"  object P0: TPanel\n  end\n"
       "  object Inner: TForm\n  end\n"
       "  object P1: TPanel\n    TabOrder = 0\n  end\n",
       {"P1", "P0", "Inner"}},
      {"  object E1: TEdit\n  end\n"
       "  object E2: TEdit\n    TabOrder = 0\n  end\n",
       {"E2", "E1"}},
      {"  object E1: TEdit\n    TabOrder = 7\n  end\n"
       "  object E2: TEdit\n    TabOrder = 5\n  end\n",
       {"E2", "E1"}},
  };
  for (const Case& C : Cases) {
    const std::string Text = std::string("object Outer: TForm\n") + C.Children + "end\n";
    std::unique_ptr<TComponent> First(TextToComponent(Text, nullptr));
    auto* Outer = dynamic_cast<TForm*>(First.get());
    ASSERT_TRUE(Outer) << Text;
    std::vector<std::string> Order(C.Order.size());
    for (int I = 0; I < Outer->ControlCount(); ++I) {
      auto* W = dynamic_cast<TWinControl*>(Outer->Controls(I));
      ASSERT_TRUE(W && W->TabOrder() >= 0 && W->TabOrder() < static_cast<int>(Order.size()));
      Order[W->TabOrder()] = W->Name();
    }
    EXPECT_EQ(Order, C.Order) << Text;
    const std::string Written = ComponentToText(First.get());
    First.reset();
    std::unique_ptr<TComponent> Second(TextToComponent(Written, nullptr));
    EXPECT_EQ(ComponentToText(Second.get()), Written) << Text;
  }
}

// A control nested in a component that holds no controls would be read
// without a parent and written back elsewhere; the file is refused instead,
// naming the line, and nothing read stays behind.
TEST(FormFileTest, AControlNestedWhereNoControlGoesIsRefused) {
  RegisterGuiClasses();
  struct Case {
    const char* Text;
    const char* Message;
  };
  const Case Cases[] = {
      {"object F: TForm\n"
       "  object L: TLabel\n"
       "    Caption = 'x'\n"
       "    object P: TPanel\n"
       "    end\n"
       "  end\n"
       "end\n",
       "Line 4: P cannot be placed in L: a TLabel holds no controls"},
      {"object F: TForm\n"
       "  object M: TPopupMenu\n"
       "    object I: TMenuItem\n"
       "      object E: TEdit\n"
       "      end\n"
       "    end\n"
       "  end\n"
       "end\n",
       "Line 4: E cannot be placed in I: a TMenuItem holds no controls"},
  };
  for (const Case& C : Cases) {
    TForm Form(nullptr);
    try {
      ReadComponentText(C.Text, &Form);
      ADD_FAILURE() << C.Text << "read";
    } catch (const EReadError& E) {
      EXPECT_EQ(E.Message(), C.Message);
    }
    EXPECT_EQ(Form.ComponentCount(), 0) << C.Text;
  }
  // Nested in an edit, a control has a windowed parent and reads back in it.
  const std::string Text = "object F: TForm\n  object E: TEdit\n    object P: TPanel\n    end\n"
                           "  end\nend\n";
  std::unique_ptr<TComponent> First(TextToComponent(Text, nullptr));
  EXPECT_EQ(First->FindComponent("P")->GetParentComponent(), First->FindComponent("E"));
  const std::string Written = ComponentToText(First.get());
  std::unique_ptr<TComponent> Second(TextToComponent(Written, nullptr));
  EXPECT_EQ(ComponentToText(Second.get()), Written);
}
