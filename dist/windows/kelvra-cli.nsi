; The Windows installer of kelvra-cli: the program and its data folder
; beside it, where it looks first after the folder it is started in.
; makensis -DVERSION=... -DPROGRAM=...\kelvra-cli.exe -DDATA=...\dat -DOUTFILE=... kelvra-cli.nsi

Unicode true
; A 64-bit installer for a 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma

Name "kelvra-cli ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\kelvra"
RequestExecutionLevel admin
ShowInstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "kelvra-cli"
    SetOutPath "$INSTDIR"
    File "${PROGRAM}"
    SetOutPath "$INSTDIR\dat"
    File /r /x README.md "${DATA}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\kelvra-cli" "DisplayName" "kelvra-cli ${VERSION}"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\kelvra-cli" "UninstallString" '"$INSTDIR\uninstall.exe"'
SectionEnd

Section "Uninstall"
    RMDir /r "$INSTDIR\dat"
    Delete "$INSTDIR\kelvra-cli.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\kelvra-cli"
SectionEnd
