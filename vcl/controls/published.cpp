// The published property tables of the GUI classes, with the classic
// declared defaults, so that forms are stored in and built from form files.
#include "vcl/props.h"

#include "vcl/buttons.h"
#include "vcl/extctrls.h"
#include "vcl/forms.h"
#include "vcl/menus.h"

namespace vcl {

namespace {

using namespace props;

void DeclareEnums() {
  RegisterClassesEnums();
  DeclareEnum<TAlign>("TAlign");
  DeclareEnum<TFormBorderStyle>("TFormBorderStyle");
  DeclareEnum<TEditCharCase>("TEditCharCase");
  DeclareEnum<TFontStyle>("TFontStyle");
  DeclareEnum<TFontPitch>("TFontPitch");
  DeclareEnum<TDragMode>("TDragMode");
  DeclareEnum<TImeMode>("TImeMode");
  DeclareEnum<TPosition>("TPosition");
  DeclareEnum<TButtonLayout>("TButtonLayout");
  DeclareEnum<TBevelCut>("TPanelBevel");
  DeclareIdents("TColor", ColorIdentMap());
  DeclareIdents("TCursor", {{crDefault, "crDefault"},
                            {crNone, "crNone"},
                            {crArrow, "crArrow"},
                            {crCross, "crCross"},
                            {crIBeam, "crIBeam"},
                            {crSize, "crSize"},
                            {crSizeNESW, "crSizeNESW"},
                            {crSizeNS, "crSizeNS"},
                            {crSizeNWSE, "crSizeNWSE"},
                            {crSizeWE, "crSizeWE"},
                            {crUpArrow, "crUpArrow"},
                            {crHourGlass, "crHourGlass"},
                            {crDrag, "crDrag"},
                            {crNoDrop, "crNoDrop"},
                            {crHSplit, "crHSplit"},
                            {crVSplit, "crVSplit"},
                            {crMultiDrag, "crMultiDrag"},
                            {crSQLWait, "crSQLWait"},
                            {crNo, "crNo"},
                            {crAppStart, "crAppStart"},
                            {crHelp, "crHelp"},
                            {crHandPoint, "crHandPoint"}});
}

void DeclareGraphics() {
  using T = TFont;
  Published<TFont>("TFont")
      .Inherits<TPersistent>()
      .Int("Color", &T::Color, &T::SetColor, clWindowText)
      .TypeName("TColor")
      .Int("Height", &T::Height, &T::SetHeight)
      .Str("Name", &T::Name, &T::SetName)
      .Enum("Pitch", &T::Pitch, &T::SetPitch, fpDefault)
      .Set("Style", &T::Style, &T::SetStyle, TFontStyles{});
  // An empty picture is no data: it is left out.
  Published<TBitmap>("TBitmap")
      .Inherits<TPersistent>()
      .Binary("Data", &TBitmap::Data, &TBitmap::SetData)
      .Default(std::string());
}

void DeclareControls() {
  {
    Published<TEdit> P("TEdit");
    P.Inherits<TComponent>();
    Publish<Placement, Appearance<clWindow, false>, WindowProperties<true>, MouseEvents,
            EditProperties, Text, OnChange>(P);
  }
  {
    using T = TButton;
    Published<T> P("TButton");
    P.Inherits<TComponent>();
    Publish<Placement, Appearance<clBtnFace, true>, WindowProperties<true>, MouseEvents>(P);
    P.Bool("Cancel", &T::Cancel, &T::SetCancel, false);
    Publish<Caption>(P);
    P.Bool("Default", &T::Default, &T::SetDefault, false)
        .Int("ModalResult", &T::ModalResult, &T::SetModalResult, mrNone);
  }
  {
    using T = TLabel;
    Published<T> P("TLabel");
    P.Inherits<TComponent>();
    Publish<Placement, Appearance<clBtnFace, true>, MouseEvents, Align>(P);
    P.Enum("Alignment", &T::Alignment, &T::SetAlignment, taLeftJustify)
        .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize, true);
    Publish<Caption>(P);
    P.Component("FocusControl", &T::FocusControl, &T::SetFocusControl)
        .Bool("ShowAccelChar", &T::ShowAccelChar, &T::SetShowAccelChar, true)
        .Bool("Transparent", &T::Transparent, &T::SetTransparent, false)
        .Bool("WordWrap", &T::WordWrap, &T::SetWordWrap, false);
  }
  {
    using T = TPanel;
    Published<T> P("TPanel");
    P.Inherits<TComponent>();
    Publish<Placement, Appearance<clBtnFace, false>, WindowProperties<false>, MouseEvents, Align>(
        P);
    P.Enum("Alignment", &T::Alignment, &T::SetAlignment, taCenter)
        .Enum("BevelInner", &T::BevelInner, &T::SetBevelInner, bvNone)
        .Enum("BevelOuter", &T::BevelOuter, &T::SetBevelOuter, bvRaised)
        .Int("BevelWidth", &T::BevelWidth, &T::SetBevelWidth, 1)
        .Int("BorderWidth", &T::BorderWidth, &T::SetBorderWidth, 0)
        .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsNone)
        .TypeName("TBorderStyle");
    Publish<Caption>(P);
  }
  {
    using T = TSpeedButton;
    Published<T> P("TSpeedButton");
    P.Inherits<TComponent>();
    Publish<Placement, Appearance<clBtnFace, true>, MouseEvents>(P);
    P.Bool("AllowAllUp", &T::AllowAllUp, &T::SetAllowAllUp, false)
        .Int("GroupIndex", &T::GroupIndex, &T::SetGroupIndex, 0)
        .Bool("Down", &T::Down, &T::SetDown, false)
        .Str("Caption", &T::Caption, &T::SetCaption, std::string())
        .Bool("Flat", &T::Flat, &T::SetFlat, false)
        .Object("Glyph", &T::Glyph)
        .Enum("Layout", &T::Layout, &T::SetLayout, blGlyphLeft)
        .Int("Margin", &T::Margin, &T::SetMargin, -1)
        .Int("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs, 1)
        .Int("Spacing", &T::Spacing, &T::SetSpacing, 4);
  }
}

void DeclareForms() {
  using T = TForm;
  Published<T> P("TForm");
  P.Inherits<TComponent>();
  P.Int("Left", &T::Left, &T::SetLeft)
      .Int("Top", &T::Top, &T::SetTop)
      .Int("Width", &T::Width, &T::SetWidth)
      .Int("Height", &T::Height, &T::SetHeight)
      .Component("ActiveControl", &T::ActiveControl, &T::SetActiveControl)
      .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSizeable)
      .Str("Caption", &T::Caption, &T::SetCaption)
      .Int("ClientHeight", &T::ClientHeight, &T::SetClientHeight)
      .Stored(false)
      .Int("ClientWidth", &T::ClientWidth, &T::SetClientWidth)
      .Stored(false)
      .Int("Color", &T::Color, &T::SetColor, clBtnFace)
      .TypeName("TColor")
      .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D, true)
      .Object("Font", &T::Font)
      .Int("HelpContext", &T::HelpContext, &T::SetHelpContext, 0)
      .Bool("KeyPreview", &T::KeyPreview, &T::SetKeyPreview, false)
      .Enum("Position", &T::Position, &T::SetPosition, poDesigned)
      .Bool("ShowHint", &T::ShowHint, &T::SetShowHint, false)
      .Event<TNotifySig>("OnActivate", &T::OnActivate)
      .Event<TNotifySig>("OnClick", &T::OnClick)
      .Event<void(TObject*, TCloseAction&)>("OnClose", &T::OnClose)
      .Event<void(TObject*, bool&)>("OnCloseQuery", &T::OnCloseQuery)
      .Event<TNotifySig>("OnCreate", &T::OnCreate)
      .Event<TNotifySig>("OnDeactivate", &T::OnDeactivate)
      .Event<TNotifySig>("OnDestroy", &T::OnDestroy)
      .Event<TNotifySig>("OnHide", &T::OnHide)
      .Event<TKeySig>("OnKeyDown", &T::OnKeyDown)
      .Event<TKeyPressSig>("OnKeyPress", &T::OnKeyPress)
      .Event<TKeySig>("OnKeyUp", &T::OnKeyUp)
      .Event<TNotifySig>("OnShow", &T::OnShow);
}

} // namespace

void RegisterGuiClasses() {
  static const bool Done = [] {
    DeclareEnums();
    DeclareGraphics();
    DeclareControls();
    DeclareForms();
    publish::DeclareMaskEdit();
    publish::DeclareComCtrls();
    RegisterMenuClasses();
    return true;
  }();
  (void)Done;
}

} // namespace vcl
