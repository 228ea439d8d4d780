// Menu items and menus: the item tree, shortcuts and their names, the popup
// menu's opening, and the form-file tables of the menu classes. The open
// menu itself (its levels, input and painting) lives in menus_track.cpp and
// menus_paint.cpp.
#include "vcl/menus.h"

#include <algorithm>

#include "vcl/forms.h"
#include "vcl/menus/detail/menuview.h"
#include "vcl/typinfo.h"

namespace vcl {

namespace {

constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

// The names of the keys that have one beside letters, digits and F1..F12.
struct TKeyName {
  Word Key;
  const char* Name;
};
constexpr TKeyName KeyNames[] = {{VK_BACK, "BkSp"},    {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"},
                                 {VK_RETURN, "Enter"}, {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"},
                                 {VK_NEXT, "PgDn"},    {VK_END, "End"},     {VK_HOME, "Home"},
                                 {VK_LEFT, "Left"},    {VK_UP, "Up"},       {VK_RIGHT, "Right"},
                                 {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},  {VK_DELETE, "Del"}};

std::string KeyText(Word Key) {
  if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))
    return std::string(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key <= VK_F12)
    return "F" + std::to_string(Key - VK_F1 + 1);
  for (const TKeyName& K : KeyNames)
    if (K.Key == Key)
      return K.Name;
  return "";
}

// Caption without its accelerator marks, for finding items by what they show.
std::string ShownCaption(const std::string& Caption) {
  std::string Result;
  for (std::size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] == '&' && I + 1 < Caption.size())
      ++I;
    Result.push_back(Caption[I]);
  }
  return Result;
}

} // namespace

std::string ShortCutToText(TShortCut ShortCut) {
  const std::string Key = KeyText(ShortCut & 0xFF);
  if (Key.empty())
    return "";
  std::string Result;
  if (ShortCut & scShift)
    Result += "Shift+";
  if (ShortCut & scCtrl)
    Result += "Ctrl+";
  if (ShortCut & scAlt)
    Result += "Alt+";
  return Result + Key;
}

TShortCut TextToShortCut(const std::string& Text) {
  static constexpr struct {
    const char* Name;
    TShortCut Bit;
  } Modifiers[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
  TShortCut Shift = 0;
  std::string Rest = Text;
  for (bool Found = true; Found;) {
    Found = false;
    for (const auto& M : Modifiers) {
      const std::size_t N = std::char_traits<char>::length(M.Name);
      if (Rest.size() > N && CompareText(Rest.substr(0, N), M.Name) == 0) {
        Shift |= M.Bit;
        Rest.erase(0, N);
        Found = true;
      }
    }
  }
  for (int Key = 1; Key < 256; ++Key) {
    const std::string Name = KeyText(static_cast<Word>(Key));
    if (!Name.empty() && CompareText(Name, Rest) == 0)
      return static_cast<TShortCut>(Shift | Key);
  }
  return 0;
}

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {
  RegisterMenuClasses();
}

TMenuItem::~TMenuItem() {
  Destroying();
  // An item going away takes the open menu that shows it along.
  menuview::ItemGone(this);
  if (FParent)
    FParent->Remove(this);
  // The sub-items belong to their owner; they only leave this sub-menu.
  for (TMenuItem* Item : FItems)
    Item->FParent = nullptr;
}

void TMenuItem::Add(TMenuItem* Item) {
  Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->FParent)
    throw EInvalidOperation("Menu inserted twice");
  if (Index < 0 || Index > Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  for (const TMenuItem* P = this; P; P = P->FParent)
    if (P == Item)
      throw EInvalidOperation("A menu item cannot hold itself");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int Index = IndexOf(Item);
  if (Index < 0)
    throw EInvalidOperation("Menu item not found");
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TMenuItem::Clear() {
  while (!FItems.empty())
    Remove(FItems.back());
}

TMenuItem* TMenuItem::Find(const std::string& Caption) const {
  for (TMenuItem* Item : FItems)
    if (CompareText(ShownCaption(Item->FCaption), ShownCaption(Caption)) == 0)
      return Item;
  return nullptr;
}

void TMenuItem::Click() {
  if (FEnabled && OnClick)
    OnClick(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& Proc,
                            const TComponent* Root) const {
  for (TMenuItem* Item : FItems)
    if (Item->Owner() == Root)
      Proc(Item);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu)
    return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent)
    FParent->Remove(this);
  if (auto* Menu = dynamic_cast<TMenu*>(Value))
    Menu->Items()->Add(this);
  else if (auto* Item = dynamic_cast<TMenuItem*>(Value))
    Item->Add(this);
}

// ---------------------------------------------------------------------------
// TMenu and TPopupMenu

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  Destroying();
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& Proc,
                        const TComponent* Root) const {
  FItems->GetChildren(Proc, Root);
}

namespace {
TMenuItem* FindShortCut(TMenuItem* Parent, TShortCut ShortCut) {
  for (int I = 0; I < Parent->Count(); ++I) {
    TMenuItem* Item = Parent->Items(I);
    if (!Item->Enabled() || !Item->Visible())
      continue;
    if (Item->ShortCut() == ShortCut && Item->Count() == 0)
      return Item;
    if (TMenuItem* Found = FindShortCut(Item, ShortCut))
      return Found;
  }
  return nullptr;
}
} // namespace

bool TMenu::IsShortCut(TShortCut ShortCut) {
  if (ShortCut == 0)
    return false;
  TMenuItem* Item = FindShortCut(FItems.get(), ShortCut);
  if (!Item)
    return false;
  Item->Click();
  return true;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() {
  Destroying();
  if (OpenPopupMenu() == this)
    CloseOpenMenu();
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent)
    FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent)
    FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  TCustomForm* Form = nullptr;
  if (auto* Control = dynamic_cast<TControl*>(FPopupComponent))
    Form = GetParentForm(Control);
  if (!Form)
    Form = Screen->ActiveForm();
  if (!Form || !Form->Visible())
    return;
  if (OnPopup)
    OnPopup(this);
  menuview::Open(this, Form, Form->ScreenToClient({X, Y}));
}

// ---------------------------------------------------------------------------
// Form files

void RegisterMenuClasses() {
  static const bool Done = [] {
    {
      using T = TMenuItem;
      Published<T>("TMenuItem")
          .Inherits<TComponent>()
          .Str("Caption", &T::Caption, &T::SetCaption)
          .Bool("Checked", &T::Checked, &T::SetChecked, false)
          .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
          .Str("Hint", &T::Hint, &T::SetHint, std::string())
          .Int("ShortCut", &T::ShortCut, &T::SetShortCut, 0)
          .TypeName("TShortCut")
          .Bool("Visible", &T::Visible, &T::SetVisible, true)
          .Event<void(TObject*)>("OnClick", &T::OnClick);
    }
    {
      using T = TPopupMenu;
      Published<T>("TPopupMenu")
          .Inherits<TComponent>()
          .Bool("AutoPopup", &T::AutoPopup, &T::SetAutoPopup, true)
          .Event<void(TObject*)>("OnPopup", &T::OnPopup);
    }
    return true;
  }();
  (void)Done;
}

} // namespace vcl
