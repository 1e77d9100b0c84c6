#pragma once
// Registers every component class of the framework with the class registry,
// so stored layouts can create them by name (TForm, TPanel, TLabel, TButton,
// TPageControl, TTabSheet, TTimer, TMenuItem, TPopupMenu, TMainMenu,
// TToolBar, TToolButton, TMemo). Calling it again does nothing.
void RegisterFrameworkClasses();
