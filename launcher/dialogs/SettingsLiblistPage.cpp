// TSettingsDialog's "Liblist editor" inner page of the Half-Life manager: the chosen
// mod's liblist.gam, its text and its known keys with their hints.
#include "SettingsDialog.h"

#include "ControlMaking.h"
#include "Liblist.h"

using namespace ctrl;

void TSettingsDialog::BuildLiblistPage() {
  LiblistKeyCombo = Place<TComboBox>(Liblist, this, 4, 4, 130, 22);
  LiblistKeyCombo->Style = csDropDownList;
  for (const TLiblistKey& key : LiblistKeys()) LiblistKeyCombo->Items.Add(key.Key);
  LiblistValueEdit = Place<TEdit>(Liblist, this, 140, 4, 220, 22);
  LiblistMemo = Place<TMemo>(Liblist, this, 4, 32, 356, 236);
  LiblistMemo->WordWrap = false;
  LiblistMemo->ScrollBars = ssBoth;
  SaveLiblistButton = Button(Liblist, this, 4, 274, 100, "Save", "Save");

  LiblistKeyCombo->OnChange = [this](TComponent* s) { LiblistKeyComboChange(s); };
  LiblistValueEdit->OnChange = [this](TComponent* s) { LiblistValueEditChange(s); };
  LiblistMemo->OnChange = [this](TComponent* s) { LiblistMemoChange(s); };
  SaveLiblistButton->OnClick = [this](TComponent* s) { SaveLiblistButtonClick(s); };
}

void TSettingsDialog::LiblistKeyComboChange(TComponent*) {
  // Unless the page is being filled, showing the value writes it back at
  // once, which puts its line in the normal form.
  LiblistValueEdit->SetText("");
  const int key = LiblistKeyCombo->ItemIndex();
  if (key < 0 || key >= int(LiblistKeys().size())) return;
  LiblistValueEdit->SetText(LiblistValue(MemoLines(*LiblistMemo), LiblistKeyCombo->Items[key]));
  LiblistKeyCombo->Hint = LiblistValueEdit->Hint = LiblistKeys()[size_t(key)].Hint;
}

void TSettingsDialog::LiblistValueEditChange(TComponent* sender) {
  if (!FFilling) WriteLiblistValue(sender);
}

void TSettingsDialog::WriteLiblistValue(TComponent*) {
  const bool filling = FFilling;
  FFilling = true;
  if (LiblistKeyCombo->ItemIndex() >= 0 && !LiblistValueEdit->Text().empty()) {
    std::vector<std::string> lines = MemoLines(*LiblistMemo);
    SetLiblistValue(lines, LiblistKeyCombo->Items[LiblistKeyCombo->ItemIndex()], LiblistValueEdit->Text());
    if (lines != MemoLines(*LiblistMemo)) {
      SetMemoLines(*LiblistMemo, lines);
      FLiblistDirty = true;
    }
  }
  FFilling = filling;
}

void TSettingsDialog::LiblistMemoChange(TComponent*) {
  if (FFilling) return;
  FLiblistDirty = true;
  FFilling = true;
  LiblistKeyComboChange(LiblistKeyCombo);
  FFilling = false;
}

void TSettingsDialog::SaveLiblistButtonClick(TComponent*) {
  if (FLiblistFile.empty()) return;
  FLiblistText = WithLines(FLiblistText, EditedLines(*LiblistMemo, FLiblistText));
  WriteGameText(FLiblistFile, FLiblistText);
  FLiblistDirty = false;
}
