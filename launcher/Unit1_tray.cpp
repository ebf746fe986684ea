// TForm1: hiding behind the notification-area icon and coming back, the
// background menu of the icon and the window face, the restart after a
// change of window style, and the popup menus' side bars.
#include "Unit1.h"
#include "Unit1_inisnapshot.h"

#include "Dialogs.h"
#include "Shell.h"
#include "WinGraphics.h"

namespace {
constexpr const char* kTrayQuickNames[20] = {"N10", "N12", "N13", "N14", "N15", "N22", "N23",
                                             "N24", "N25", "N26", "N27", "N28", "N29", "N30",
                                             "N32", "N33", "N34", "N35", "N36", "N37"};

// The side bar of both menus: "Brannox" in white bold Tahoma above the
// program's badge at the bar's foot.
void SetUpBar(TBarPopupMenu* menu) {
  menu->VerticalText = "Brannox";
  menu->VerticalFont.Name = "Tahoma";
  menu->VerticalFont.Height = -15;
  menu->VerticalFont.Color = clWhite;
  menu->VerticalFont.Style = fsBold;
  menu->VerticalTextOffsetY = -3;
  menu->BarWidth = 21;
  menu->BitmapHorzAlignment = bhaCenter;
  menu->BitmapVertAlignment = bvaBottom;
  LoadBitmapResource(menu->Bitmap(), "BARLOGO");
  menu->SetTransparent(true);
}
}  // namespace

void TForm1::BuildTrayMenu() {
  SetUpBar(PopupMenu1);
  PopupMenu2 = new TBarPopupMenu(this);
  PopupMenu2->Name = "PopupMenu2";
  PopupMenu2->Alignment = paCenter;
  PopupMenu2->Images = ImageList1;
  SetUpBar(PopupMenu2);
  PopupMenu2->OnPopup = [this](TComponent* s) { PopupMenu2Popup(s); };
  TMenuItem* root = PopupMenu2->Items();
  OpenBrannox20001 = AddItem(root, "OpenBrannox20001", "Open Brannox 2000", &TForm1::CoolClick);
  OpenBrannox20001->Default = true;
  Minimizetosystray1 = AddItem(root, "Minimizetosystray1", "Minimize to sys.tray  (Ctrl+T)");
  Minimizetosystray1->OnClick = [this](TComponent*) { MinimizetoTray1Click(); };
  AddItem(root, "N7", "-");
  Modlist1 = AddItem(root, "Modlist1", "Modlist");
  AddItem(Modlist1, "modi1", "Mods", &TForm1::modi1Click);
  TMenuItem* general = AddItem(root, "General2", "General");
  AddItem(general, "New2", "New", &TForm1::Image18Click);
  AddItem(general, "Removeall2", "Remove all", &TForm1::Image16Click);
  AddItem(general, "Settings1", "Settings", &TForm1::Image14Click);
  TMenuItem* editors = AddItem(general, "Editors2", "Editors");
  AddItem(editors, "Modlisteditor2", "Modlist editor", &TForm1::Modlisteditor1Click);
  AddItem(editors, "Configmanager1", "Config manager", &TForm1::Configeditor1Click);
  HalfLifemanager2 = AddItem(editors, "HalfLifemanager2", "Half-Life manager", &TForm1::Halflifemanager1Click);
  Halflifelogoeditor2 =
      AddItem(editors, "Halflifelogoeditor2", "Half-Life logo editor", &TForm1::HalfLifelogoeditor1Click);
  AddItem(editors, "Brannox2000skineditor2", "Brannox 2000 skin editor", &TForm1::Brannox2000skineditor1Click);
  AddItem(general, "Findgamelocations2", "Find game locations", &TForm1::Findgamelocations1Click);
  AddItem(general, "Findmodifications2", "Find modifications", &TForm1::Findmodifications1Click);
  AddItem(general, "About1", "About", &TForm1::Image13Click);
  AddItem(general, "Close2", "Close", &TForm1::Image1Click);
  View2 = AddItem(root, "View2", "View");
  Allmodifications2 = AddItem(View2, "Allmodifications2", "All modifications", &TForm1::Allmodifications1Click);
  Favourites1 = AddItem(View2, "Favourites1", "Favourites", &TForm1::Favourites1Click);
  AddItem(View2, "N19", "-");
  AddItem(root, "N8", "-");
  M1 = AddItem(root, "M1", "Most started mods", &TForm1::N3Click);
  AddItem(root, "N9", "-");
  for (size_t k = 0; k < TrayQuickItems.size(); ++k) {
    TrayQuickItems[k] = AddItem(root, kTrayQuickNames[k], "", &TForm1::N11Click);
    TrayQuickItems[k]->Visible = k < 5;
  }
  C1->PopupMenu = PopupMenu2;

  Cool = new TNotifyIcon(this);
  Cool->Name = "Cool";
  Cool->SetCycleInterval(0);
  Cool->Enabled = false;
  Cool->SetHint("Brannox 2000");
  TIcon icon;
  // The notification area shows small icons: the resource's own small image.
  if (!icon.LoadFromResource("MAINICON", GetSystemMetrics(SM_CXSMICON))) icon.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
  Cool->SetIcon(icon);
  Cool->SetIconVisible(false);
  Cool->SetIconIndex(0);
  Cool->PopupMenu = PopupMenu2;
  Cool->OnClick = [this](TComponent* s) { CoolClick(s); };
}

void TForm1::SetMenuGradients() {
  TColor start = SelectedColor, end = UnselectedColor;
  if (OptionsIni->ReadBool(kOptions, "usercolors", false)) {
    start = StringToColor(OptionsIni->ReadString(kOptions, "customcolor", "$001A91D6"));
    end = StringToColor(OptionsIni->ReadString(kOptions, "customcolor2", "$001A91D6"));
  }
  for (TBarPopupMenu* menu : {PopupMenu1, PopupMenu2}) {
    menu->GradientStart = start;
    menu->GradientEnd = end;
  }
}

void TForm1::MinimizetoTray1Click() {
  StyleChanged = false;
  Cool->SetIconVisible(true);
  Cool->Enabled = true;
  Cool->MinimizeToTray = true;
  // The icon component hides the window when the application is minimised.
  try {
    ShowWindow(Handle(), SW_MINIMIZE);
  } catch (...) {
    Cool->MinimizeToTray = false;
    throw;
  }
  Cool->MinimizeToTray = false;
}

void TForm1::RestoreFromTray() {
  // The icon goes whatever happens to the window.
  try {
    Show();
    ShowWindow(Handle(), SW_RESTORE);
  } catch (...) {
    Cool->Enabled = false;
    Cool->SetIconVisible(false);
    throw;
  }
  Cool->Enabled = false;
  Cool->SetIconVisible(false);
}

void TForm1::CoolClick(TComponent*) {
  if (!SettingsIdle) return;
  if (!StyleChanged) {
    RestoreFromTray();
    return;
  }
  // A new window style takes a new window: a new launcher at the same place and view.
  SaveWindowState();
  char exe[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  if (ShellOpen(exe, SkinDebug ? "-restartbx2 -skindebug" : "-restartbx2")) {
    Close();
  } else {
    // Nothing may be left on screen: the window comes back instead.
    StyleChanged = false;
    RestoreFromTray();
  }
}

void TForm1::PopupMenu2Popup(TComponent*) {
  HalfLifemanager2->Visible = GameFolderPresent("half-life");
  Halflifelogoeditor2->Visible = GameFolderPresent("half-life") || GameFolderPresent("gunman");
  lista();
  SyncQuickItems();
  M1->Visible = N3->Visible;
  for (size_t k = 0; k < TrayQuickItems.size(); ++k) {
    TrayQuickItems[k]->Caption = QuickMenuItems[k]->Caption;
    TrayQuickItems[k]->Visible = QuickMenuItems[k]->Visible;
  }
  TComponent* opener = PopupMenu2->PopupComponent;
  const bool fromIcon = opener != C1 && !dynamic_cast<TImage*>(opener);
  OpenBrannox20001->Visible = fromIcon;
  Minimizetosystray1->Visible = !fromIcon;
  Modlist1->FreeFrom(0);
  if (fromIcon) {
    // Entries read in one pass, and each logo file read once: a large
    // collection shares a few logos.
    const TIniSnapshot entries(*ModIni);
    std::unordered_map<std::string, TBitmap> logos;
    for (const std::string& entry : L1.Items()) {
      TMenuItem* item = AddItem(Modlist1, "", EscapeAmpersands(entry), &TForm1::modi1Click);
      const std::string logo = entries.ReadString(entry, "Bitmap", "");
      auto [picture, fresh] = logos.try_emplace(logo);
      bool transparent = false;
      if (fresh && !LoadLogoFile(logo, picture->second, transparent)) LoadUnknownLogo(picture->second);
      item->Bitmap().Assign(picture->second);
    }
  }
  Modlist1->Visible = fromIcon && Modlist1->Count() > 0;
  BuildViewItems(View2, Allmodifications2, Favourites1);
}

void TForm1::modi1Click(TComponent* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (item) StartByName(StripHotkey(item->Caption), false);
}

// --- the application's focus

void TForm1::ApplicationEvents1Activate(TComponent*) {
  A1->SetEnabled(true);
  SetFadingOut(false);
}

void TForm1::ApplicationEvents1Deactivate(TComponent*) { SetFadingOut(true); }

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Every top-level window of the program hears when the program as a whole
  // gains or loses the focus; the main window answers for it.
  if (msg == WM_ACTIVATEAPP) {
    if (wParam) ApplicationEvents1Activate(this);
    else ApplicationEvents1Deactivate(this);
  }
  return TForm::WndProc(msg, wParam, lParam);
}
