// TMainWindow: hiding behind the notification-area icon and coming back, the
// background menu of the icon and the window face, the restart after a
// change of window style, and the popup menus' side bars.
#include "MainWindow.h"
#include "IniSnapshot.h"

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

void TMainWindow::BuildTrayMenu() {
  SetUpBar(RowMenu);
  TrayMenu = new TBarPopupMenu(this);
  TrayMenu->Name = "PopupMenu2";
  TrayMenu->Alignment = paCenter;
  TrayMenu->Images = MenuImages;
  SetUpBar(TrayMenu);
  TrayMenu->OnPopup = [this](TComponent* s) { TrayMenuPopup(s); };
  TMenuItem* root = TrayMenu->Items();
  TrayOpenItem = AddItem(root, "OpenBrannox20001", "Open Brannox 2000", &TMainWindow::TrayIconClick);
  TrayOpenItem->Default = true;
  TrayMinimizeItem = AddItem(root, "Minimizetosystray1", "Minimize to sys.tray  (Ctrl+T)");
  TrayMinimizeItem->OnClick = [this](TComponent*) { MinimizeToTrayItemClick(); };
  AddItem(root, "N7", "-");
  TrayModListItem = AddItem(root, "Modlist1", "Modlist");
  AddItem(TrayModListItem, "modi1", "Mods", &TMainWindow::TrayModItemClick);
  TMenuItem* general = AddItem(root, "General2", "General");
  AddItem(general, "New2", "New", &TMainWindow::NewButtonClick);
  AddItem(general, "Removeall2", "Remove all", &TMainWindow::RemoveAllButtonClick);
  AddItem(general, "Settings1", "Settings", &TMainWindow::SettingsButtonClick);
  TMenuItem* editors = AddItem(general, "Editors2", "Editors");
  AddItem(editors, "Modlisteditor2", "Modlist editor", &TMainWindow::ModlistEditorItemClick);
  AddItem(editors, "Configmanager1", "Config manager", &TMainWindow::ConfigManagerItemClick);
  TrayHalfLifeManagerItem =
      AddItem(editors, "HalfLifemanager2", "Half-Life manager", &TMainWindow::HalfLifeManagerItemClick);
  TrayHalfLifeLogoEditorItem =
      AddItem(editors, "Halflifelogoeditor2", "Half-Life logo editor", &TMainWindow::HalfLifeLogoEditorItemClick);
  AddItem(editors, "Brannox2000skineditor2", "Brannox 2000 skin editor", &TMainWindow::SkinEditorItemClick);
  AddItem(general, "Findgamelocations2", "Find game locations", &TMainWindow::FindGamesItemClick);
  AddItem(general, "Findmodifications2", "Find modifications", &TMainWindow::FindModsItemClick);
  AddItem(general, "About1", "About", &TMainWindow::AboutButtonClick);
  AddItem(general, "Close2", "Close", &TMainWindow::CloseButtonClick);
  TrayViewItem = AddItem(root, "View2", "View");
  TrayAllModsItem = AddItem(TrayViewItem, "Allmodifications2", "All modifications", &TMainWindow::AllModsItemClick);
  TrayFavouritesItem = AddItem(TrayViewItem, "Favourites1", "Favourites", &TMainWindow::FavouritesItemClick);
  AddItem(TrayViewItem, "N19", "-");
  AddItem(root, "N8", "-");
  TrayMostStartedItem = AddItem(root, "M1", "Most started mods", &TMainWindow::MostStartedItemClick);
  AddItem(root, "N9", "-");
  for (size_t k = 0; k < TrayQuickItems.size(); ++k) {
    TrayQuickItems[k] = AddItem(root, kTrayQuickNames[k], "", &TMainWindow::QuickItemClick);
    TrayQuickItems[k]->Visible = k < 5;
  }
  Face->PopupMenu = TrayMenu;

  TrayIcon = new TNotifyIcon(this);
  TrayIcon->Name = "Cool";
  TrayIcon->SetCycleInterval(0);
  TrayIcon->Enabled = false;
  TrayIcon->SetHint("Brannox 2000");
  TIcon icon;
  // The notification area shows small icons: the resource's own small image.
  if (!icon.LoadFromResource("MAINICON", GetSystemMetrics(SM_CXSMICON)))
    icon.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
  TrayIcon->SetIcon(icon);
  TrayIcon->SetIconVisible(false);
  TrayIcon->SetIconIndex(0);
  TrayIcon->PopupMenu = TrayMenu;
  TrayIcon->OnClick = [this](TComponent* s) { TrayIconClick(s); };
}

void TMainWindow::SetMenuGradients() {
  TColor start = SelectedColor, end = UnselectedColor;
  if (OptionsIni->ReadBool(kOptions, "usercolors", false)) {
    start = StringToColor(OptionsIni->ReadString(kOptions, "customcolor", "$001A91D6"));
    end = StringToColor(OptionsIni->ReadString(kOptions, "customcolor2", "$001A91D6"));
  }
  for (TBarPopupMenu* menu : {RowMenu, TrayMenu}) {
    menu->GradientStart = start;
    menu->GradientEnd = end;
  }
}

void TMainWindow::MinimizeToTrayItemClick() {
  StyleChanged = false;
  TrayIcon->SetIconVisible(true);
  TrayIcon->Enabled = true;
  TrayIcon->MinimizeToTray = true;
  // The icon component hides the window when the application is minimised.
  try {
    ShowWindow(Handle(), SW_MINIMIZE);
  } catch (...) {
    TrayIcon->MinimizeToTray = false;
    throw;
  }
  TrayIcon->MinimizeToTray = false;
}

void TMainWindow::RestoreFromTray() {
  // The icon goes whatever happens to the window.
  try {
    Show();
    ShowWindow(Handle(), SW_RESTORE);
  } catch (...) {
    TrayIcon->Enabled = false;
    TrayIcon->SetIconVisible(false);
    throw;
  }
  TrayIcon->Enabled = false;
  TrayIcon->SetIconVisible(false);
}

void TMainWindow::TrayIconClick(TComponent*) {
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

void TMainWindow::TrayMenuPopup(TComponent*) {
  TrayHalfLifeManagerItem->Visible = GameFolderPresent("half-life");
  TrayHalfLifeLogoEditorItem->Visible = HalfLifeEngineGamePresent();
  BuildRanking();
  SyncQuickItems();
  TrayMostStartedItem->Visible = MostStartedItem->Visible;
  for (size_t k = 0; k < TrayQuickItems.size(); ++k) {
    TrayQuickItems[k]->Caption = QuickMenuItems[k]->Caption;
    TrayQuickItems[k]->Visible = QuickMenuItems[k]->Visible;
  }
  TComponent* opener = TrayMenu->PopupComponent;
  const bool fromIcon = opener != Face && !dynamic_cast<TImage*>(opener);
  TrayOpenItem->Visible = fromIcon;
  TrayMinimizeItem->Visible = !fromIcon;
  TrayModListItem->FreeFrom(0);
  if (fromIcon) {
    // Entries read in one pass, and each logo file read once: a large
    // collection shares a few logos.
    const TIniSnapshot entries(*ModIni);
    std::unordered_map<std::string, TBitmap> logos;
    for (const std::string& entry : EntryNames.Items()) {
      TMenuItem* item = AddItem(TrayModListItem, "", EscapeAmpersands(entry), &TMainWindow::TrayModItemClick);
      const std::string logo = entries.ReadString(entry, "Bitmap", "");
      auto [picture, fresh] = logos.try_emplace(logo);
      bool transparent = false;
      if (fresh && !LoadLogoFile(logo, picture->second, transparent)) LoadUnknownLogo(picture->second);
      item->Bitmap().Assign(picture->second);
    }
  }
  TrayModListItem->Visible = fromIcon && TrayModListItem->Count() > 0;
  BuildViewItems(TrayViewItem, TrayAllModsItem, TrayFavouritesItem);
  ShowLinesBetweenItems(TrayMenu->Items());
}

void TMainWindow::TrayModItemClick(TComponent* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (item) StartByName(StripHotkey(item->Caption), false);
}

// --- the application's focus

void TMainWindow::ApplicationActivate(TComponent*) {
  AnimationTimer->SetEnabled(true);
  SetFadingOut(false);
}

void TMainWindow::ApplicationDeactivate(TComponent*) { SetFadingOut(true); }

LRESULT TMainWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Every top-level window of the program hears when the program as a whole
  // gains or loses the focus; the main window answers for it.
  if (msg == WM_ACTIVATEAPP) {
    if (wParam) ApplicationActivate(this);
    else ApplicationDeactivate(this);
  }
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
    // A held key sends its key-down again and again with the previous-state
    // bit set; the keyboard map tells a repeat from a press by it.
    FKeyRepeat = (lParam & (LPARAM(1) << 30)) != 0;
    const LRESULT result = TForm::WndProc(msg, wParam, lParam);
    FKeyRepeat = false;
    return result;
  }
  return TForm::WndProc(msg, wParam, lParam);
}
