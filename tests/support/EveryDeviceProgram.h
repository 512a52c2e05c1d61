#pragma once

// Drives every device in a loop with interrupts enabled, waits for a key at IN 00 each time
// round, and has a handler for each interrupt: the hardware timer's counts in DL, the
// on-screen keyboard's and the keypad's put their key on the screen. The snake reaches the
// maze's edge after some 290 steps, which ends the run.
inline constexpr const char* EveryDeviceProgram = "JMP Start\n"
                                                  "DB 80\n" // 02 hardware timer
                                                  "DB 88\n" // 03 on-screen keyboard
                                                  "DB 90\n" // 04 keypad
                                                  "Start:\nSTI\n"
                                                  "Again:\n"
                                                  "MOV AL,84\nOUT 01\n"
                                                  "MOV AL,FA\nOUT 02\n"
                                                  "IN 03\nAND AL,01\nXOR AL,01\nMUL AL,80\nOUT 03\n"
                                                  "MOV AL,4F\nOUT 04\nMOV AL,1F\nOUT 04\n"
                                                  "MOV AL,01\nOUT 05\nMOV AL,03\nOUT 05\n"
                                                  "IN 06\nAND AL,20\nJZ NoCall\nMOV AL,01\nOUT 06\n"
                                                  "NoCall:\nIN 00\nMOV [C0],AL\n"
                                                  "JMP Again\n"
                                                  "ORG 80\nINC DL\nIRET\n"
                                                  "ORG 88\nIN 07\nMOV [C1],AL\nIRET\n"
                                                  "ORG 90\nIN 08\nMOV [C2],AL\nIRET\n"
                                                  "END\n";
