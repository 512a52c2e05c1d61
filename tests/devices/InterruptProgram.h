#pragma once

// Idles with interrupts enabled; the keyboard's handler at 50 reads port 07, the keypad's
// at 60 reads port 08. The idle loop is at 06.
inline constexpr const char* InterruptProgram = "JMP Start\n"
                                                "DB 50\n" // 02 hardware timer
                                                "DB 50\n" // 03 on-screen keyboard
                                                "DB 60\n" // 04 keypad
                                                "Start:\nSTI\n"
                                                "Idle:\nJMP Idle\n"
                                                "ORG 50\nIN 07\nIRET\n"
                                                "ORG 60\nIN 08\nIRET\n"
                                                "END\n";
inline constexpr int IdleLoop = 0x06;
