// Qt side of the backend: fonts, text measuring and drawing into our pixel
// buffers, PNG encoding, and the UTF-8 conversions at the boundary. Text in
// the scripts that need no shaping (Latin, Greek, Cyrillic, CJK, ...) is laid
// out character by character from cached advances and glyphs; a text with a
// character that needs shaping goes to qt_shape.cpp as a whole.
#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "vcl/qt/detail/qt_common.h"
#include "vcl/sysutils.h"
#include "vcl/windows/detail/backend.h"

namespace vcl::backend {

namespace {

// The pixels one character sets when drawn with its pen at (0, 0) of the
// cell's top-left corner: a box relative to that point and one byte per
// pixel of the box (1: set). Glyphs are drawn without antialiasing, so a
// pixel is either left alone or takes the text colour.
struct TGlyph {
  bool Ready = false;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Bits;
};

// A font with the advance of each character. Text is laid out as the classic
// GDI does it: every character at a whole-pixel advance, with no kerning and
// no ligatures, so a width is a plain sum and the caret, the selection and
// the drawn glyphs always agree. Each character is measured the first time
// it is met (a form's fonts meet few of them: measuring every one up front
// cost start-up more than all its text did). Each character is rasterised
// once, the first time it is drawn, and kept with its font. A character the
// font lacks comes from a fallback font (Qt's font merging), so CJK text
// finds its glyphs.
struct TLaidFont {
  QFont Font;
  int Ascent = 0;
  std::array<int, 256> Advance; // -1 while not measured
  std::optional<QFontMetrics> Metrics;
  std::optional<TFontMetrics> Measured; // the font's text metrics, once asked for
  std::array<TGlyph, 256> Glyphs;
  std::unordered_map<char32_t, int> WideAdvance;
  std::unordered_map<char32_t, TGlyph> WideGlyphs;
};

QString OneChar(char32_t Code) {
  return QString::fromUcs4(&Code, 1);
}

TLaidFont& LaidFontFor(const TFontSpec& Face) {
  // Fonts need the application object: code that measures text before
  // anyone started the platform gets it offscreen rather than a crash.
  if (!PlatformStarted())
    StartPlatform(true);
  using Key = std::tuple<std::string, int, bool, bool, bool, bool>;
  static std::map<Key, std::unique_ptr<TLaidFont>> Cache;
  const Key K{Face.Family, Face.PixelSize, Face.Bold, Face.Italic, Face.Underline, Face.StrikeOut};
  auto It = Cache.find(K);
  if (It == Cache.end()) {
    QFont F(QString::fromStdString(Face.Family));
    F.setPixelSize(std::max(Face.PixelSize, 1));
    F.setBold(Face.Bold);
    F.setItalic(Face.Italic);
    F.setUnderline(Face.Underline);
    F.setStrikeOut(Face.StrikeOut);
    F.setKerning(false);
    // Plain pixels: the same picture on every run and every machine with the same fonts.
    F.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    F.setHintingPreference(QFont::PreferFullHinting);
    auto Laid = std::make_unique<TLaidFont>();
    Laid->Font = F;
    Laid->Metrics.emplace(F);
    Laid->Ascent = Laid->Metrics->ascent();
    Laid->Advance.fill(-1);
    It = Cache.emplace(K, std::move(Laid)).first;
  }
  return *It->second;
}

// The margin Rasterise leaves around a character's advance box: no glyph of
// the font reaches further out than this.
int Reach(const TLaidFont& Laid) {
  return std::max(Laid.Font.pixelSize(), 1) + 2;
}

int AdvanceOf(TLaidFont& Laid, char32_t Code) {
  if (Code < 256) {
    int& Advance = Laid.Advance[Code];
    if (Advance < 0)
      Advance = Laid.Metrics->horizontalAdvance(OneChar(Code));
    return Advance;
  }
  auto It = Laid.WideAdvance.find(Code);
  if (It == Laid.WideAdvance.end())
    It = Laid.WideAdvance.emplace(Code, Laid.Metrics->horizontalAdvance(OneChar(Code))).first;
  return It->second;
}

// Draws the character alone, with room around it for overhangs (italics,
// negative bearings), and keeps the box of the pixels it set.
void Rasterise(TLaidFont& Laid, char32_t Code, TGlyph& G) {
  const int Margin = Reach(Laid);
  const int Cell = QFontMetrics(Laid.Font).height();
  QImage Image(AdvanceOf(Laid, Code) + 2 * Margin, Cell + 2 * Margin, QImage::Format_RGB32);
  Image.fill(Qt::white);
  {
    QPainter P(&Image);
    P.setRenderHint(QPainter::TextAntialiasing, false);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setFont(Laid.Font);
    P.setPen(Qt::black);
    P.drawText(Margin, Margin + Laid.Ascent, OneChar(Code));
  }
  // Which pixels the pen set, read a row at a time.
  const int W = Image.width(), H = Image.height();
  std::vector<std::uint8_t> Ink(static_cast<std::size_t>(W) * H);
  int L = W, T = H, R = -1, B = -1;
  for (int Y = 0; Y < H; ++Y) {
    const auto* Row = reinterpret_cast<const QRgb*>(Image.constScanLine(Y));
    for (int X = 0; X < W; ++X) {
      const bool Set = qGray(Row[X]) < 128;
      Ink[static_cast<std::size_t>(Y) * W + X] = Set;
      if (Set) {
        L = std::min(L, X);
        T = std::min(T, Y);
        R = std::max(R, X);
        B = std::max(B, Y);
      }
    }
  }
  G.Ready = true;
  if (R < 0)
    return; // a blank
  G.Left = L - Margin;
  G.Top = T - Margin;
  G.Width = R - L + 1;
  G.Height = B - T + 1;
  G.Bits.resize(static_cast<std::size_t>(G.Width) * G.Height);
  for (int Y = 0; Y < G.Height; ++Y)
    for (int X = 0; X < G.Width; ++X)
      G.Bits[static_cast<std::size_t>(Y) * G.Width + X] =
          Ink[static_cast<std::size_t>(T + Y) * W + L + X];
}

const TGlyph& GlyphOf(TLaidFont& Laid, char32_t Code) {
  TGlyph& G = Code < 256 ? Laid.Glyphs[Code] : Laid.WideGlyphs[Code];
  if (!G.Ready)
    Rasterise(Laid, Code, G);
  return G;
}

// Sets the glyph's pixels inside Clip, with its pen at (X, Y).
void Plot(TPixelBuffer& Target, const TRect& Clip, int X, int Y, const TGlyph& G,
          std::uint32_t Rgb) {
  const int Left = std::max(X + G.Left, Clip.Left);
  const int Right = std::min(X + G.Left + G.Width, Clip.Right);
  const int Top = std::max(Y + G.Top, Clip.Top);
  const int Bottom = std::min(Y + G.Top + G.Height, Clip.Bottom);
  for (int PY = Top; PY < Bottom; ++PY) {
    const std::uint8_t* Bits = G.Bits.data() + static_cast<std::size_t>(PY - Y - G.Top) * G.Width;
    std::uint32_t* Line = Target.Line(PY);
    for (int PX = Left; PX < Right; ++PX)
      if (Bits[PX - X - G.Left])
        Line[PX] = Rgb;
  }
}

// The code points of Text in turn, with an early stop: Visit returns false
// to end the walk, and then so does ForEachChar.
template <typename F> bool ForEachChar(const std::string& Text, F Visit) {
  for (std::size_t I = 0; I < Text.size();) {
    const auto Byte = static_cast<unsigned char>(Text[I]);
    const char32_t Code = Byte < 0x80 ? (++I, Byte) : Utf8Decode(Text, I);
    if (!Visit(Code))
      return false;
  }
  return true;
}

} // namespace

QString FromUtf8(const std::string& Text) {
  return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}

std::string ToUtf8(const QString& Text) {
  const QByteArray Bytes = Text.toUtf8();
  return std::string(Bytes.constData(), static_cast<std::size_t>(Bytes.size()));
}

const QFont& QtFontFor(const TFontSpec& Face, int* Ascent) {
  const TLaidFont& Laid = LaidFontFor(Face);
  if (Ascent)
    *Ascent = Laid.Ascent;
  return Laid.Font;
}

QImage WrapPixels(TPixelBuffer& Pixels) {
  return QImage(reinterpret_cast<uchar*>(Pixels.Line(0)), Pixels.Width(), Pixels.Height(),
                static_cast<qsizetype>(Pixels.Width()) * 4, QImage::Format_RGB32);
}

QImage WrapPixels(const TPixelBuffer& Pixels) {
  return QImage(reinterpret_cast<const uchar*>(Pixels.Line(0)), Pixels.Width(), Pixels.Height(),
                static_cast<qsizetype>(Pixels.Width()) * 4, QImage::Format_RGB32);
}

// Every label that sizes itself asks for its font's height, as often as it
// is laid out: the metrics are taken from Qt once per font.
TFontMetrics MeasureFont(const TFontSpec& Font) {
  TLaidFont& Laid = LaidFontFor(Font);
  if (!Laid.Measured) {
    const QFontMetrics& M = *Laid.Metrics;
    TFontMetrics R;
    R.Ascent = M.ascent();
    R.Descent = M.descent();
    R.Height = R.Ascent + R.Descent;
    R.InternalLeading = std::max(R.Height - Font.PixelSize, 0);
    R.ExternalLeading = std::max(M.leading(), 0);
    R.AveCharWidth = M.averageCharWidth();
    R.MaxCharWidth = M.maxWidth();
    Laid.Measured = R;
  }
  return *Laid.Measured;
}

int TextWidth(const TFontSpec& Font, const std::string& Text) {
  TLaidFont& Laid = LaidFontFor(Font);
  int Width = 0;
  if (!ForEachChar(Text, [&](char32_t C) {
        Width += AdvanceOf(Laid, C);
        return !NeedsShaping(C);
      }))
    return ShapedWidth(Font, Text);
  return Width;
}

std::vector<int> CaretOffsets(const TFontSpec& Font, const std::string& Text) {
  TLaidFont& Laid = LaidFontFor(Font);
  std::vector<int> Offsets{0};
  Offsets.reserve(Text.size() + 1);
  if (!ForEachChar(Text, [&](char32_t C) {
        Offsets.push_back(Offsets.back() + AdvanceOf(Laid, C));
        return !NeedsShaping(C);
      }))
    return ShapedCaretOffsets(Font, Text);
  return Offsets;
}

bool IsPlainText(const std::string& Text) {
  return ForEachChar(Text, [](char32_t C) { return !NeedsShaping(C); });
}

void DrawText(TPixelBuffer& Target, const TRect& Clip, int X, int Y, const std::string& Text,
              const TFontSpec& Font, std::uint32_t Rgb) {
  TRect Area;
  if (!IntersectRect(Area, Clip, Rect(0, 0, Target.Width(), Target.Height())))
    return;
  if (!IsPlainText(Text)) {
    DrawShaped(Target, Area, X, Y, Text, Font, Rgb);
    return;
  }
  TLaidFont& Laid = LaidFontFor(Font);
  // Advances are never negative: characters wholly left of the clip only
  // move the pen, and drawing stops at the first one wholly right of it.
  const int Margin = Reach(Laid);
  ForEachChar(Text, [&](char32_t C) {
    if (X - Margin >= Area.Right)
      return false;
    const int Advance = AdvanceOf(Laid, C);
    if (X + Advance + Margin > Area.Left) {
      const TGlyph& G = GlyphOf(Laid, C);
      if (G.Width > 0)
        Plot(Target, Area, X, Y, G, Rgb);
    }
    X += Advance;
    return true;
  });
}

std::string EncodeImage(const TPixelBuffer& Image, const char* Format) {
  if (Image.Width() == 0 || Image.Height() == 0)
    return {};
  const QImage Wrapped(reinterpret_cast<const uchar*>(Image.Line(0)), Image.Width(), Image.Height(),
                       static_cast<qsizetype>(Image.Width()) * 4, QImage::Format_RGB32);
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  if (!Wrapped.save(&Buffer, Format))
    return {};
  return std::string(Bytes.constData(), static_cast<std::size_t>(Bytes.size()));
}

} // namespace vcl::backend
