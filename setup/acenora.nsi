; The Acenora setup: for the current user, without administrator rights, in Brazilian
; Portuguese. Built by makensis -INPUTCHARSET UTF8 with these defines:
;   VERSION   2.0.n          OUTFILE  the setup to write
;   FILES64   folder of the 64-bit acenora.exe, acenora-nivel.exe, acenora-config.exe,
;             locutor.exe and obkbm32.dll
;   FILES32   the same for 32 bits          DIST  folder of LEIAME.txt, ORBITA.INI.exemplo,
;             ORBITA.INI (commented) and lista-palavras.txt with its notice
;   ICON      the programs' icon (optional)
;   TARGET    the setup's own processor, x86-unicode unless named: a 32-bit setup runs on
;             every Windows and installs the 64-bit programs where the system has 64 bits
;   UIACCESS  defined when FILES64 and FILES32 also hold acenora-uiaccess.exe, the signed panel
;             that asks for UI access: installed for all users, it reaches administrators'
;             windows; an unsigned one would not start, so unsigned builds leave it out
; Silent, for a technician:  setup.exe /S [/VOLUME=60] [/DELAY=1500] [/INICIAR=1] [/TODOS=1]
;                            [/SUGERIR=0] [/FREQUENCIA=1] [/APONTAR=0] [/FALAR=1]
;                            [/ACIONADOR=CTRL|ESPACO|ENTER|F8|DIREITO|CONTROLE]
; The keyboard's two choices and the pointing grid are written to the settings file at every
; install.
; For all users (/TODOS=1, or the box on the options page, run as administrator): the
; programs under Program Files, the shortcuts and the uninstall entry for every user, and
; the settings file beside the programs, where every user's panel reads it first. Either
; kind of install removes the other kind's shortcuts: two Startup shortcuts, two panels.
; The panel is started as the signed-in user through the shell (acenora-iniciar.exe), never
; with the setup's own rights.
!ifdef TARGET
  Target ${TARGET}
!else
  Unicode true
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Acenora"
!define UNINSTALLER "Desinstalar Acenora.exe"
; The panel's "Locutor" finds ours by this name through the shell.
!define LOCUTOR_PATH_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\locutor.exe"
!define SETTINGS_FOLDER "$APPDATA\Acenora"

Name "Acenora"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Acenora"
BrandingText "Acenora ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1046 "ProductName" "Acenora"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalação do Acenora"
VIAddVersionKey /LANG=1046 "LegalCopyright" "Copyright (C) 2004-2005 Quelmar Tavoni - Projeto Acenora, Orvalhos"
VIAddVersionKey /LANG=1046 "CompanyName" "Projeto Acenora"

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING

Var Volume
Var Delay
Var StartWithWindows
Var VolumeField
Var DelayField
Var StartField
Var PanelWasRunning
Var AllUsers
Var AllUsersField
Var SuggestWords
Var SuggestField
Var FrequencyOrder
Var FrequencyField
Var FinishText
Var PointWithGrid
Var PointField
Var SayItems
Var SayField
Var SwitchName
Var SwitchField
; What the settings file held when the setup started, empty for what it did not hold: only
; what differs is written back.
Var VolumeAtStart
Var DelayAtStart
Var SuggestAtStart
Var FrequencyAtStart
Var PointAtStart
Var SayAtStart

!insertmacro MUI_PAGE_WELCOME
Page custom OptionsPage OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$FinishText"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

; A whole number of at least 1, or the default.
!macro WholeOr variable default
  IntOp $0 ${variable} + 0
  ${IfThen} "$0" != "${variable}" ${|} StrCpy ${variable} ${default} ${|}
  ${IfThen} $0 < 1 ${|} StrCpy ${variable} ${default} ${|}
!macroend

; /NAME=0 or /NAME=1 in the setup's options $R0 sets the flag; anything else leaves it.
!macro OptionFlag name flag
  ${GetOptions} $R0 "${name}" $R1
  ${IfThen} $R1 == 0 ${|} StrCpy ${flag} 0 ${|}
  ${IfThen} $R1 == 1 ${|} StrCpy ${flag} 1 ${|}
!macroend

Function .onInit
  StrCpy $FinishText "O Acenora foi instalado neste computador.$\r$\n$\r$\nClique em Terminar para fechar."
  StrCpy $Volume 60
  StrCpy $Delay 1500
  StrCpy $StartWithWindows 0
  StrCpy $SuggestWords 1
  StrCpy $FrequencyOrder 0
  StrCpy $PointWithGrid 1
  StrCpy $SayItems 0
  ${GetParameters} $R0
  StrCpy $AllUsers 0
  ${GetOptions} $R0 "/TODOS=" $R1
  ${If} $R1 == 1
    Call IsAdministrator
    ${If} $0 != "Admin"
      MessageBox MB_ICONSTOP "Para instalar para todos os usuários, execute a instalação como administrador." /SD IDOK
      SetErrorLevel 2
      Abort
    ${EndIf}
    StrCpy $AllUsers 1
    Call UseInstallPlace
  ${EndIf}
  Call ReadCurrentChoices
  ; An option not given leaves its value empty, and what is set stays.
  ${GetOptions} $R0 "/VOLUME=" $R1
  ${IfThen} $R1 != "" ${|} StrCpy $Volume $R1 ${|}
  ${GetOptions} $R0 "/DELAY=" $R1
  ${IfThen} $R1 != "" ${|} StrCpy $Delay $R1 ${|}
  !insertmacro OptionFlag "/INICIAR=" $StartWithWindows
  !insertmacro OptionFlag "/SUGERIR=" $SuggestWords
  !insertmacro OptionFlag "/FREQUENCIA=" $FrequencyOrder
  !insertmacro OptionFlag "/APONTAR=" $PointWithGrid
  !insertmacro OptionFlag "/FALAR=" $SayItems
  ${GetOptions} $R0 "/ACIONADOR=" $SwitchName
  ${IfThen} $SwitchName == "" ${|} Call SwitchAlreadySet ${|}
  !insertmacro WholeOr $Volume 60
  !insertmacro WholeOr $Delay 1500
FunctionEnd


; Where the programs, shortcuts and uninstall entry go: the user's own, or every user's.
!macro UseContext
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

; Run again, the setup starts from what is set: the Volume and Delay, the options page's
; choices and the Startup shortcut of the settings file and shortcuts an earlier install
; made. It writes back only what its pages change.
Function ReadCurrentChoices
  ${If} $AllUsers == 1
    StrCpy $R9 "$INSTDIR\ORBITA.INI"
  ${Else}
    StrCpy $R9 "${SETTINGS_FOLDER}\ORBITA.INI"
  ${EndIf}
  ReadINIStr $VolumeAtStart "$R9" "ACIONADOR" "VOLUME"
  ReadINIStr $DelayAtStart "$R9" "VARREDURA" "DELAY"
  ReadINIStr $0 "$R9" "TECLADO" "SUGESTOES"
  StrCpy $SuggestAtStart ""
  ${IfThen} $0 != "" ${|} StrCpy $SuggestAtStart 1 ${|}
  ${IfThen} $0 == "0" ${|} StrCpy $SuggestAtStart 0 ${|}
  ReadINIStr $0 "$R9" "TECLADO" "DISPOSICAO"
  StrCpy $FrequencyAtStart ""
  ${IfThen} $0 != "" ${|} StrCpy $FrequencyAtStart 0 ${|}
  ${IfThen} $0 == "FREQUENCIA" ${|} StrCpy $FrequencyAtStart 1 ${|}
  ReadINIStr $PointAtStart "$R9" "MOUSE" "APONTAR"
  ReadINIStr $SayAtStart "$R9" "VARREDURA" "FALAR"
  ${IfThen} $VolumeAtStart != "" ${|} StrCpy $Volume $VolumeAtStart ${|}
  ${IfThen} $DelayAtStart != "" ${|} StrCpy $Delay $DelayAtStart ${|}
  ${IfThen} $SuggestAtStart != "" ${|} StrCpy $SuggestWords $SuggestAtStart ${|}
  ${IfThen} $FrequencyAtStart != "" ${|} StrCpy $FrequencyOrder $FrequencyAtStart ${|}
  ${IfThen} $PointAtStart != "" ${|} StrCpy $PointWithGrid $PointAtStart ${|}
  ${IfThen} $SayAtStart != "" ${|} StrCpy $SayItems $SayAtStart ${|}
  !insertmacro UseContext
  ${IfThen} ${FileExists} "$SMSTARTUP\Acenora.lnk" ${|} StrCpy $StartWithWindows 1 ${|}
FunctionEnd

Function UseInstallPlace
  !insertmacro UseContext
  ${If} $AllUsers == 1
!if ${NSIS_PTR_SIZE} > 4
    StrCpy $INSTDIR "$PROGRAMFILES64\Acenora"
!else
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\Acenora"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Acenora"
    ${EndIf}
!endif
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Acenora"
  ${EndIf}
FunctionEnd

; Writing under Program Files needs an administrator's rights.
Function IsAdministrator
  UserInfo::GetAccountType
  Pop $0
FunctionEnd

; The switch of the user's settings file, when it is one the options page offers; else none,
; and a switch the caregiver set by hand is left as it is.
Function SwitchAlreadySet
  StrCpy $R9 "${SETTINGS_FOLDER}\ORBITA.INI"
  ReadINIStr $0 "$R9" "ACIONADOR" "TECLA"
  ReadINIStr $1 "$R9" "ACIONADOR" "MOUSE"
  ReadINIStr $2 "$R9" "ACIONADOR" "CONTROLE"
  ${If} $1 == "DIREITO"
    StrCpy $SwitchName "DIREITO"
  ${ElseIf} $2 == "QUALQUER"
    StrCpy $SwitchName "CONTROLE"
  ${ElseIf} $0 == ""
  ${OrIf} $0 == "CTRL"
    StrCpy $SwitchName "CTRL"
  ${ElseIf} $0 == "ESPACO"
  ${OrIf} $0 == "ENTER"
  ${OrIf} $0 == "F8"
    StrCpy $SwitchName $0
  ${EndIf}
FunctionEnd

; The options page's switch names, both ways: $0 the name, $1 the words shown.
Function SwitchWords
  ${Switch} $0
    ${Case} "ESPACO"
      StrCpy $1 "Espaço"
      ${Break}
    ${Case} "ENTER"
      StrCpy $1 "Enter"
      ${Break}
    ${Case} "F8"
      StrCpy $1 "F8"
      ${Break}
    ${Case} "DIREITO"
      StrCpy $1 "Botão direito do mouse"
      ${Break}
    ${Case} "CONTROLE"
      StrCpy $1 "Botão de controle de jogo (qualquer)"
      ${Break}
    ${Case} "CTRL"
      StrCpy $1 "Ctrl"
      ${Break}
    ${Default}
      StrCpy $1 ""
  ${EndSwitch}
FunctionEnd

Function SwitchNameOf
  ${Switch} $1
    ${Case} "Espaço"
      StrCpy $0 "ESPACO"
      ${Break}
    ${Case} "Enter"
      StrCpy $0 "ENTER"
      ${Break}
    ${Case} "F8"
      StrCpy $0 "F8"
      ${Break}
    ${Case} "Botão direito do mouse"
      StrCpy $0 "DIREITO"
      ${Break}
    ${Case} "Botão de controle de jogo (qualquer)"
      StrCpy $0 "CONTROLE"
      ${Break}
    ${Case} "Ctrl"
      StrCpy $0 "CTRL"
      ${Break}
    ${Default}
      StrCpy $0 ""
  ${EndSwitch}
FunctionEnd

Function OptionsPage
  !insertmacro MUI_HEADER_TEXT "Opções do painel" "O acionador e o início com o Windows"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Volume: o som mínimo que conta como um toque no acionador. Para escolher, abra o Medidor de nível (no menu Iniciar, pasta Acenora) e faça o som do acionador: ele sugere um valor."
  Pop $0
  ${NSD_CreateLabel} 0 28u 60u 12u "Volume:"
  Pop $0
  ${NSD_CreateNumber} 64u 26u 50u 12u "$Volume"
  Pop $VolumeField
  ${NSD_CreateLabel} 124u 28u 40u 12u "Acionador:"
  Pop $0
  ${NSD_CreateDropList} 166u 26u 134u 80u ""
  Pop $SwitchField
  ${ForEach} $2 1 6 + 1
    ${Select} $2
      ${Case} 1
        StrCpy $1 "Ctrl"
      ${Case} 2
        StrCpy $1 "Espaço"
      ${Case} 3
        StrCpy $1 "Enter"
      ${Case} 4
        StrCpy $1 "F8"
      ${Case} 5
        StrCpy $1 "Botão direito do mouse"
      ${Case} 6
        StrCpy $1 "Botão de controle de jogo (qualquer)"
    ${EndSelect}
    ${NSD_CB_AddString} $SwitchField "$1"
  ${Next}
  StrCpy $0 $SwitchName
  Call SwitchWords
  ${IfThen} $1 != "" ${|} ${NSD_CB_SelectString} $SwitchField "$1" ${|}
  ${NSD_CreateLabel} 0 41u 100% 10u "Delay: quanto tempo cada opção fica acesa, em milissegundos (1500 = 1,5 segundo)."
  Pop $0
  ${NSD_CreateLabel} 0 55u 60u 12u "Delay:"
  Pop $0
  ${NSD_CreateNumber} 64u 53u 50u 12u "$Delay"
  Pop $DelayField
  ${NSD_CreateCheckbox} 0 66u 100% 10u "Iniciar o painel junto com o Windows"
  Pop $StartField
  ${If} $StartWithWindows == 1
    ${NSD_Check} $StartField
  ${EndIf}
  ${NSD_CreateCheckbox} 0 76u 100% 10u "Instalar para todos os usuários deste computador (administrador)"
  Pop $AllUsersField
  Call IsAdministrator
  ${If} $0 != "Admin"
    EnableWindow $AllUsersField 0
  ${ElseIf} $AllUsers == 1
    ${NSD_Check} $AllUsersField
  ${EndIf}
  ${NSD_CreateCheckbox} 0 86u 100% 10u "Sugerir palavras no teclado"
  Pop $SuggestField
  ${If} $SuggestWords == 1
    ${NSD_Check} $SuggestField
  ${EndIf}
  ${NSD_CreateCheckbox} 0 96u 100% 10u "Teclado com as letras mais usadas primeiro (acentos junto)"
  Pop $FrequencyField
  ${If} $FrequencyOrder == 1
    ${NSD_Check} $FrequencyField
  ${EndIf}
  ${NSD_CreateCheckbox} 0 106u 100% 10u "Apontar e clicar com uma grade (mais rápido e preciso)"
  Pop $PointField
  ${If} $PointWithGrid == 1
    ${NSD_Check} $PointField
  ${EndIf}
  ${NSD_CreateCheckbox} 0 116u 100% 10u "Falar cada opção ao acender (para quem não enxerga bem o painel)"
  Pop $SayField
  ${If} $SayItems == 1
    ${NSD_Check} $SayField
  ${EndIf}
  ${NSD_CreateLabel} 0 128u 100% 12u "Para mudar depois: menu Iniciar > Acenora > Configurações do Acenora."
  Pop $0
  nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
  ${NSD_GetText} $VolumeField $Volume
  ${NSD_GetText} $DelayField $Delay
  ${NSD_GetState} $StartField $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $StartWithWindows 1
  ${Else}
    StrCpy $StartWithWindows 0
  ${EndIf}
  ${NSD_GetState} $SuggestField $0
  ${IfThen} $0 == ${BST_CHECKED} ${|} StrCpy $SuggestWords 1 ${|}
  ${IfThen} $0 != ${BST_CHECKED} ${|} StrCpy $SuggestWords 0 ${|}
  ${NSD_GetState} $FrequencyField $0
  ${IfThen} $0 == ${BST_CHECKED} ${|} StrCpy $FrequencyOrder 1 ${|}
  ${IfThen} $0 != ${BST_CHECKED} ${|} StrCpy $FrequencyOrder 0 ${|}
  ${NSD_GetText} $SwitchField $1
  Call SwitchNameOf
  ${IfThen} $0 != "" ${|} StrCpy $SwitchName $0 ${|}
  ${NSD_GetState} $PointField $0
  ${IfThen} $0 == ${BST_CHECKED} ${|} StrCpy $PointWithGrid 1 ${|}
  ${IfThen} $0 != ${BST_CHECKED} ${|} StrCpy $PointWithGrid 0 ${|}
  ${NSD_GetState} $SayField $0
  ${IfThen} $0 == ${BST_CHECKED} ${|} StrCpy $SayItems 1 ${|}
  ${IfThen} $0 != ${BST_CHECKED} ${|} StrCpy $SayItems 0 ${|}
  ${NSD_GetState} $AllUsersField $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call UseInstallPlace
  !insertmacro WholeOr $Volume 60
  !insertmacro WholeOr $Delay 1500
FunctionEnd

; A setting changed on the options page, added to the changes $R6 that WriteOptionChoices
; hands to the settings window's own writer.
!macro SettingChange section key value
  StrCpy $R6 '$R6 ${section} ${key} "${value}"'
!macroend

; The options page's choices, in the settings file $R8, written by the settings window's
; writer as it writes its own: each key in place, every other line of the file kept.
Function WriteOptionChoices
  StrCpy $R6 ""
  ${If} $SuggestWords != $SuggestAtStart
    ${If} $SuggestWords == 1
      !insertmacro SettingChange TECLADO SUGESTOES 5
    ${Else}
      !insertmacro SettingChange TECLADO SUGESTOES 0
    ${EndIf}
  ${EndIf}
  ${If} $FrequencyOrder != $FrequencyAtStart
    ${If} $FrequencyOrder == 1
      !insertmacro SettingChange TECLADO DISPOSICAO FREQUENCIA
    ${Else}
      !insertmacro SettingChange TECLADO DISPOSICAO ORIGINAL
    ${EndIf}
  ${EndIf}
  ${IfThen} $PointWithGrid != $PointAtStart ${|} !insertmacro SettingChange MOUSE APONTAR $PointWithGrid ${|}
  ${IfThen} $SayItems != $SayAtStart ${|} !insertmacro SettingChange VARREDURA FALAR $SayItems ${|}
  ${IfThen} $Volume != $VolumeAtStart ${|} !insertmacro SettingChange ACIONADOR VOLUME $Volume ${|}
  ${IfThen} $Delay != $DelayAtStart ${|} !insertmacro SettingChange VARREDURA DELAY $Delay ${|}
  Call AddSwitch
  ${If} $R6 != ""
    ExecWait '"$INSTDIR\acenora-config.exe" /gravar "$R8"$R6' $0
    ${IfThen} $0 != 0 ${|} StrCpy $FinishText "$FinishText$\r$\n$\r$\nAs opções desta instalação não puderam ser gravadas em $R8: confira-as em Configurações do Acenora." ${|}
  ${EndIf}
FunctionEnd

; A key, or Ctrl beside a mouse or controller button; nothing when no switch was chosen.
Function AddSwitch
  ${If} $SwitchName == ""
    Return
  ${EndIf}
  StrCpy $0 "CTRL"
  StrCpy $1 "NENHUM"
  StrCpy $2 "NENHUM"
  ${If} $SwitchName == "DIREITO"
    StrCpy $1 "DIREITO"
  ${ElseIf} $SwitchName == "CONTROLE"
    StrCpy $2 "QUALQUER"
  ${Else}
    StrCpy $0 $SwitchName
  ${EndIf}
  !insertmacro SettingChange ACIONADOR TECLA $0
  !insertmacro SettingChange ACIONADOR MOUSE $1
  !insertmacro SettingChange ACIONADOR CONTROLE $2
FunctionEnd

!macro PlainPanel folder
  File "${folder}\acenora.exe"
!macroend

!macro Starter folder
  File "${folder}\acenora-iniciar.exe"
!macroend

; The file of this machine's word size from the two staged builds.
!macro ForThisMachine macro
!if ${NSIS_PTR_SIZE} > 4
  !insertmacro ${macro} "${FILES64}"
!else
  ${If} ${RunningX64}
    !insertmacro ${macro} "${FILES64}"
  ${Else}
    !insertmacro ${macro} "${FILES32}"
  ${EndIf}
!endif
!macroend

!macro Programs folder
!ifdef UIACCESS
  ${If} $AllUsers == 1
    File "/oname=acenora.exe" "${folder}\acenora-uiaccess.exe"
  ${Else}
    File "${folder}\acenora.exe"
  ${EndIf}
!else
  File "${folder}\acenora.exe"
!endif
  File "${folder}\acenora-nivel.exe"
  File "${folder}\acenora-config.exe"
  File "${folder}\locutor.exe"
  File "${folder}\obkbm32.dll"
!macroend

; The panel, the meter and the Locutor run from this folder: the system neither replaces nor
; deletes a running program. Each is asked to close as its user would close it, given 5 s,
; and ended if it will not. Whether the panel ran is kept, so the setup can start it again.
!macro CloseRunningPrograms un
Function ${un}CloseRunningPrograms
  StrCpy $PanelWasRunning 0
  StrCpy $R7 "ObWinCrt"  ; the console the panel and the meter are drawn on
  Call ${un}CloseWindowsOfClass
  StrCpy $R7 "AcenoraLocutor"
  Call ${un}CloseWindowsOfClass
  StrCpy $R7 "AcenoraConfig"
  Call ${un}CloseWindowsOfClass
FunctionEnd

; Every window of class $R7 whose process runs one of this folder's programs.
Function ${un}CloseWindowsOfClass
  StrCpy $1 0
  ${Do}
    System::Call 'user32::FindWindowExW(p 0, p r1, w r17, p 0) p .r0'
    ${If} $0 = 0
      Return
    ${EndIf}
    StrCpy $2 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
    ; Synchronise, query limited information, terminate.
    System::Call 'kernel32::OpenProcess(i 0x101001, i 0, i r2) p .r3'
    StrCpy $4 ""
    ${IfNot} $3 = 0
      System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i ${NSIS_MAX_STRLEN})'
    ${EndIf}
    ${If} $4 == "$INSTDIR\acenora.exe"
      StrCpy $PanelWasRunning 1
    ${EndIf}
    ${If} $4 == "$INSTDIR\acenora.exe"
    ${OrIf} $4 == "$INSTDIR\acenora-nivel.exe"
    ${OrIf} $4 == "$INSTDIR\acenora-config.exe"
    ${OrIf} $4 == "$INSTDIR\locutor.exe"
      System::Call 'user32::PostMessageW(p r0, i 0x10, p 0, p 0)'
      System::Call 'kernel32::WaitForSingleObject(p r3, i 5000) i .r5'
      ${If} $5 != 0
        System::Call 'kernel32::TerminateProcess(p r3, i 1)'
        System::Call 'kernel32::WaitForSingleObject(p r3, i 5000) i .r5'
      ${EndIf}
      ${If} $5 != 0
        StrCpy $1 $0  ; it could not be ended: passed over
      ${EndIf}
    ${Else}
      StrCpy $1 $0  ; another program's window
    ${EndIf}
    ${IfNot} $3 = 0
      System::Call 'kernel32::CloseHandle(p r3)'
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro CloseRunningPrograms ""
!insertmacro CloseRunningPrograms "un."

!macro PanelShortcut link
  CreateShortCut "${link}" "$INSTDIR\acenora.exe" "$Volume $Delay" "$INSTDIR\acenora.exe" 0 \
                 SW_SHOWNORMAL "" "Painel de varredura do Acenora"
!macroend

; The starter from the setup's own folder starts the panel as the signed-in user and
; tells whether its window came: $0 is 0 when it did.
Function StartPanelAsUser
  InitPluginsDir
  SetOutPath "$PLUGINSDIR"
  !insertmacro ForThisMachine Starter
  SetOutPath "$INSTDIR"
  StrCpy $0 1
  ExecWait '"$PLUGINSDIR\acenora-iniciar.exe" "$INSTDIR\acenora.exe" $Volume $Delay' $0
FunctionEnd

; A panel that ran before runs again. For all users, the panel that asks for UI access is
; tried once: the system starts it only with a signature that it trusts, and without it
; every shortcut of the panel would do nothing, so the plain panel takes its place.
Function StartPanelAgain
!ifdef UIACCESS
  ${If} $AllUsers == 1
    Call StartPanelAsUser
    ${If} $0 != 0
      SetOutPath "$INSTDIR"
      !insertmacro ForThisMachine PlainPanel
      StrCpy $FinishText "$FinishText$\r$\n$\r$\nEste computador não aceitou o painel que alcança as janelas de administrador (sua assinatura não foi reconhecida). Foi instalado o painel comum: ele funciona, mas não alcança programas executados como administrador."
      DetailPrint "Painel comum instalado: o painel com acesso à interface não iniciou."
      ${IfThen} $PanelWasRunning == 1 ${|} Call StartPanelAsUser ${|}
    ${ElseIf} $PanelWasRunning != 1
      Call CloseRunningPrograms
    ${EndIf}
    Return
  ${EndIf}
!endif
  ${IfThen} $PanelWasRunning == 1 ${|} Call StartPanelAsUser ${|}
FunctionEnd

; The other kind of install's shortcuts. Without an administrator's rights those of every
; user stay, and the last page says so.
Function RemoveOtherShortcuts
  ${If} $AllUsers == 1
    SetShellVarContext current
  ${Else}
    SetShellVarContext all
  ${EndIf}
  Delete "$SMSTARTUP\Acenora.lnk"
  Delete "$DESKTOP\Acenora.lnk"
  RMDir /r "$SMPROGRAMS\Acenora"
  ${If} ${FileExists} "$SMSTARTUP\Acenora.lnk"
    StrCpy $FinishText "$FinishText$\r$\n$\r$\nO Acenora também está instalado para todos os usuários e inicia com o Windows: desinstale essa instalação como administrador, senão dois painéis vão abrir."
  ${EndIf}
  !insertmacro UseContext
FunctionEnd

; The first settings file, made from the sample with its values commented out, then kept as
; it is at every later install: for all users beside the programs, where every user's panel
; reads it first; otherwise in the user's own folder, kept at the uninstall too.
Function MakeSettingsFile
  ${If} $AllUsers == 1
    StrCpy $R8 "$INSTDIR\ORBITA.INI"
  ${Else}
    SetShellVarContext current
    CreateDirectory "${SETTINGS_FOLDER}"
    StrCpy $R8 "${SETTINGS_FOLDER}\ORBITA.INI"
    !insertmacro UseContext
  ${EndIf}
  ${IfNot} ${FileExists} "$R8"
    File "/oname=$R8" "${DIST}\ORBITA.INI"
  ${EndIf}
FunctionEnd

Section "Acenora"
  !insertmacro UseContext
  Call CloseRunningPrograms
  SetOutPath "$INSTDIR"
  !insertmacro ForThisMachine Programs
  File "${DIST}\LEIAME.txt"
  File "${DIST}\ORBITA.INI.exemplo"
  File "${DIST}\lista-palavras.txt"
  File "${DIST}\lista-palavras-LICENCA.txt"
  Call MakeSettingsFile
  Call WriteOptionChoices
  Call RemoveOtherShortcuts
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Shortcuts start in the program's folder.
  CreateDirectory "$SMPROGRAMS\Acenora"
  !insertmacro PanelShortcut "$SMPROGRAMS\Acenora\Acenora.lnk"
  CreateShortCut "$SMPROGRAMS\Acenora\Medidor de nível.lnk" "$INSTDIR\acenora-nivel.exe" "" \
                 "$INSTDIR\acenora-nivel.exe" 0 SW_SHOWNORMAL "" "Mostra o volume do microfone e sugere um Volume"
  CreateShortCut "$SMPROGRAMS\Acenora\Tempo de reação.lnk" "$INSTDIR\acenora-nivel.exe" "/tempo" \
                 "$INSTDIR\acenora-nivel.exe" 0 SW_SHOWNORMAL "" "Mostra o tempo de reação da pessoa e sugere um Delay"
  CreateShortCut "$SMPROGRAMS\Acenora\Locutor.lnk" "$INSTDIR\locutor.exe" "" \
                 "$INSTDIR\locutor.exe" 0 SW_SHOWNORMAL "" "Fala em voz alta o que se digita"
  CreateShortCut "$SMPROGRAMS\Acenora\Guia do Acenora.lnk" "$INSTDIR\LEIAME.txt"
  Delete "$SMPROGRAMS\Acenora\Configurações.lnk"  ; an earlier install's, which opened Notepad
  CreateShortCut "$SMPROGRAMS\Acenora\Configurações do Acenora.lnk" "$INSTDIR\acenora-config.exe" "" \
                 "$INSTDIR\acenora-config.exe" 0 SW_SHOWNORMAL "" "Todas as configurações do painel, aplicadas na hora"
  CreateShortCut "$SMPROGRAMS\Acenora\Desinstalar Acenora.lnk" "$INSTDIR\${UNINSTALLER}"
  !insertmacro PanelShortcut "$DESKTOP\Acenora.lnk"
  ${If} $StartWithWindows == 1
    !insertmacro PanelShortcut "$SMSTARTUP\Acenora.lnk"
  ${Else}
    Delete "$SMSTARTUP\Acenora.lnk"
  ${EndIf}

  WriteRegStr SHCTX "${LOCUTOR_PATH_KEY}" "" "$INSTDIR\locutor.exe"
  WriteRegStr SHCTX "${LOCUTOR_PATH_KEY}" "Path" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Acenora"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Projeto Acenora"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\acenora.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  Call StartPanelAgain
SectionEnd

; An uninstaller in the folder the every-user entry names belongs to an install for all users,
; which only an administrator can remove: started without those rights (from Settings, say),
; it asks for them by starting itself again, or says it cannot go on.
Function un.onInit
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${IfThen} $0 == $INSTDIR ${|} StrCpy $AllUsers 1 ${|}
  ${If} $AllUsers == 1
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      StrCpy $1 ""
      ${IfThen} ${Silent} ${|} StrCpy $1 "/S" ${|}
      ClearErrors
      ExecShell "runas" "$INSTDIR\${UNINSTALLER}" "$1"
      ${If} ${Errors}
        MessageBox MB_ICONSTOP "O Acenora foi instalado para todos os usuários: só um administrador pode desinstalá-lo." /SD IDOK
        SetErrorLevel 2
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro UseContext
  Call un.CloseRunningPrograms
  Delete "$SMSTARTUP\Acenora.lnk"
  Delete "$DESKTOP\Acenora.lnk"
  RMDir /r "$SMPROGRAMS\Acenora"
  Delete "$INSTDIR\acenora.exe"
  Delete "$INSTDIR\acenora-nivel.exe"
  Delete "$INSTDIR\acenora-config.exe"
  Delete "$INSTDIR\locutor.exe"
  Delete "$INSTDIR\obkbm32.dll"
  Delete "$INSTDIR\LEIAME.txt"
  Delete "$INSTDIR\ORBITA.INI.exemplo"
  Delete "$INSTDIR\lista-palavras.txt"
  Delete "$INSTDIR\lista-palavras-LICENCA.txt"
  ${IfThen} $AllUsers == 1 ${|} Delete "$INSTDIR\ORBITA.INI" ${|}
  Call un.DeleteOriginalUninstaller
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ReadRegStr $0 SHCTX "${LOCUTOR_PATH_KEY}" ""
  ${IfThen} $0 == "$INSTDIR\locutor.exe" ${|} DeleteRegKey SHCTX "${LOCUTOR_PATH_KEY}" ${|}
SectionEnd

; This runs as a copy in the temporary folder, started by the uninstaller in the program's
; folder, which may not have ended yet (silently, the copy gets here at once): its file
; cannot be deleted until it has. Up to 5 s, then at the next restart.
Function un.DeleteOriginalUninstaller
  StrCpy $0 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\${UNINSTALLER}"
    ${IfNot} ${Errors}
      Return
    ${EndIf}
    IntOp $0 $0 + 1
    Sleep 100
  ${LoopUntil} $0 >= 50
  Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
FunctionEnd
