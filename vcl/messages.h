// GUI platform: window and control messages. Controls talk to each other and
// to their own "window" through TMessage records dispatched by Perform; the
// numbers are the classic ones so that code written against them (EM_SETRECTNP,
// CM_DIALOGKEY ...) reads as it always has.
#pragma once

#include <cstdint>

namespace vcl {

struct TMessage {
  unsigned Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

// Window messages.
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_GETTEXT = 0x000D;
constexpr unsigned WM_GETTEXTLENGTH = 0x000E;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_CANCELMODE = 0x001F;
constexpr unsigned WM_SETFONT = 0x0030;
constexpr unsigned WM_GETFONT = 0x0031;
constexpr unsigned WM_CONTEXTMENU = 0x007B;
constexpr unsigned WM_GETDLGCODE = 0x0087;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCHAR = 0x0106;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
// WParam: the turn, 120 a notch, positive away from the user.
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_CUT = 0x0300;
constexpr unsigned WM_COPY = 0x0301;
constexpr unsigned WM_PASTE = 0x0302;
constexpr unsigned WM_CLEAR = 0x0303;
constexpr unsigned WM_UNDO = 0x0304;
constexpr unsigned WM_USER = 0x0400;

// Edit control messages.
constexpr unsigned EM_GETSEL = 0x00B0;
constexpr unsigned EM_SETSEL = 0x00B1;
constexpr unsigned EM_GETRECT = 0x00B2;
constexpr unsigned EM_SETRECT = 0x00B3;
constexpr unsigned EM_SETRECTNP = 0x00B4;
constexpr unsigned EM_SCROLLCARET = 0x00B7;
constexpr unsigned EM_GETMODIFY = 0x00B8;
constexpr unsigned EM_SETMODIFY = 0x00B9;
constexpr unsigned EM_REPLACESEL = 0x00C2;
constexpr unsigned EM_LIMITTEXT = 0x00C5;
constexpr unsigned EM_CANUNDO = 0x00C6;
constexpr unsigned EM_UNDO = 0x00C7;
constexpr unsigned EM_SETPASSWORDCHAR = 0x00CC;
constexpr unsigned EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr unsigned EM_SETREADONLY = 0x00CF;
constexpr unsigned EM_GETPASSWORDCHAR = 0x00D2;
constexpr unsigned EM_SETMARGINS = 0x00D3;
constexpr unsigned EM_GETMARGINS = 0x00D4;
constexpr unsigned EM_GETLIMITTEXT = 0x00D5;
// Redo, as the rich edit numbers it; the single-line edit keeps a history too.
constexpr unsigned EM_REDO = WM_USER + 84;
constexpr unsigned EM_CANREDO = WM_USER + 85;
constexpr unsigned EC_LEFTMARGIN = 0x0001;
constexpr unsigned EC_RIGHTMARGIN = 0x0002;

// Control messages of the component library.
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_GOTFOCUS = CM_BASE + 2;
constexpr unsigned CM_LOSTFOCUS = CM_BASE + 3;
constexpr unsigned CM_CANCELMODE = CM_BASE + 4;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_HITTEST = CM_BASE + 10;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
constexpr unsigned CM_CTL3DCHANGED = CM_BASE + 16;
constexpr unsigned CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 24;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr unsigned CM_ENTER = CM_BASE + 26;
constexpr unsigned CM_EXIT = CM_BASE + 27;
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr unsigned CM_INVOKEHELP = CM_BASE + 31;
constexpr unsigned CM_RELEASE = CM_BASE + 33;
constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr unsigned CM_TABSTOPCHANGED = CM_BASE + 40;
// LParam: the THintInfo (vcl/forms.h) of the hint about to show; a control
// may change it, or set Result to 1 to show none.
constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
constexpr unsigned CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr unsigned CM_GETDATALINK = CM_BASE + 45;
constexpr unsigned CM_CHILDKEY = CM_BASE + 46;
constexpr unsigned CM_RECREATEWND = CM_BASE + 51;
constexpr unsigned CM_INVALIDATE = CM_BASE + 52;
// Sent to the focused control before Enter presses a default button: the
// control judges its value as it would on losing the focus (reporting a
// refusal the same way) but keeps the focus; Result 1 means it refuses to
// let the focus go, and nothing is pressed.
constexpr unsigned CM_VALIDATEEXIT = CM_BASE + 100;

// Notifications reflected back to the control that caused them.
constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr unsigned CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr unsigned CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr unsigned CN_CHAR = CN_BASE + WM_CHAR;

// Answers to WM_GETDLGCODE.
constexpr unsigned DLGC_WANTARROWS = 0x0001;
constexpr unsigned DLGC_WANTTAB = 0x0002;
constexpr unsigned DLGC_WANTALLKEYS = 0x0004;
constexpr unsigned DLGC_HASSETSEL = 0x0008;
constexpr unsigned DLGC_DEFPUSHBUTTON = 0x0010;
constexpr unsigned DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr unsigned DLGC_WANTCHARS = 0x0080;
constexpr unsigned DLGC_STATIC = 0x0100;
constexpr unsigned DLGC_BUTTON = 0x2000;

// Virtual key codes.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_CLEAR = 0x0C;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_CANCEL = 0x03;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_EXECUTE = 0x2B;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_APPS = 0x5D;
constexpr int VK_F1 = 0x70;
constexpr int VK_F4 = 0x73;
constexpr int VK_F10 = 0x79;
constexpr int VK_F12 = 0x7B;

// Low and high 16-bit halves of a message parameter.
constexpr int LoWord(std::intptr_t V) {
  return static_cast<int>(V & 0xFFFF);
}
constexpr int HiWord(std::intptr_t V) {
  return static_cast<int>((V >> 16) & 0xFFFF);
}
constexpr std::intptr_t MakeLong(int Lo, int Hi) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(Lo) & 0xFFFF) |
                                    ((static_cast<std::uint32_t>(Hi) & 0xFFFF) << 16));
}
// Mouse coordinates travel as signed 16-bit halves of LParam.
constexpr int SmallX(std::intptr_t V) {
  return static_cast<std::int16_t>(V & 0xFFFF);
}
constexpr int SmallY(std::intptr_t V) {
  return static_cast<std::int16_t>((V >> 16) & 0xFFFF);
}

} // namespace vcl
