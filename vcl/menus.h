// GUI platform: menus. A TMenuItem is one entry (a caption with an '&'
// accelerator, a shortcut shown beside it, enabling, a check mark, a
// separator when its caption is "-", OnClick) and holds the entries of its
// sub-menu; a TPopupMenu is a tree of them that opens at a point, over the
// controls of a form, and takes the keyboard and the mouse until an item is
// chosen or the menu is dismissed. ShortCutToText and TextToShortCut turn
// key combinations into their names ("Ctrl+Z") and back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vcl/classes.h"
#include "vcl/windows.h"

namespace vcl {

class TMenu;
class TCustomForm;

// "Ctrl+Z", "Shift+Del", "F10"; empty for 0 or a key without a name.
std::string ShortCutToText(TShortCut ShortCut);
// The key combination a name stands for; 0 when the name is not one.
TShortCut TextToShortCut(const std::string& Text);

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  // A separator line rather than an item one can choose.
  bool IsLine() const { return FCaption == "-"; }

  // The sub-menu: its items in order.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const { return FItems.at(Index); }
  TMenuItem* operator[](int Index) const { return Items(Index); }
  // The item that holds this one in its sub-menu, or nullptr.
  TMenuItem* Parent() const { return FParent; }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out of the sub-menu (it stays with its owner).
  void Remove(TMenuItem* Item);
  void Delete(int Index) { Remove(Items(Index)); }
  int IndexOf(const TMenuItem* Item) const;
  void Clear();
  // The item of the sub-menu whose caption (without its '&') is Caption, or nullptr.
  TMenuItem* Find(const std::string& Caption) const;

  // Choosing the item: fires OnClick.
  virtual void Click();
  TNotifyEvent OnClick;

  // Form files write the items nested inside their menu or parent item.
  void GetChildren(const std::function<void(TComponent*)>& Proc,
                   const TComponent* Root) const override;
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

private:
  friend class TMenu;
  std::string FCaption;
  TShortCut FShortCut = 0;
  bool FEnabled = true;
  bool FChecked = false;
  bool FVisible = true;
  std::string FHint;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr; // the menu whose root this is
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  // The root item; the menu's entries are its sub-menu.
  TMenuItem* Items() const { return FItems.get(); }
  // Finds the enabled item, anywhere in the tree, whose ShortCut is ShortCut
  // and clicks it; false when there is none.
  bool IsShortCut(TShortCut ShortCut);

  void GetChildren(const std::function<void(TComponent*)>& Proc,
                   const TComponent* Root) const override;

private:
  std::unique_ptr<TMenuItem> FItems;
};

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Opens the menu with its top-left corner at the screen point (X, Y), or
  // as near to it as the form leaves room for. The menu opens over the form
  // of PopupComponent (or the active form), keeps it focused and returns at
  // once; the chosen item's OnClick runs when it is chosen.
  virtual void Popup(int X, int Y);
  // The control the menu was last opened for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  // True: a right click (or the menu key) on a control that names this menu opens it.
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // Fired just before the menu opens (for enabling and checking items).
  TNotifyEvent OnPopup;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TComponent* FPopupComponent = nullptr;
  bool FAutoPopup = true;
};

// The popup menu that is open now, or nullptr. Only one is open at a time.
TPopupMenu* OpenPopupMenu();
// Closes the open menu without choosing anything.
void CloseOpenMenu();
// Where an item of the open menu lies in its form's client area (empty when
// the item is not shown), and the highlighted item of the innermost open level.
TRect OpenMenuItemRect(const TMenuItem* Item);
TMenuItem* OpenMenuSelection();
// The form the open menu is drawn on.
TCustomForm* OpenMenuForm();

// Declares the form-file tables of the menu classes (RegisterGuiClasses calls it).
void RegisterMenuClasses();

} // namespace vcl
