; The installer of Brannox 2000: the folder that `cmake --install` lays out,
; Start-menu shortcuts, brannox.ini in the Windows folder and an uninstaller.
; makensis is given:
;   BX_FILES   the generated list of the folder's files (files.nsh)
;   BX_OUTFILE the installer to write
;   BX_ARCH    64 or 32: which Program Files folder and registry view
;   BX_ICON    the launcher's icon, for the installer and the uninstaller
; A reinstall replaces the programs and never a file the user may have
; changed: every file that is not a program is put there only when missing.
; The installer runs as a program of the build's own kind.
!if ${BX_ARCH} == 64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "${BX_FILES}"

!define BX_NAME "Brannox 2000"
!define BX_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brannox2000"
!define BX_MENU "$SMPROGRAMS\Brannox 2000"

Name "${BX_NAME}"
OutFile "${BX_OUTFILE}"
!if ${BX_ARCH} == 64
  InstallDir "$PROGRAMFILES64\Brannox2000"
!else
  InstallDir "$PROGRAMFILES\Brannox2000"
!endif
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${BX_ICON}"
!define MUI_UNICON "${BX_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Brannox2000.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Brannox 2000"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!macro BxRegView
  !if ${BX_ARCH} == 64
    SetRegView 64
  !endif
!macroend

Function .onInit
  !insertmacro BxRegView
  ; A reinstall goes where the last install went, unless /D= chose a folder.
  ReadRegStr $0 HKLM "${BX_UNINSTALL_KEY}" "InstallLocation"
  !if ${BX_ARCH} == 64
    StrCmp $INSTDIR "$PROGRAMFILES64\Brannox2000" 0 done
  !else
    StrCmp $INSTDIR "$PROGRAMFILES\Brannox2000" 0 done
  !endif
  StrCmp $0 "" done
  StrCpy $INSTDIR $0
  done:
FunctionEnd

Section "Brannox 2000"
  SetShellVarContext all
  !insertmacro BxInstallFiles
  ; The launcher keeps its settings, entries and skins beside itself: its
  ; users may write there, also below Program Files.
  nsExec::Exec '"$SYSDIR\icacls.exe" "$INSTDIR" /grant *S-1-5-32-545:(OI)(CI)M /T /Q'
  Pop $0

  ; The skin editor finds the launcher's folder here.
  WriteINIStr "$WINDIR\brannox.ini" "setup" "version" "3"
  WriteINIStr "$WINDIR\brannox.ini" "setup" "dir" "$INSTDIR"

  CreateDirectory "${BX_MENU}"
  CreateShortcut "${BX_MENU}\Brannox 2000.lnk" "$INSTDIR\Brannox2000.exe"
  CreateShortcut "${BX_MENU}\Brannox 2000 skin editor.lnk" "$INSTDIR\BXskineditor\bxskined.exe"
  CreateShortcut "${BX_MENU}\Uninstall Brannox 2000.lnk" "$INSTDIR\uninstall.exe"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "DisplayName" "${BX_NAME}"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Brannox2000.exe"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "DisplayVersion" "3"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${BX_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${BX_UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  !insertmacro BxRegView
FunctionEnd

; Removes the programs, the shortcuts and the registry key. The settings,
; entries, counters, skins, logos and game records stay, and with them the
; folder. brannox.ini goes only when it still names this folder.
Section "Uninstall"
  SetShellVarContext all
  !insertmacro BxRemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${BX_MENU}\Brannox 2000.lnk"
  Delete "${BX_MENU}\Brannox 2000 skin editor.lnk"
  Delete "${BX_MENU}\Uninstall Brannox 2000.lnk"
  RMDir "${BX_MENU}"
  ; The launcher's own start-up shortcut would start a missing program.
  SetShellVarContext current
  Delete "$SMSTARTUP\Brannox 2000.lnk"
  SetShellVarContext all

  ReadINIStr $0 "$WINDIR\brannox.ini" "setup" "dir"
  ${If} $0 == $INSTDIR
    Delete "$WINDIR\brannox.ini"
  ${EndIf}
  DeleteRegKey HKLM "${BX_UNINSTALL_KEY}"
SectionEnd
