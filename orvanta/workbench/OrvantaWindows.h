#pragma once
// Creation of the workbench's twelve windows, in the order the program makes
// them, each reachable through its global reference; shared by the program's
// main block and the tests.

// TGeneralForm (the main window), TNewFunctionForm, TScreenForm,
// TIntegralForm, TProizForm, TKasatForm, TNormalForm, TParabolaForm,
// TTableForm, TAboutForm, TLineForm, TUravnForm.
void CreateOrvantaWindows();
// What the main block sets up before the windows: the application's title
// and Qt's Russian texts.
void StartOrvantaApplication();
// Shows the main window maximised.
void ShowMainWindow();
// Deletes the windows and clears their references.
void DestroyOrvantaWindows();
