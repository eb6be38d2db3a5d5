; Kestrone's installer, built on Linux with makensis (NSIS 3).
;
; Defines given by the build (installer/CMakeLists.txt):
;   VERSION        2.3.0.618          SHORT_VERSION  2.3
;   PAYLOAD        folder holding the files to install (the dist folder)
;   OUTFILE        the setup program to write
;   TARGET         x86-unicode (the product) or amd64-unicode (the 64-bit test build)
;   ICON           Kestrone's icon
;
; Command line of the setup:       /S  silent, /NOAUTOSTART  no start with Windows,
;                                  /D=folder  (last) another installation folder
; Command line of the uninstaller: /S  silent, /PURGE  also remove the user's settings and records

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"

!define PRODUCT "Kestrone"
!define PROGRAM "Kestrone.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrone"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define COMPANION_KEY "Software\Corvane"
; The event log's source; its texts are the message table in Kestrone.exe.
!define EVENT_SOURCE_KEY "SYSTEM\CurrentControlSet\Services\EventLog\Application\Kestrone"
!define QUIT_REQUEST 0x414
; The main window's caption once the program has put its name in.
!define MAIN_CAPTION "Kestrone V${SHORT_VERSION}"

Name "${PRODUCT} ${SHORT_VERSION}"
OutFile "${OUTFILE}"
!if ${TARGET} == "amd64-unicode"
    InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
    InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Kestrone Software, example.com"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Kestrone Software, example.com"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${SHORT_VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\ReadMe.txt"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${PAYLOAD}\License.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The files of the program, installed and removed by name: what is not in
; this list (the user's settings and records) is never removed by accident.
!macro ProgramFiles Action
    !insertmacro ${Action} "${PROGRAM}"
    !insertmacro ${Action} "kestrone-scan.exe"
    !insertmacro ${Action} "Update.exe"
    !insertmacro ${Action} "kernel.dll"
    !insertmacro ${Action} "Process.dat"
    !insertmacro ${Action} "Kestrone.skin"
    !insertmacro ${Action} "Help.chm"
    !insertmacro ${Action} "License.txt"
    !insertmacro ${Action} "ReadMe.txt"
!macroend
!macro InstallFile Name
    File "${PAYLOAD}\${Name}"
!macroend
!macro RemoveFile Name
    Delete /REBOOTOK "$INSTDIR\${Name}"
!macroend

; Ends a running Kestrone the way its companions do: message 0x414 to its
; main window, found through the window handle it records at every start
; (checked to be a live window of its class) or by its class and caption.
; Closes the help viewer showing Kestrone's help. Then waits until the
; single-instance mutex is gone, which the end of the process releases.
; Leaves $0 = 1 when no Kestrone runs any more.
!macro StopKestroneFunction Prefix
Function ${Prefix}StopKestrone
    Push $1
    Push $2
    Push $3
    StrCpy $1 0
    ReadRegDWORD $2 HKCU "${COMPANION_KEY}" "Handle"
    ${If} $2 <> 0
        System::Call "user32::IsWindow(p r2) i .r3"
        ${If} $3 <> 0
            System::Call "user32::GetClassNameW(p r2, w .r3, i 64) i"
            ${If} $3 == "TMainForm"
                StrCpy $1 $2
            ${EndIf}
        ${EndIf}
    ${EndIf}
    ${If} $1 == 0
        FindWindow $1 "TMainForm" "${MAIN_CAPTION}"
    ${EndIf}
    ${If} $1 <> 0
        SendMessage $1 ${QUIT_REQUEST} 0 0 /TIMEOUT=5000
    ${EndIf}
    ; Its help, when open, holds Help.chm: the viewer is closed as well.
    ${For} $2 1 10
        FindWindow $1 "HH Parent" "Kestrone Help"
        ${If} $1 == 0
            ${ExitFor}
        ${EndIf}
        SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        Sleep 100
    ${Next}
    StrCpy $0 0
    ${For} $2 1 75
        System::Call "kernel32::OpenMutexW(i 0x00100000, i 0, w 'Corvanex') p .r3"
        ${If} $3 == 0
            StrCpy $0 1
            ${ExitFor}
        ${EndIf}
        System::Call "kernel32::CloseHandle(p r3)"
        Sleep 200
    ${Next}
    Pop $3
    Pop $2
    Pop $1
FunctionEnd
!macroend
!insertmacro StopKestroneFunction ""
!insertmacro StopKestroneFunction "un."

; Deletes the start-up value when it starts this installation's program, in
; the quoted form this setup writes or the plain form the settings page writes.
!macro RemoveStartupValueFunction Prefix
Function ${Prefix}RemoveStartupValue
    Push $0
    ReadRegStr $0 HKLM "${RUN_KEY}" "${PROGRAM}"
    ${If} $0 == '"$INSTDIR\${PROGRAM}" -Hide'
    ${OrIf} $0 == "$INSTDIR\${PROGRAM} -Hide"
        DeleteRegValue HKLM "${RUN_KEY}" "${PROGRAM}"
    ${EndIf}
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PROGRAM}"
    ${If} $0 == '"$INSTDIR\${PROGRAM}" -Hide'
    ${OrIf} $0 == "$INSTDIR\${PROGRAM} -Hide"
        DeleteRegValue HKCU "${RUN_KEY}" "${PROGRAM}"
    ${EndIf}
    Pop $0
FunctionEnd
!macroend
!insertmacro RemoveStartupValueFunction ""
!insertmacro RemoveStartupValueFunction "un."

!macro UseProgramRegistryView
    ; The start-up value and the companion record live in the registry view of
    ; the program's own bitness, where the program itself reads and writes them.
    !if ${TARGET} == "amd64-unicode"
        SetRegView 64
    !endif
!macroend

Section "${PRODUCT} (required)" SecProgram
    SectionIn RO
    Call StopKestrone
    ${If} $0 != 1
        MessageBox MB_ICONSTOP "${PRODUCT} is still running and cannot be replaced. Quit it from its tray menu and run the setup again." /SD IDOK
        Abort
    ${EndIf}
    SetOutPath "$INSTDIR"
    !insertmacro ProgramFiles InstallFile
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Kestrone Software, example.com"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegExpandStr HKLM "${EVENT_SOURCE_KEY}" "EventMessageFile" "$INSTDIR\${PROGRAM}"
    WriteRegDWORD HKLM "${EVENT_SOURCE_KEY}" "TypesSupported" 7
    ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section "Start with Windows" SecAutostart
    ; The value the settings page uses: named after the program file, the
    ; path quoted so that a folder with blanks cannot start something else.
    WriteRegStr HKLM "${RUN_KEY}" "${PROGRAM}" '"$INSTDIR\${PROGRAM}" -Hide'
SectionEnd

Section "Start menu shortcuts" SecShortcuts
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\Help.chm"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section "-Leftovers of an earlier installation"
    ; A reinstall without the start-up choice takes an earlier one back.
    ${IfNot} ${SectionIsSelected} ${SecAutostart}
        Call RemoveStartupValue
    ${EndIf}
SectionEnd

Section "un.${PRODUCT}" UnSecProgram
    SectionIn RO
    Call un.StopKestrone
    !insertmacro ProgramFiles RemoveFile
    Delete "$INSTDIR\${UNINSTALLER}"
    Call un.RemoveStartupValue
    DeleteRegKey HKCU "${COMPANION_KEY}"
    DeleteRegKey HKLM "${COMPANION_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${EVENT_SOURCE_KEY}"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    ; The decrypted definitions the program leaves in the temporary folder,
    ; recognised by their content so that no other file of that name goes.
    ReadINIStr $0 "$TEMP\kernel.dll" "VirusName" "Name"
    ${If} $0 != ""
        Delete "$TEMP\kernel.dll"
    ${EndIf}
SectionEnd

Section /o "un.Remove my settings and records" UnSecUserData
    Delete "$INSTDIR\UserSettings.ini"
    ; Installed in Program Files, the program keeps each user's settings and
    ; records in that user's own folder; the uninstalling user's goes. Other
    ; users' folders are theirs: the uninstaller does not reach into them.
    SetShellVarContext current
    RMDir /r /REBOOTOK "$LOCALAPPDATA\${PRODUCT}"
    SetShellVarContext all
    ; Records (quarantine, history) are folders inside the installation
    ; folder. The whole folder goes only when it is a folder of our own name,
    ; never a folder such as Program Files that a user may have chosen.
    ${GetFileName} "$INSTDIR" $0
    ${If} $0 == "${PRODUCT}"
        RMDir /r /REBOOTOK "$INSTDIR"
    ${EndIf}
SectionEnd

Section "-un.Folder"
    ; Empty once nothing the user keeps is left in it.
    RMDir /REBOOTOK "$INSTDIR"
SectionEnd

; The start functions come last: they name sections defined above.
Function .onInit
    SetShellVarContext all
    !insertmacro UseProgramRegistryView
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/NOAUTOSTART" $R1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecAutostart}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext all
    !insertmacro UseProgramRegistryView
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/PURGE" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UnSecUserData}
    ${EndIf}
FunctionEnd
