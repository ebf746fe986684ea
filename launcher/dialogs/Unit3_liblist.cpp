// TForm3's "Liblist editor" inner page of the Half-Life manager: the chosen
// mod's liblist.gam, its text and its known keys with their hints.
#include "Unit3.h"

#include "Liblist.h"
#include "Unit3_place.h"

using namespace settings_ui;

void TForm3::BuildLiblistPage() {
  Ty = Place<TComboBox>(Liblist, this, 4, 4, 130, 22);
  Ty->Style = csDropDownList;
  for (const TLiblistKey& key : LiblistKeys()) Ty->Items.Add(key.Key);
  tyedit = Place<TEdit>(Liblist, this, 140, 4, 220, 22);
  Memo4 = Place<TMemo>(Liblist, this, 4, 32, 356, 236);
  Memo4->WordWrap = false;
  Memo4->ScrollBars = ssBoth;
  SpeedButton19 = Button(Liblist, this, 4, 274, 100, "Save", "Save");

  Ty->OnChange = [this](TComponent* s) { TyChange(s); };
  tyedit->OnChange = [this](TComponent* s) { tyeditChange(s); };
  Memo4->OnChange = [this](TComponent* s) { Memo4Change(s); };
  SpeedButton19->OnClick = [this](TComponent* s) { SpeedButton19Click(s); };
}

void TForm3::TyChange(TComponent*) {
  // Unless the page is being filled, showing the value writes it back at
  // once, which puts its line in the normal form.
  tyedit->SetText("");
  const int key = Ty->ItemIndex();
  if (key < 0 || key >= int(LiblistKeys().size())) return;
  tyedit->SetText(LiblistValue(MemoLines(*Memo4), Ty->Items[key]));
  Ty->Hint = tyedit->Hint = LiblistKeys()[size_t(key)].Hint;
}

void TForm3::tyeditChange(TComponent* sender) {
  if (!FFilling) modifClick(sender);
}

void TForm3::modifClick(TComponent*) {
  const bool filling = FFilling;
  FFilling = true;
  if (Ty->ItemIndex() >= 0 && !tyedit->Text().empty()) {
    std::vector<std::string> lines = MemoLines(*Memo4);
    SetLiblistValue(lines, Ty->Items[Ty->ItemIndex()], tyedit->Text());
    if (lines != MemoLines(*Memo4)) {
      SetMemoLines(*Memo4, lines);
      FLiblistDirty = true;
    }
  }
  FFilling = filling;
}

void TForm3::Memo4Change(TComponent*) {
  if (FFilling) return;
  FLiblistDirty = true;
  FFilling = true;
  TyChange(Ty);
  FFilling = false;
}

void TForm3::SpeedButton19Click(TComponent*) {
  if (FLiblistFile.empty()) return;
  FLiblistText = WithLines(FLiblistText, EditedLines(*Memo4, FLiblistText));
  WriteGameText(FLiblistFile, FLiblistText);
  FLiblistDirty = false;
}
