// Qt side of the backend: fonts, text measuring and drawing into our pixel
// buffers, PNG encoding, and the code page 1252 conversions they need.
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
#include <tuple>

#include "vcl/qt/detail/qt_common.h"
#include "vcl/windows/detail/backend.h"

namespace vcl::backend {

namespace {

// Code page 1252 differs from Latin-1 only in 0x80-0x9F.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

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

// A font with the advance of each code page character. Text is laid out as
// the classic GDI does it: every character at a whole-pixel advance, with no
// kerning and no ligatures, so a width is a plain sum and the caret, the
// selection and the drawn glyphs always agree. Each character is shaped and
// rasterised once, the first time it is drawn, and kept with its font.
struct TLaidFont {
  QFont Font;
  int Ascent = 0;
  std::array<int, 256> Advance{};
  std::array<TGlyph, 256> Glyphs;
};

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
    F.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias |
                                            QFont::NoFontMerging));
    F.setHintingPreference(QFont::PreferFullHinting);
    auto Laid = std::make_unique<TLaidFont>();
    Laid->Font = F;
    const QFontMetrics M(F);
    Laid->Ascent = M.ascent();
    for (int Code = 0; Code < 256; ++Code)
      Laid->Advance[static_cast<std::size_t>(Code)] =
          M.horizontalAdvance(FromCp1252(std::string(1, static_cast<char>(Code))));
    It = Cache.emplace(K, std::move(Laid)).first;
  }
  return *It->second;
}

// The margin Rasterise leaves around a character's advance box: no glyph of
// the font reaches further out than this.
int Reach(const TLaidFont& Laid) {
  return std::max(Laid.Font.pixelSize(), 1) + 2;
}

// Draws the character alone, with room around it for overhangs (italics,
// negative bearings), and keeps the box of the pixels it set.
void Rasterise(const TLaidFont& Laid, unsigned char Code, TGlyph& G) {
  const int Margin = Reach(Laid);
  const int Cell = QFontMetrics(Laid.Font).height();
  QImage Image(Laid.Advance[Code] + 2 * Margin, Cell + 2 * Margin, QImage::Format_RGB32);
  Image.fill(Qt::white);
  {
    QPainter P(&Image);
    P.setRenderHint(QPainter::TextAntialiasing, false);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setFont(Laid.Font);
    P.setPen(Qt::black);
    P.drawText(Margin, Margin + Laid.Ascent, FromCp1252(std::string(1, static_cast<char>(Code))));
  }
  auto Set = [&Image](int X, int Y) {
    return qGray(reinterpret_cast<const QRgb*>(Image.constScanLine(Y))[X]) < 128;
  };
  int L = Image.width(), T = Image.height(), R = -1, B = -1;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X)
      if (Set(X, Y)) {
        L = std::min(L, X);
        T = std::min(T, Y);
        R = std::max(R, X);
        B = std::max(B, Y);
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
      G.Bits[static_cast<std::size_t>(Y) * G.Width + X] = Set(L + X, T + Y) ? 1 : 0;
}

const TGlyph& GlyphOf(TLaidFont& Laid, unsigned char Code) {
  TGlyph& G = Laid.Glyphs[Code];
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

const QFont& FontFor(const TFontSpec& Face) {
  return LaidFontFor(Face).Font;
}

} // namespace

QString FromCp1252(const std::string& Text) {
  QString S;
  S.reserve(static_cast<qsizetype>(Text.size()));
  for (unsigned char C : Text)
    S.append(C >= 0x80 && C < 0xA0 ? QChar(Cp1252High[C - 0x80]) : QChar(C));
  return S;
}

std::string ToCp1252(const QString& Text) {
  std::string S;
  S.reserve(static_cast<std::size_t>(Text.size()));
  for (QChar Q : Text) {
    const char16_t U = Q.unicode();
    if (U < 0x80 || (U >= 0xA0 && U < 0x100)) {
      S.push_back(static_cast<char>(U));
      continue;
    }
    char Mapped = '?';
    for (int I = 0; I < 32; ++I)
      if (Cp1252High[I] == U && U != 0xFFFD)
        Mapped = static_cast<char>(0x80 + I);
    S.push_back(Mapped);
  }
  return S;
}

QImage WrapPixels(TPixelBuffer& Pixels) {
  return QImage(reinterpret_cast<uchar*>(Pixels.Line(0)), Pixels.Width(), Pixels.Height(),
                static_cast<qsizetype>(Pixels.Width()) * 4, QImage::Format_RGB32);
}

QImage WrapPixels(const TPixelBuffer& Pixels) {
  return QImage(reinterpret_cast<const uchar*>(Pixels.Line(0)), Pixels.Width(), Pixels.Height(),
                static_cast<qsizetype>(Pixels.Width()) * 4, QImage::Format_RGB32);
}

TFontMetrics MeasureFont(const TFontSpec& Font) {
  const QFontMetrics M(FontFor(Font));
  TFontMetrics R;
  R.Ascent = M.ascent();
  R.Descent = M.descent();
  R.Height = R.Ascent + R.Descent;
  R.InternalLeading = std::max(R.Height - Font.PixelSize, 0);
  R.ExternalLeading = std::max(M.leading(), 0);
  R.AveCharWidth = M.averageCharWidth();
  R.MaxCharWidth = M.maxWidth();
  return R;
}

int TextWidth(const TFontSpec& Font, const std::string& Text) {
  const TLaidFont& Laid = LaidFontFor(Font);
  int Width = 0;
  for (unsigned char C : Text)
    Width += Laid.Advance[C];
  return Width;
}

void DrawText(TPixelBuffer& Target, const TRect& Clip, int X, int Y, const std::string& Text,
              const TFontSpec& Font, std::uint32_t Rgb) {
  TRect Area;
  if (!IntersectRect(Area, Clip, Rect(0, 0, Target.Width(), Target.Height())))
    return;
  TLaidFont& Laid = LaidFontFor(Font);
  // Advances are never negative: characters wholly left of the clip only
  // move the pen, and drawing stops at the first one wholly right of it.
  const int Margin = Reach(Laid);
  for (unsigned char C : Text) {
    if (X - Margin >= Area.Right)
      break;
    const int Advance = Laid.Advance[C];
    if (X + Advance + Margin > Area.Left) {
      const TGlyph& G = GlyphOf(Laid, C);
      if (G.Width > 0)
        Plot(Target, Area, X, Y, G, Rgb);
    }
    X += Advance;
  }
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
