// Qt side of the backend: text that needs shaping. Combining marks, joining
// and right-to-left scripts, scripts whose letters change shape or order,
// and emoji sequences are laid out by Qt's text layout as one line, left to
// right as a paragraph: a right-to-left run shows in its visual order inside
// it while positions stay logical, and every glyph comes from the font or
// its fallbacks. The caret offsets, the width and the drawing of a text all
// come from the same layout, so they agree.
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <deque>
#include <memory>
#include <utility>

#include "vcl/qt/detail/qt_common.h"
#include "vcl/sysutils.h"

namespace vcl::backend {

namespace {

struct TShapedLine {
  TFontSpec Face;
  std::string Text;
  QTextLayout Layout;
  int Shift = 0; // moves the line's baseline onto the font's own
  int Width = 0;
  std::vector<int> CaretOffsets;
};

// The caret's x before each character: Qt counts UTF-16 units, we count
// code points, so a character past U+FFFF moves two units on.
std::vector<int> CaretOffsetsOf(const QTextLine& Line, const std::u32string& Chars) {
  std::vector<int> Offsets;
  Offsets.reserve(Chars.size() + 1);
  int Unit = 0;
  for (std::size_t I = 0; I <= Chars.size(); ++I) {
    int Cursor = Unit;
    Offsets.push_back(qRound(Line.cursorToX(&Cursor)));
    if (I < Chars.size())
      Unit += Chars[I] > 0xFFFF ? 2 : 1;
  }
  return Offsets;
}

std::unique_ptr<TShapedLine> Layout(const TFontSpec& Face, const std::string& Text) {
  auto Shaped = std::make_unique<TShapedLine>();
  Shaped->Face = Face;
  Shaped->Text = Text;
  int Ascent = 0;
  QTextLayout& L = Shaped->Layout;
  L.setFont(QtFontFor(Face, &Ascent));
  L.setText(FromUtf8(Text));
  QTextOption Option(Qt::AlignLeft | Qt::AlignAbsolute);
  Option.setTextDirection(Qt::LeftToRight);
  Option.setWrapMode(QTextOption::NoWrap);
  L.setTextOption(Option);
  L.setCacheEnabled(true);
  L.beginLayout();
  QTextLine Line = L.createLine();
  if (Line.isValid()) {
    Line.setLineWidth(1e7);
    Line.setPosition(QPointF(0, 0));
  }
  L.endLayout();
  if (!Line.isValid())
    return Shaped;
  // A fallback font (emoji, CJK) may raise the line: the text stays on the
  // baseline its own font gives it, as unshaped text does.
  Shaped->Shift = Ascent - qRound(Line.ascent());
  Shaped->Width = qRound(Line.naturalTextWidth());
  Shaped->CaretOffsets = CaretOffsetsOf(Line, Utf8Decode(Text));
  return Shaped;
}

// One paint of an edit asks for the same line several times (its caret, its
// selection, its drawing): the lines shaped last are kept.
const TShapedLine& Shaped(const TFontSpec& Face, const std::string& Text) {
  static std::deque<std::unique_ptr<TShapedLine>> Recent;
  constexpr std::size_t Kept = 8;
  for (auto It = Recent.begin(); It != Recent.end(); ++It)
    if ((*It)->Face == Face && (*It)->Text == Text) {
      std::rotate(Recent.begin(), It, It + 1);
      return *Recent.front();
    }
  Recent.push_front(Layout(Face, Text));
  if (Recent.size() > Kept)
    Recent.pop_back();
  return *Recent.front();
}

bool IsSimpleScript(char32_t Ch) {
  switch (QChar::script(Ch)) {
  case QChar::Script_Common:
  case QChar::Script_Latin:
  case QChar::Script_Greek:
  case QChar::Script_Cyrillic:
  case QChar::Script_Armenian:
  case QChar::Script_Georgian:
  case QChar::Script_Han:
  case QChar::Script_Hiragana:
  case QChar::Script_Katakana:
  case QChar::Script_Bopomofo:
    return true;
  case QChar::Script_Hangul:
    return Ch >= 0xAC00 && Ch <= 0xD7A3; // whole syllables; loose jamo combine
  default:
    return false;
  }
}

bool IsEmojiPart(char32_t Ch) {
  return Ch >= 0x1F000 || (Ch >= 0x2600 && Ch <= 0x27BF) || (Ch >= 0xFE00 && Ch <= 0xFE0F) ||
         Ch == 0x200D || Ch == 0x20E3;
}

} // namespace

bool NeedsShaping(char32_t Ch) {
  if (Ch < 0x0300)
    return false; // Latin, the IPA and the spacing modifiers
  if (IsEmojiPart(Ch))
    return true;
  switch (QChar::category(Ch)) {
  case QChar::Mark_NonSpacing:
  case QChar::Mark_SpacingCombining:
  case QChar::Mark_Enclosing:
  case QChar::Other_Format:
    return true;
  default:
    break;
  }
  switch (QChar::direction(Ch)) {
  case QChar::DirR:
  case QChar::DirAL:
  case QChar::DirAN:
    return true;
  default:
    return !IsSimpleScript(Ch);
  }
}

int ShapedWidth(const TFontSpec& Font, const std::string& Text) {
  return Shaped(Font, Text).Width;
}

std::vector<int> ShapedCaretOffsets(const TFontSpec& Font, const std::string& Text) {
  return Shaped(Font, Text).CaretOffsets;
}

void DrawShaped(TPixelBuffer& Target, const TRect& Area, int X, int Y, const std::string& Text,
                const TFontSpec& Font, std::uint32_t Rgb) {
  const TShapedLine& Line = Shaped(Font, Text);
  QImage Image = WrapPixels(Target);
  QPainter P(&Image);
  P.setRenderHint(QPainter::Antialiasing, false);
  P.setRenderHint(QPainter::TextAntialiasing, false);
  P.setClipRect(QRect(Area.Left, Area.Top, Area.Width(), Area.Height()));
  P.setPen(QColor::fromRgb(Rgb));
  Line.Layout.draw(&P, QPointF(X, Y + Line.Shift));
}

} // namespace vcl::backend
