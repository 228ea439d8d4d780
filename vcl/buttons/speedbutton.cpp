// TSpeedButton: a glyph button drawn on its parent. Pressing shows it down
// while the mouse stays on it; releasing on it clicks. Grouped buttons stay
// down until another of their group goes down.
#include <algorithm>

#include "vcl/buttons.h"
#include "vcl/controls/detail/caption.h"

namespace vcl {

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FControlStyle = {csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, 25, 25);
  // The declared default colour (see TButton).
  SetColor(clBtnFace);
  SetParentColor(true);
  FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TSpeedButton::~TSpeedButton() {
  FGlyph->OnChange = nullptr;
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
}

void TSpeedButton::GlyphChanged(TObject*) {
  if (FGlyph->Height() > 0 && FGlyph->Width() % FGlyph->Height() == 0) {
    const int Images = FGlyph->Width() / FGlyph->Height();
    FNumGlyphs = Images > 4 ? 1 : std::max(Images, 1);
  }
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  FMargin = std::max(Value, -1);
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0)
    Value = false; // only grouped buttons stay down
  if (Value == FDown)
    return;
  if (FDown && !FAllowAllUp)
    return; // a group keeps one button down
  FDown = Value;
  if (Value)
    ReleaseGroup();
  Invalidate();
}

void TSpeedButton::ReleaseGroup() {
  if (!Parent())
    return;
  TMessage M{CM_BUTTONPRESSED, FGroupIndex, reinterpret_cast<std::intptr_t>(this), 0};
  for (int I = 0; I < Parent()->ControlCount(); ++I)
    if (Parent()->Controls(I) != this)
      Parent()->Controls(I)->WndProc(M);
}

void TSpeedButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_BUTTONPRESSED) {
    if (Message.WParam == FGroupIndex && FDown &&
        reinterpret_cast<TSpeedButton*>(Message.LParam) != this) {
      FDown = false;
      Invalidate();
    }
    return;
  }
  TGraphicControl::Dispatch(Message);
}

TButtonState TSpeedButton::State() const {
  if (!Enabled())
    return bsDisabled;
  if (FPressed)
    return bsDown;
  return FDown ? bsExclusive : bsUp;
}

void TSpeedButton::Click() {
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled()) {
    FDragging = true;
    FPressed = true;
    Invalidate();
  }
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    const bool Inside = PtInRect(ClientRect(), {X, Y});
    if (Inside != FPressed) {
      FPressed = Inside;
      Invalidate();
    }
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging)
    return;
  FDragging = false;
  const bool Inside = PtInRect(ClientRect(), {X, Y});
  FPressed = false;
  if (Inside && FGroupIndex != 0)
    SetDown(FAllowAllUp ? !FDown : true);
  Invalidate();
  if (Inside)
    Click();
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  FPressed = FDragging = false;
  TGraphicControl::CMEnabledChanged(Message);
}

void TSpeedButton::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  Invalidate();
}

void TSpeedButton::CalcLayout(const TRect& PaintRect, TPoint& GlyphPos, TRect& TextRect) {
  const TPoint Client{PaintRect.Width(), PaintRect.Height()};
  const TPoint GlyphSize =
      FGlyph->Empty() ? TPoint{} : TPoint{FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
  const std::string Text = Caption();
  const TPoint TextSize =
      Text.empty() ? TPoint{} : caption::Measure(Text, Font()->Handle(), true, false, Client.X);
  const bool Horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  TPoint TextPos;
  if (Horizontal) {
    GlyphPos.Y = (Client.Y - GlyphSize.Y + 1) / 2;
    TextPos.Y = (Client.Y - TextSize.Y + 1) / 2;
  } else {
    GlyphPos.X = (Client.X - GlyphSize.X + 1) / 2;
    TextPos.X = (Client.X - TextSize.X + 1) / 2;
  }
  // Spacing only separates a glyph from a caption.
  int Spacing = (TextSize.X == 0 || GlyphSize.X == 0) ? 0 : FSpacing;
  int Margin = FMargin;
  if (Margin == -1) {
    if (Spacing == -1) {
      const TPoint Total{GlyphSize.X + TextSize.X, GlyphSize.Y + TextSize.Y};
      Margin = Horizontal ? (Client.X - Total.X) / 3 : (Client.Y - Total.Y) / 3;
      Spacing = Margin;
    } else {
      const TPoint Total{GlyphSize.X + Spacing + TextSize.X, GlyphSize.Y + Spacing + TextSize.Y};
      Margin = Horizontal ? (Client.X - Total.X + 1) / 2 : (Client.Y - Total.Y + 1) / 2;
    }
  } else if (Spacing == -1) {
    const TPoint Total{Client.X - (Margin + GlyphSize.X), Client.Y - (Margin + GlyphSize.Y)};
    Spacing = Horizontal ? (Total.X - TextSize.X) / 2 : (Total.Y - TextSize.Y) / 2;
  }
  switch (FLayout) {
  case blGlyphLeft:
    GlyphPos.X = Margin;
    TextPos.X = GlyphPos.X + GlyphSize.X + Spacing;
    break;
  case blGlyphRight:
    GlyphPos.X = Client.X - Margin - GlyphSize.X;
    TextPos.X = GlyphPos.X - Spacing - TextSize.X;
    break;
  case blGlyphTop:
    GlyphPos.Y = Margin;
    TextPos.Y = GlyphPos.Y + GlyphSize.Y + Spacing;
    break;
  case blGlyphBottom:
    GlyphPos.Y = Client.Y - Margin - GlyphSize.Y;
    TextPos.Y = GlyphPos.Y - Spacing - TextSize.Y;
    break;
  }
  GlyphPos.X += PaintRect.Left;
  GlyphPos.Y += PaintRect.Top;
  TextRect = Bounds(TextPos.X + PaintRect.Left, TextPos.Y + PaintRect.Top, TextSize.X, TextSize.Y);
}

void TSpeedButton::DrawGlyph(TCanvas* Canvas, const TPoint& At) {
  if (FGlyph->Empty())
    return;
  const int W = FGlyph->Width() / FNumGlyphs, H = FGlyph->Height();
  const TButtonState S = State();
  // Image 0 is up, 1 disabled, 2 down, 3 stays down; missing ones fall back to the up image.
  int Index = static_cast<int>(S);
  if (Index >= FNumGlyphs)
    Index = 0;
  const bool Emboss = S == bsDisabled && Index == 0;
  const TPixelBuffer& Source = FGlyph->Pixels();
  const TColor Transparent = FGlyph->TransparentColor();
  TPixelBuffer Image(W, H);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      Image.SetPixel(X, Y, Source.Pixel(Index * W + X, Y));
  HDC DC = Canvas->Handle();
  if (!Emboss) {
    gdi::Blit(*DC, At.X, At.Y, Image, &Transparent);
    return;
  }
  // A disabled look made from the up image: its dark pixels embossed.
  for (TColor Ink : {clBtnHighlight, clBtnShadow}) {
    const int Shift = Ink == clBtnHighlight ? 1 : 0;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) {
        const TColor C = Image.Pixel(X, Y);
        const int Luma = ((C & 0xFF) * 30 + ((C >> 8) & 0xFF) * 59 + ((C >> 16) & 0xFF) * 11) / 100;
        if (C != Transparent && Luma < 192)
          gdi::FillRect(*DC, Bounds(At.X + X + Shift, At.Y + Y + Shift, 1, 1), Ink);
      }
  }
}

void TSpeedButton::Paint() {
  TCanvas* C = Canvas();
  HDC DC = C->Handle();
  TRect R = ClientRect();
  const TButtonState S = State();
  const bool Sunken = S == bsDown || S == bsExclusive;
  gdi::FillRect(*DC, R, clBtnFace);
  auto Edge = [DC](const TRect& E, TColor TopLeft, TColor BottomRight) {
    gdi::FillRect(*DC, {E.Left, E.Top, E.Right - 1, E.Top + 1}, TopLeft);
    gdi::FillRect(*DC, {E.Left, E.Top, E.Left + 1, E.Bottom - 1}, TopLeft);
    gdi::FillRect(*DC, {E.Left, E.Bottom - 1, E.Right, E.Bottom}, BottomRight);
    gdi::FillRect(*DC, {E.Right - 1, E.Top, E.Right, E.Bottom}, BottomRight);
  };
  if (!FFlat || Sunken) {
    TRect Inner = R;
    InflateRect(Inner, -1, -1);
    if (Sunken) {
      Edge(R, cl3DDkShadow, clBtnHighlight);
      Edge(Inner, clBtnShadow, cl3DLight);
    } else {
      Edge(R, clBtnHighlight, cl3DDkShadow);
      Edge(Inner, cl3DLight, clBtnShadow);
    }
  }
  InflateRect(R, -2, -2);
  if (Sunken)
    OffsetRect(R, 1, 1);
  TPoint GlyphPos;
  TRect TextRect;
  CalcLayout(R, GlyphPos, TextRect);
  DrawGlyph(C, GlyphPos);
  if (!Caption().empty())
    caption::Draw(*DC, TextRect, Caption(), Font()->Handle(), Font()->Color(), taCenter, false,
                  true, false, Enabled());
}

} // namespace vcl
