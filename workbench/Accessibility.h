#pragma once

class TFormMain;

// What a screen reader needs beyond the captions: names and descriptions of the main
// window's controls from its tables, the workbench's own accessible interfaces, and Ctrl+F6,
// which takes the keyboard to the next visible window, so that a device can be worked from
// the keyboard.
void MakeAccessible(TFormMain& form);
