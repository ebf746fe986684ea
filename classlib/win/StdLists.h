// The list controls: list box, check list box and combo box ("LISTBOX" and
// "COMBOBOX" windows). Setting ItemIndex fires no event; the user's choice does.
#pragma once
#include <functional>
#include <string>

#include "ControlStrings.h"
#include "StdControl.h"

enum TOwnerDrawStateBit : uint32_t { odSelected = 1, odFocused = 2, odComboBoxEdit = 4, odDisabled = 8 };
using TOwnerDrawState = uint32_t;
// Draws item index into rect on canvas; the canvas comes filled in the
// item's colours (highlight for a selected item) and with the control's font.
using TDrawItemEvent =
    std::function<void(TWinControl* control, TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState state)>;

class TListBox : public TStdControl {
public:
  explicit TListBox(TComponent* owner);
  std::string ClassName() const override { return "TListBox"; }
  TListItems Items;
  // The selected item (multiple selection: the focused one), -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Read when the window is made.
  bool MultiSelect = false;
  int Columns = 0;  // above 0: items flow in that many columns
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  // OnClick: the user changed the selection; OnDblClick: double click.

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool CommandNotify(WORD code) override;

private:
  int FItemIndex = -1;  // until the window exists
};

// A list box with a check box before each item. A click on the check box or
// the space bar toggles it and fires OnClickCheck.
class TCheckListBox : public TListBox {
public:
  explicit TCheckListBox(TComponent* owner) : TListBox(owner) {}
  std::string ClassName() const override { return "TCheckListBox"; }
  bool Checked(int index) const { return Items.Checked(index); }
  void SetChecked(int index, bool checked) { Items.SetChecked(index, checked); }
  TNotifyEvent OnClickCheck;
  // A click on a check box: a standard control's mouse is not decoded.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool KeyPress(wchar_t& key) override;

private:
  void Toggle(int index);
};

// csDropDown: an edit with a list; csDropDownList: a list only;
// csOwnerDrawFixed: a list of items drawn by OnDrawItem (pictures).
enum TComboBoxStyle { csDropDown, csDropDownList, csOwnerDrawFixed };

class TComboBox : public TStdControl {
public:
  explicit TComboBox(TComponent* owner);
  std::string ClassName() const override { return "TComboBox"; }
  TListItems Items;
  // Read when the window is made.
  TComboBoxStyle Style = csDropDown;
  int DropDownCount = 8;  // rows of the open list
  int ItemHeight = 16;    // owner-drawn items
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The edit's text, or the selected item's; setting it in a list-only
  // combo box selects the item of that text.
  std::string Text() const;
  void SetText(const std::string& text);
  // The user chose an item or typed.
  TNotifyEvent OnChange;
  TDrawItemEvent OnDrawItem;
  // Height is the closed box's; the window also holds the open list.
  void SetBounds(int left, int top, int width, int height) override;
  // The colours asked for by the edit and the list inside the box.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool CommandNotify(WORD code) override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void SizeDroppedList();
  int FItemIndex = -1;  // until the window exists
  std::string FText;
};
