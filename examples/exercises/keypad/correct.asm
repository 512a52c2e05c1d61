; Keypad to display, a correct solution: every key pressed on the keypad
; shows its digit on the right seven-segment display. The keypad interrupts
; through the vector at 04; the handler reads the key's code with IN 08 and
; looks its pattern up in a table at 30..46, placed so that the key's code
; (30 to 39 for 0 to 9, 41 to 46 for A to F) is the address of its pattern.

	JMP	Start	; 00: jump over the vectors
	DB	70	; 02: the hardware timer's vector: it is ignored at 70
	DB	00	; 03: the keyboard's vector, not used
	DB	50	; 04: the keypad's vector: its handler is at 50
Start:
	STI		; let the keypad in
Idle:
	JMP	Idle	; nothing else to do

; The segments: bit 7 top, 6 upper left, 5 lower left, 4 bottom, 3 lower
; right, 2 middle, 1 upper right; bit 0 set picks the right display.
	ORG	30
	DB	FB	; 0
	DB	0B	; 1
	DB	B7	; 2
	DB	9F	; 3
	DB	4F	; 4
	DB	DD	; 5
	DB	FD	; 6
	DB	8B	; 7
	DB	FF	; 8
	DB	DF	; 9
	ORG	41
	DB	EF	; A
	DB	7D	; b
	DB	F1	; C
	DB	3F	; d
	DB	F5	; E
	DB	E5	; F

	ORG	50
	PUSH	AL	; keep the interrupted program's registers
	PUSH	BL
	PUSHF
	IN	08	; the key's code
	PUSH	AL	; into BL, through the stack
	POP	BL
	MOV	AL,[BL]	; its pattern
	OUT	02	; onto the display
	POPF
	POP	BL
	POP	AL
	IRET

	ORG	70
	IRET		; the hardware timer: nothing to do
	END
