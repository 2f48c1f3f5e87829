; The Windows installer: the unpacked package under Program Files, Start
; menu entries for the program and its manual, *.zlk files opening in the
; editor with its icon, and an uninstaller listed in Windows' "Apps". makensis -DVERSION= -DSTAGE= -DOUTFILE= -DICON=
Target amd64-unicode  ; the program is 64-bit only, and so is the installer
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define APP "Zelkor Editor"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZelkorEditor"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "Software\Zelkor\${APP}" "InstallDir"
RequestExecutionLevel admin

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\zelkor-editor.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Section "Zelkor Editor"
  SetShellVarContext all  ; the Start menu entry for everyone on the laptop
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteRegStr HKLM "Software\Zelkor\${APP}" "InstallDir" "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\zelkor-editor.exe"
  CreateShortCut "$SMPROGRAMS\Manual do ${APP}.lnk" "$INSTDIR\Manual.html"

  ; *.zlk: the editor opens it, and Explorer shows the editor's icon.
  WriteRegStr HKCR ".zlk" "" "ZelkorEditor.Parametros"
  WriteRegStr HKCR "ZelkorEditor.Parametros" "" "Parâmetros do painel (Zelkor Editor)"
  WriteRegStr HKCR "ZelkorEditor.Parametros\DefaultIcon" "" "$INSTDIR\zelkor-editor.exe,0"
  WriteRegStr HKCR "ZelkorEditor.Parametros\shell\open\command" "" '"$INSTDIR\zelkor-editor.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "Publisher" "Zelkor"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\zelkor-editor.exe,0"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$SMPROGRAMS\Manual do ${APP}.lnk"
  ; Only an association that is still ours goes.
  ReadRegStr $0 HKCR ".zlk" ""
  StrCmp $0 "ZelkorEditor.Parametros" 0 +2
  DeleteRegKey HKCR ".zlk"
  DeleteRegKey HKCR "ZelkorEditor.Parametros"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${KEY}"
  DeleteRegKey HKLM "Software\Zelkor\${APP}"
  ; What the installer put there, not whatever else the folder holds.
  Delete "$INSTDIR\zelkor-editor.exe"
  Delete "$INSTDIR\zelkor-plcsim.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Manual.html"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\translations"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
