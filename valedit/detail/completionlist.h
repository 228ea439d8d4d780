// The completion list of a validating edit: a drop-down under the edit that
// lists the words which may follow what was typed. It floats above the
// form's controls as the form's overlay, so it sees the form's keys and
// mouse first while the edit keeps the focus: Up, Down, Page Up and Page
// Down move the highlight, Enter takes the highlighted word and Escape
// closes the list; both stop there, so neither reaches the form's default or
// cancel button nor the edit. Every other key goes on to the edit, so typing
// (and its inline completion) carries on and refreshes the list. A click on
// a word takes it; a click anywhere else closes the list and goes on. A
// list longer than its rows has a scroll bar at its right edge: a click
// above or below the thumb scrolls a page, the thumb drags, and the mouse
// wheel over the list scrolls it three words a notch.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vcl/forms.h"
#include "vcl/graphics.h"

namespace ValEdit::detail {

class TCompletionList : public vcl::TFormOverlay {
public:
  // Rows shown at most; more words scroll with the highlight.
  static constexpr int MaxRows = 8;

  // Choose receives the word the user takes, after the list has closed.
  TCompletionList(vcl::TWinControl& Edit, std::function<void(const std::string&)> Choose);
  ~TCompletionList();
  TCompletionList(const TCompletionList&) = delete;
  TCompletionList& operator=(const TCompletionList&) = delete;

  // Shows Words under the edit, the first one highlighted; closes the list
  // when there are none.
  void Show(std::vector<std::string> Words);
  void Close();
  // Open while it is its form's overlay (a popup menu opened over it takes
  // that place and so closes it).
  bool IsOpen() const;
  const std::vector<std::string>& Words() const { return FWords; }
  int Selected() const { return FSelected; }
  // The row of Words()[Index] in the form's client area; empty while the
  // row is scrolled out of sight or the list is closed.
  vcl::TRect RowRect(int Index) const;

  bool OverlayKey(bool Down, vcl::Word Key, vcl::TShiftState Shift,
                  const std::string& Chars) override;
  bool OverlayMouse(unsigned Msg, vcl::TShiftState Shift, int X, int Y) override;
  bool OverlayWheel(int Delta, vcl::TShiftState Shift, int X, int Y) override;
  void OverlayPaint(vcl::TPixelBuffer& Target, const vcl::TRect& Clip) override;
  void OverlayCancel() override { Close(); }

private:
  // Where the list goes: under the edit, or above it when the form has no
  // room below; at least as wide as the edit.
  void Place();
  void Select(int Index);
  void Take(int Index);
  // The word under (X, Y) of the form's client area, or -1.
  int RowAt(int X, int Y) const;
  void Repaint();
  void PaintBar();
  int VisibleRows() const;
  // The scroll bar, shown when the words are more than the rows, and its
  // thumb, in the form's client area; empty without one.
  bool Scrolls() const;
  vcl::TRect BarRect() const;
  vcl::TRect ThumbRect() const;
  // Shows the words from Top on, leaving the highlight where it is.
  void ScrollTo(int Top);
  bool BarMouse(unsigned Msg, int Y);

  vcl::TWinControl& FEdit;
  std::function<void(const std::string&)> FChoose;
  vcl::TCustomForm* FForm = nullptr;
  std::vector<std::string> FWords;
  int FSelected = -1;
  int FTop = 0; // the first word shown
  int FRowHeight = 0;
  bool FPressed = false;
  int FWheel = 0;     // a turn of less than a notch, kept for the next one
  int FGrab = -1;     // while the thumb is dragged: where it was taken, from its top
  vcl::TRect FBounds; // in the form's client area
  // The list as it looks now; copied into the form's picture where asked.
  vcl::TBitmap FPicture;
};

} // namespace ValEdit::detail
