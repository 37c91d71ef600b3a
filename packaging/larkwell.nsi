; Larkwell's installer (NSIS 3, MUI2). Built by packaging/build-installer.sh, which defines:
;   VERSION      the project's version, from project(Larkwell VERSION ...) in CMakeLists.txt
;   PUBLISHER    LARKWELL_PUBLISHER from the same file (also the exe's CompanyName)
;   PROGRAM      the Larkwell.exe to install (a copy without debug information)
;   OUTFILE      the installer to write
;   RUNTIME_NSH  (only with an engine runtime folder) a generated include with two macros,
;                LarkwellInstallRuntime and LarkwellRemoveRuntime, listing that folder's files
; Decisions, one line each:
; - Unicode true and SimpChinese: the program's texts are Simplified Chinese, so are the pages.
; - Per machine: $PROGRAMFILES (Program Files (x86) on 64-bit Windows: a 32-bit program), the
;   all-users Start menu, HKLM (the 32-bit view on 64-bit Windows), so an administrator installs.
; - The shortcut starts the program in $INSTDIR: the engine keeps its cache in "cache" relative
;   to the working folder, so the installer makes $INSTDIR\cache writable for the Users group.
; - The uninstaller removes exactly the files it installed, the cache, and the folder when empty:
;   files a user added (an engine runtime put there by hand) stay with their folder.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "Larkwell"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The Users group by its well-known SID: its name differs between Windows languages.
!define USERS_SID "*S-1-5-32-545"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© ${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"

!define MUI_ICON "${__FILEDIR__}/../app/resources/larkwell.ico"
!define MUI_UNICON "${__FILEDIR__}/../app/resources/larkwell.ico"

; Without a runtime folder the first page says what the program still needs beside it.
!ifdef RUNTIME_NSH
  !include "${RUNTIME_NSH}"
!else
  !define MUI_WELCOMEPAGE_TEXT "此安装包不含浏览器引擎运行库。$\r$\n$\r$\n\
安装完成后，请将引擎运行库（libcef.dll 以及随它发布的 DLL、.pak 资源文件和 locales 文件夹）\
复制到 Larkwell.exe 所在的安装文件夹中，否则 ${PRODUCT} 无法启动。$\r$\n$\r$\n$_CLICK"
  !define MUI_FINISHPAGE_TEXT "${PRODUCT} 已安装到：$\r$\n$INSTDIR$\r$\n$\r$\n\
请将引擎运行库（libcef.dll 及其附带文件）复制到这个文件夹中，然后再启动 ${PRODUCT}。"
!endif
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Larkwell"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=Larkwell.exe" "${PROGRAM}"
!ifdef RUNTIME_NSH
  !insertmacro LarkwellInstallRuntime
!endif

  CreateDirectory "$INSTDIR\cache"
  ; Modify rights for ordinary users; a failure (Wine's icacls does little) leaves the folder as is.
  nsExec::ExecToLog 'icacls "$INSTDIR\cache" /grant ${USERS_SID}:(OI)(CI)M'
  Pop $0

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The shortcut's working folder is the current output folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Larkwell.exe" "" "$INSTDIR\Larkwell.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Larkwell.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\Larkwell.exe"
!ifdef RUNTIME_NSH
  !insertmacro LarkwellRemoveRuntime
!endif
  ; What the engine wrote there is the program's own, to go with it.
  RMDir /r "$INSTDIR\cache"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
