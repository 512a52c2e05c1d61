; Arithmetic: add, subtract, multiply, divide, and count up and down by one.
;
; Step through the program (Step, Alt+P) and after every instruction look at the
; register it changed and at SR, the status register. Three bits of SR are flags
; that describe the result of the last calculation:
;
;   S  sign      the result is negative
;   O  overflow  the true result does not fit in one byte; the register keeps
;                only the lowest eight bits of it
;   Z  zero      the result is zero
;
; SR shows them as bits: 08 is S, 04 is O, 02 is Z, 0C is S and O together.
; MOV changes no flag; every calculation sets all three afresh.
;
; Every number in a program is hexadecimal: 15 means 1 x 16 + 5 = 21. The
; comments give each value in hexadecimal and then, in brackets, in decimal.
; A byte holds 00..FF, and the CPU reads 00..7F as 0..127 and 80..FF as the
; negative numbers -128..-1: FF is -1, FE is -2 and 80 is -128. So one byte
; holds -128..127, and a result outside that range overflows.

; Add and subtract.
	MOV	AL,15	; AL = 15 (21)
	MOV	BL,07	; BL = 07 (7)
	ADD	AL,BL	; AL = 21 + 7 = 1C (28): positive, S O Z clear
	SUB	AL,20	; AL = 28 - 32 = FC (-4): negative, S set
	ADD	AL,04	; AL = -4 + 4 = 00 (0): Z set, S clear

; Overflow: the result does not fit in -128..127.
	MOV	BL,64	; BL = 64 (100)
	ADD	BL,32	; 100 + 50 = 150, too big: O set. BL keeps the low
			; eight bits, 96, which read as -106: S set too.
			; Two positive numbers gave a negative one.
	MOV	BL,9C	; BL = 9C (-100)
	SUB	BL,32	; -100 - 50 = -150, too small: O set. BL keeps 6A
			; (106), positive: S clear.

; Multiply and divide.
	MOV	CL,0C	; CL = 0C (12)
	MUL	CL,07	; CL = 12 x 7 = 54 (84): S O Z clear
	MUL	CL,02	; 84 x 2 = 168, too big: O set. CL keeps A8 (-88): S set
	MOV	DL,11	; DL = 11 (17)
	DIV	DL,05	; DL = 17 / 5 = 03 (3): DIV keeps the whole part only
	MOV	DL,11	; DL = 11 (17) again
	MOD	DL,05	; DL = 17 MOD 5 = 02 (2), the remainder: 17 = 3 x 5 + 2
	MOV	DL,F9	; DL = F9 (-7)
	DIV	DL,02	; DL = -7 / 2 = FD (-3): DIV cuts towards zero. S set
	MOV	DL,F9	; DL = F9 (-7) again
	MOD	DL,02	; DL = -7 MOD 2 = FF (-1): the remainder takes the
			; sign of -7, as -7 = -3 x 2 - 1. S set
			; (DIV or MOD by 0 would stop the CPU with an error.)

; Count up and down by one.
	MOV	AL,FE	; AL = FE (-2)
	INC	AL	; AL = FF (-1): S set
	INC	AL	; AL = 00 (0): Z set. FF + 1 wraps round to 00
	INC	AL	; AL = 01 (1): S O Z clear
	MOV	AL,7F	; AL = 7F (127), the largest number a byte holds
	INC	AL	; 128, too big: O set. AL = 80 (-128): S set
	DEC	AL	; -128 - 1 = -129, too small: O set. AL = 7F (127)

	END		; stop here. The registers now hold:
			; AL = 7F (127), BL = 6A (106), CL = A8 (-88), DL = FF (-1)
