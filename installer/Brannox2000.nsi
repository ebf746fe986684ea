; The installer of Brannox 2000: the folder that `cmake --install` lays out,
; Start-menu shortcuts, brannox.ini in the Windows folder and an uninstaller.
; makensis is given:
;   BX_FILES   the generated lists of the folder's files (files.nsh)
;   BX_OUTFILE the installer to write
;   BX_ARCH    64 or 32: which Program Files folder and registry view
;   BX_ICON    the launcher's icon, for the installer and the uninstaller
;   BX_VERSION the version, "8.0" as the About box shows it
; Neither the installer nor the uninstaller touches a file while the launcher
; or the skin editor of that folder runs. A reinstall always replaces the
; programs; the other files it delivered last time (uninstall.ini holds what
; they were) it replaces when the user left them as they were, and keeps the
; ones the user changed. The uninstaller removes what it delivered and the
; user left as it was, and says what it kept.
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
!define BX_PUBLISHER "The Brannox 2000 team"
!define BX_WEB_SITE "http://www.brannox2000.net/"
!define BX_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brannox2000"
!define BX_MENU "$SMPROGRAMS\Brannox 2000"
; What was installed: [files] relative path = SHA-256 of the delivered bytes.
!define BX_RECORD "$INSTDIR\uninstall.ini"
; Groups by their well-known identifiers, which no language renames.
!define BX_ADMINS "*S-1-5-32-544"
!define BX_SYSTEM "*S-1-5-18"
!define BX_USERS "*S-1-5-32-545"

Name "${BX_NAME}"
OutFile "${BX_OUTFILE}"
!if ${BX_ARCH} == 64
  InstallDir "$PROGRAMFILES64\Brannox2000"
!else
  InstallDir "$PROGRAMFILES\Brannox2000"
!endif
ShowInstDetails show
ShowUninstDetails show

Var BxKept  ; the uninstaller's closing text: what it kept and where

!define MUI_ICON "${BX_ICON}"
!define MUI_UNICON "${BX_ICON}"
!define MUI_ABORTWARNING
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE BxDirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Brannox2000.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Brannox 2000"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$BxKept"
!define MUI_FINISHPAGE_TEXT_LARGE
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

; The installer's own version resource.
VIProductVersion "${BX_VERSION}.0.0"
VIFileVersion "${BX_VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${BX_NAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${BX_PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${BX_NAME} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${BX_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${BX_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${BX_PUBLISHER}"

!macro BxRegView
  !if ${BX_ARCH} == 64
    SetRegView 64
  !endif
!macroend

; --- Functions of both the installer and the uninstaller (UN: "" or "un.")

; BxProgramBusy: $R1 := 1 when the program PATH of $INSTDIR runs. Windows
; refuses to open a running program's file for writing (a sharing
; violation); this tells the launcher and the editor of this folder from
; those of another folder, which the launcher's single-instance mutex, named
; after the file name alone, cannot.
!macro BxProgramBusy _outdir _path _source
  ${If} ${FileExists} "$INSTDIR\${_path}"
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\${_path}", i 0x40000000, i 7, p 0, i 3, i 0x80, p 0) p .r0 ?e'
    Pop $1
    ${If} $0 == -1
      ${If} $1 == 32
        StrCpy $R1 1
      ${EndIf}
    ${Else}
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
  ${EndIf}
!macroend

!macro BxFunctions UN
; Waits while a program of $INSTDIR runs, asking to close it: $R1 := 0 when
; none runs any more, 1 when the user chose Cancel (a silent run cancels).
Function ${UN}BxWaitForPrograms
  Push $0
  Push $1
  retry:
  StrCpy $R1 0
  !insertmacro BxEachProgram BxProgramBusy
  ${If} $R1 == 1
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Brannox 2000 or its skin editor is running from this folder:$\r$\n$INSTDIR$\r$\n$\r$\nClose them and choose Retry, or choose Cancel to leave everything as it is." \
      /SD IDCANCEL IDRETRY retry
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; $R1 := the SHA-256 of the file $R0 in lower-case hexadecimal, or "" when
; it cannot be read.
Function ${UN}BxFileHash
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  StrCpy $R1 ""
  StrCpy $1 0
  StrCpy $2 0
  ; The AES provider (type 24) knows SHA-256 (0x800C); no key store is used.
  System::Call 'advapi32::CryptAcquireContextW(*p .r1, p 0, p 0, i 24, i 0xF0000000) i .r0'
  ${If} $0 != 0
    System::Call 'advapi32::CryptCreateHash(p r1, i 0x800C, p 0, i 0, *p .r2) i .r0'
  ${EndIf}
  ClearErrors
  FileOpen $3 $R0 r
  ${If} $0 != 0
  ${AndIfNot} ${Errors}
    System::Alloc 65536
    Pop $4
    ${Do}
      System::Call 'kernel32::ReadFile(p r3, p r4, i 65536, *i .r5, p 0) i .r0'
      ${If} $0 == 0
        StrCpy $2 0  ; a read error: no hash
        ${Break}
      ${EndIf}
      ${IfThen} $5 == 0 ${|} ${Break} ${|}
      System::Call 'advapi32::CryptHashData(p r2, p r4, i r5, i 0) i .r0'
    ${Loop}
    ${If} $2 != 0
      System::Call 'advapi32::CryptGetHashParam(p r2, i 2, p r4, *i 32, i 0) i .r0'
      ${If} $0 != 0
        ${For} $5 0 31
          IntPtrOp $6 $4 + $5
          System::Call '*$6(&i1 .r0)'
          IntOp $0 $0 & 0xFF
          IntFmt $0 "%02x" $0
          StrCpy $R1 "$R1$0"
        ${Next}
      ${EndIf}
    ${EndIf}
    System::Free $4
    FileClose $3
  ${EndIf}
  ${If} $2 != 0
    System::Call 'advapi32::CryptDestroyHash(p r2)'
  ${EndIf}
  ${If} $1 != 0
    System::Call 'advapi32::CryptReleaseContext(p r1, i 0)'
  ${EndIf}
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro BxFunctions ""
!insertmacro BxFunctions "un."

; --- Installing

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

; "Install" with the launcher of that folder running asks here, on the page
; where the folder can still be changed. (A drive's top folder, whose access
; list is the system's, NSIS itself refuses.)
Function BxDirectoryLeave
  Call BxWaitForPrograms
  ${IfThen} $R1 == 1 ${|} Abort ${|}
FunctionEnd

; BxMayWrite: $R1 := 1 when the delivered file $R0 (relative) may be written:
; it is missing, or as the last install delivered it. A file that differs
; from what was delivered is the user's: 0. With no record of the last
; install (none was kept before this version), files of ours are replaced
; and the launcher's data ($R2 "data") is kept.
Function BxMayWrite
  Push $R0
  Push $R3
  StrCpy $R1 1
  ${If} ${FileExists} "$INSTDIR\$R0"
    ReadINIStr $R3 "${BX_RECORD}" "files" "$R0"
    ${If} $R3 == ""
      ${IfThen} $R2 == "data" ${|} StrCpy $R1 0 ${|}
    ${Else}
      StrCpy $R0 "$INSTDIR\$R0"
      Call BxFileHash
      ${If} $R1 == $R3
        StrCpy $R1 1
      ${Else}
        StrCpy $R1 0
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $R3
  Pop $R0
FunctionEnd

!macro BxInstallProgram _outdir _path _source
  SetOutPath "${_outdir}"
  File "${_source}"
!macroend

!macro BxInstallDelivered _outdir _path _source _hash _kind _ownacl
  StrCpy $R0 "${_path}"
  StrCpy $R2 ${_kind}
  Call BxMayWrite
  ${If} $R1 == 1
    SetOutPath "${_outdir}"
    File "${_source}"
  ${Else}
    DetailPrint "Kept as you changed it: ${_path}"
  ${EndIf}
!macroend

!macro BxRecordDelivered _outdir _path _source _hash _kind _ownacl
  WriteINIStr "${BX_RECORD}" "files" "${_path}" "${_hash}"
!macroend

; Access lists. Users may read everything and add files and folders where
; the launcher and the editor write beside themselves; they may change and
; remove what is added there and the launcher's data, but not change,
; remove or rename the programs, the uninstaller, its record, our other files
; or a folder that holds them (a renamed folder could be put back with a
; program of someone else's).
!macro BxIcacls _args
  nsExec::Exec '"$SYSDIR\icacls.exe" ${_args} /Q'
  Pop $0
!macroend
; A file: read-only for users, whatever its folder grants.
!macro BxReadOnlyFile _path
  !insertmacro BxIcacls '"$INSTDIR\${_path}" /inheritance:r /grant:r ${BX_ADMINS}:F ${BX_SYSTEM}:F ${BX_USERS}:RX'
!macroend
; A folder and, through inheritance, what is in it: read-only for users.
!macro BxReadOnlyFolder _folder
  !insertmacro BxIcacls '"${_folder}" /inheritance:r /grant:r ${BX_ADMINS}:(OI)(CI)F ${BX_SYSTEM}:(OI)(CI)F ${BX_USERS}:(OI)(CI)RX'
!macroend
; A folder where users add files and folders (and so rename over them) and
; change what they added; the folder itself they cannot remove or rename.
!macro BxUsersFolder _folder
  !insertmacro BxReadOnlyFolder "${_folder}"
  !insertmacro BxIcacls '"${_folder}" /grant ${BX_USERS}:(WD,AD)'
  !insertmacro BxIcacls '"${_folder}" /grant ${BX_USERS}:(OI)(CI)(IO)M'
!macroend
!macro BxFolderAcl _path _rule
  !if "${_rule}" == "users"
    !insertmacro BxUsersFolder "$INSTDIR\${_path}"
  !else
    ; Nothing in it keeps an entry of its own, which an earlier install may
    ; have given: all of it is read-only.
    !insertmacro BxIcacls '"$INSTDIR\${_path}" /reset /T'
    !insertmacro BxReadOnlyFolder "$INSTDIR\${_path}"
  !endif
!macroend
!macro BxProgramAcl _outdir _path _source
  !insertmacro BxReadOnlyFile "${_path}"
!macroend
!macro BxDeliveredAcl _outdir _path _source _hash _kind _ownacl
  !if ${_ownacl} == 1
    !insertmacro BxReadOnlyFile "${_path}"
  !endif
!macroend

Section "Brannox 2000"
  Call BxWaitForPrograms
  ${If} $R1 == 1
    SetErrorLevel 2
    Abort "Brannox 2000 is running from $INSTDIR: nothing was changed."
  ${EndIf}
  SetShellVarContext all
  !insertmacro BxEachProgram BxInstallProgram
  !insertmacro BxEachDelivered BxInstallDelivered
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  Delete "${BX_RECORD}"
  WriteINIStr "${BX_RECORD}" "setup" "version" "${BX_VERSION}"
  !insertmacro BxEachDelivered BxRecordDelivered
  FlushINI "${BX_RECORD}"

  ; The folders first, so that the files' own lists are not inherited over.
  !insertmacro BxUsersFolder "$INSTDIR"
  !insertmacro BxEachFolder BxFolderAcl
  !insertmacro BxEachProgram BxProgramAcl
  !insertmacro BxEachDelivered BxDeliveredAcl
  !insertmacro BxReadOnlyFile "uninstall.exe"
  !insertmacro BxReadOnlyFile "uninstall.ini"

  ; The skin editor finds the launcher's folder here.
  WriteINIStr "$WINDIR\brannox.ini" "setup" "version" "3"
  WriteINIStr "$WINDIR\brannox.ini" "setup" "dir" "$INSTDIR"

  CreateDirectory "${BX_MENU}"
  CreateShortcut "${BX_MENU}\Brannox 2000.lnk" "$INSTDIR\Brannox2000.exe"
  CreateShortcut "${BX_MENU}\Brannox 2000 skin editor.lnk" "$INSTDIR\BXskineditor\bxskined.exe"
  CreateShortcut "${BX_MENU}\Uninstall Brannox 2000.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "DisplayName" "${BX_NAME}"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Brannox2000.exe"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "DisplayVersion" "${BX_VERSION}"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "Publisher" "${BX_PUBLISHER}"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "URLInfoAbout" "${BX_WEB_SITE}"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${BX_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${BX_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${BX_UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; --- Uninstalling

Function un.onInit
  !insertmacro BxRegView
  Call un.BxWaitForPrograms
  ${If} $R1 == 1
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

!macro BxRemoveProgram _outdir _path _source
  Delete "$INSTDIR\${_path}"
!macroend

; A delivered file goes when it is as the install delivered it.
!macro BxRemoveDelivered _outdir _path _source _hash _kind _ownacl
  ReadINIStr $R3 "${BX_RECORD}" "files" "${_path}"
  StrCpy $R0 "$INSTDIR\${_path}"
  Call un.BxDeleteIfSame
!macroend

; Deletes the file $R0 when its SHA-256 is $R3 (not empty).
Function un.BxDeleteIfSame
  ${If} $R3 != ""
  ${AndIf} ${FileExists} $R0
    Call un.BxFileHash
    ${If} $R1 == $R3
      Delete $R0
    ${EndIf}
  ${EndIf}
FunctionEnd

; The members of a skin package that the launcher unpacks into temp\ to
; show a skin, and the editor into skintemp\ to make one: copies, never
; the user's own.
!macro BxRemoveSkinMembers _folder
  Delete "${_folder}\skin.dat"
  Delete "${_folder}\data.msk"
  Delete "${_folder}\data.ini"
  Delete "${_folder}\othernotes.txt"
  Delete "${_folder}\preview.bmp"
  Delete "${_folder}\cur*.cur"
  Delete "${_folder}\cur*.ani"
  RMDir "${_folder}"
!macroend

!macro BxRemoveFolder _path _rule
  RMDir "$INSTDIR\${_path}"
!macroend

; BxKept := the closing text: what is left in $INSTDIR (the top level, a
; folder with a backslash) and the start counters in the Windows folder.
Function un.BxListKept
  Push $0
  Push $1
  Push $2
  StrCpy $2 ""
  FindFirst $0 $1 "$INSTDIR\*"
  ${DoWhile} $1 != ""
    ${If} $1 != "."
    ${AndIf} $1 != ".."
      ${If} ${FileExists} "$INSTDIR\$1\*.*"
        StrCpy $1 "$1\"
      ${EndIf}
      ${If} $2 == ""
        StrCpy $2 $1
      ${Else}
        StrCpy $2 "$2, $1"
      ${EndIf}
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
  StrCpy $BxKept "${BX_NAME} has been removed from your computer."
  ${If} $2 != ""
    StrCpy $BxKept "$BxKept$\r$\n$\r$\nYour own files were kept in $INSTDIR: $2.$\r$\nDelete that folder yourself when you no longer need them."
    DetailPrint "Kept in $INSTDIR: $2"
  ${EndIf}
  StrCpy $2 ""
  ${If} ${FileExists} "$WINDIR\brannox2000.ini"
    StrCpy $2 "brannox2000.ini"
  ${EndIf}
  ${If} ${FileExists} "$WINDIR\bx2000_stats.ini"
    ${If} $2 == ""
      StrCpy $2 "bx2000_stats.ini"
    ${Else}
      StrCpy $2 "$2 and bx2000_stats.ini"
    ${EndIf}
  ${EndIf}
  ${If} $2 != ""
    StrCpy $BxKept "$BxKept$\r$\n$\r$\nThe start counts were kept in $WINDIR: $2."
    DetailPrint "Kept in $WINDIR: $2"
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

Section "Uninstall"
  Call un.BxWaitForPrograms
  ${If} $R1 == 1
    SetErrorLevel 2
    Abort "Brannox 2000 is running from $INSTDIR: nothing was removed."
  ${EndIf}
  SetShellVarContext all
  !insertmacro BxEachProgram BxRemoveProgram
  !insertmacro BxEachDelivered BxRemoveDelivered
  ; The launcher's own copy of its built-in skin, when it is that copy.
  StrCpy $R0 "$INSTDIR\skins\Bx2k8.bxs"
  StrCpy $R3 "${BX_DEFAULTSKIN_HASH}"
  Call un.BxDeleteIfSame
  RMDir "$INSTDIR\skins"
  !insertmacro BxRemoveSkinMembers "$INSTDIR\temp"
  !insertmacro BxRemoveSkinMembers "$INSTDIR\BXskineditor\skintemp"
  Delete "${BX_RECORD}"
  Delete "$INSTDIR\uninstall.exe"
  !insertmacro BxEachFolder BxRemoveFolder
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
  Call un.BxListKept
SectionEnd
