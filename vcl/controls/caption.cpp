// Captions with accelerators: measuring, line breaking and drawing.
#include "vcl/controls/detail/caption.h"

#include <algorithm>

namespace vcl::caption {

namespace {

// The shown text of one line and the byte offset of its underlined character (-1: none).
struct TShownLine {
  std::string Text;
  int Accel = -1;
};

TShownLine Shown(const std::string& Line, bool ShowAccel) {
  TShownLine Result;
  for (std::size_t I = 0; I < Line.size(); ++I) {
    if (ShowAccel && Line[I] == '&' && I + 1 < Line.size()) {
      ++I;
      if (Line[I] != '&' && Result.Accel < 0)
        Result.Accel = static_cast<int>(Result.Text.size());
    }
    Result.Text.push_back(Line[I]);
  }
  return Result;
}

int Width(const std::string& Line, HFONT Font, bool ShowAccel) {
  return backend::TextWidth(Font->Face, Shown(Line, ShowAccel).Text);
}

} // namespace

bool IsAccel(char32_t Ch, const std::string& Caption) {
  for (std::size_t I = 0; I + 1 < Caption.size(); ++I)
    if (Caption[I] == '&') {
      if (Caption[I + 1] == '&') {
        ++I;
        continue;
      }
      std::size_t Next = I + 1;
      return AnsiUpCase(Utf8Decode(Caption, Next)) == AnsiUpCase(Ch);
    }
  return false;
}

std::vector<std::string> Lines(const std::string& Caption, HFONT Font, bool ShowAccel,
                               bool WordWrap, int MaxWidth) {
  std::vector<std::string> Result;
  // A line ends at CR LF, at a lone CR (as in the validators' messages) and at a lone LF.
  const std::string Text = AdjustLineBreaks(Caption, tlbsLF);
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find('\n', Start);
    const std::string Paragraph = Text.substr(Start, End == std::string::npos ? End : End - Start);
    if (!WordWrap) {
      Result.push_back(Paragraph);
    } else {
      std::string Line;
      std::size_t P = 0;
      while (P <= Paragraph.size()) {
        std::size_t Blank = Paragraph.find(' ', P);
        const std::string Word =
            Paragraph.substr(P, Blank == std::string::npos ? Blank : Blank - P);
        const std::string Candidate = Line.empty() ? Word : Line + " " + Word;
        if (!Line.empty() && Width(Candidate, Font, ShowAccel) > MaxWidth) {
          Result.push_back(Line);
          Line = Word;
        } else {
          Line = Candidate;
        }
        if (Blank == std::string::npos)
          break;
        P = Blank + 1;
      }
      Result.push_back(Line);
    }
    if (End == std::string::npos)
      break;
    Start = End + 1;
  }
  return Result;
}

TPoint Measure(const std::string& Caption, HFONT Font, bool ShowAccel, bool WordWrap,
               int MaxWidth) {
  const auto All = Lines(Caption, Font, ShowAccel, WordWrap, MaxWidth);
  int W = 0;
  for (const std::string& L : All)
    W = std::max(W, Width(L, Font, ShowAccel));
  return {W, static_cast<int>(All.size()) * backend::MeasureFont(Font->Face).Height};
}

void Draw(HDC__& DC, const TRect& R, const std::string& Caption, HFONT Font, TColor Color,
          TAlignment Alignment, bool VCenter, bool ShowAccel, bool WordWrap, bool Enabled) {
  const auto All = Lines(Caption, Font, ShowAccel, WordWrap, R.Width());
  const backend::TFontMetrics M = backend::MeasureFont(Font->Face);
  const int LineHeight = M.Height;
  int Y = R.Top;
  if (VCenter)
    Y += (R.Height() - LineHeight * static_cast<int>(All.size())) / 2;
  for (const std::string& L : All) {
    const TShownLine S = Shown(L, ShowAccel);
    const int W = backend::TextWidth(Font->Face, S.Text);
    int X = R.Left;
    if (Alignment == taRightJustify)
      X = R.Right - W;
    else if (Alignment == taCenter)
      X = R.Left + (R.Width() - W) / 2;
    auto Paint = [&](int DX, int DY, TColor C) {
      gdi::Text(DC, X + DX, Y + DY, S.Text, &R, Font, C);
      if (S.Accel >= 0) {
        const int UX = X + DX + backend::TextWidth(Font->Face, S.Text.substr(0, S.Accel));
        std::size_t End = static_cast<std::size_t>(S.Accel);
        Utf8Decode(S.Text, End);
        const int UW = backend::TextWidth(Font->Face, S.Text.substr(S.Accel, End - S.Accel));
        TRect U = Bounds(UX, Y + DY + M.Ascent + 1, UW, 1);
        IntersectRect(U, U, R);
        gdi::FillRect(DC, U, C);
      }
    };
    if (Enabled) {
      Paint(0, 0, Color);
    } else {
      Paint(1, 1, clBtnHighlight);
      Paint(0, 0, clBtnShadow);
    }
    Y += LineHeight;
  }
}

} // namespace vcl::caption
