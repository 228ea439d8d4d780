// Texts in many scripts that every road of the library's text is tested
// with: typed, pasted, judged, stored and read back. Each is written in its
// composed form (NFC) except where the decomposition is the point.
#pragma once

#include <array>
#include <string>

namespace unicode_texts {

struct TText {
  const char* Name;
  std::string Text;
  int Characters; // code points
};

inline const std::array<TText, 12> Texts = {{
    {"Polish", "Łódź Żółć", 9},
    {"Czech", "Příliš žluťoučký", 16},
    {"Turkish", "İstanbul ğüşı", 13},
    {"Greek", "Αθήνα λόγος", 11},
    {"Cyrillic", "Москва жук", 10},
    {"Hebrew", "שלום עולם", 9},
    {"Arabic", "مرحبا بالعالم", 13},
    {"Chinese", "北京欢迎你", 5},
    {"Japanese", "東京ひらがなカタカナ", 10},
    {"Korean", "서울 한국어", 6},
    {"Emoji with a skin tone", "ok 👍🏽", 5},
    {"e with a combining acute", "cafe\u0301", 5},
}};

} // namespace unicode_texts
