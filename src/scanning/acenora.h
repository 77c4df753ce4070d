// The program's spine: start-up, the main loop, the option scanner and the menu handlers.
#pragma once
#include <string>

void StartUp();                 // screen, start-up panel, threshold and dwell, capture
void MainLoop();                // for ever: the current menu's handler or the keyboard
void RunMainLoopOnce();         // one dispatch of the main loop
int ScanOptions(int menu);      // light options in turn; the one lit at the hit
void MouseMenu();
void OtherClicksMenu();
void WindowMenu();
void NavigationMenu();
void WindowSizeMenu();
void ProgramsMenu();
void KeyboardChoiceMenu();
bool RunProgram(const std::string& target);  // opened through the shell; else a notice, false
void RunLocutor();              // locutor.exe beside the panel, else "locutor" through the shell
void OpenMail();                // Outlook, else the mailto: handler, else a notice
std::wstring DocumentsFolder();  // the user's Documents known folder; empty without one
void OpenMyDocuments();          // "Meus documentos" here, else the Documents folder
int AcenoraMain();              // ConsoleInit, StartUp, MainLoop; the error box on bad numbers
