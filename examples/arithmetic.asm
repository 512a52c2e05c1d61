; Arithmetic: add, subtract, multiply, divide and take remainders.
; Step through it and watch the registers and the flags S, O and Z.

	MOV	AL,15	; AL = 15 hex = 21
	MOV	BL,07	; BL = 7
	ADD	AL,BL	; 21 + 7 = 28 = 1C hex
	SUB	AL,04	; 28 - 4 = 24 = 18 hex
	MUL	AL,BL	; 24 * 7 = 168: too big for a signed byte, O is set
	MOV	CL,05
	MOV	DL,11	; DL = 17
	DIV	DL,CL	; 17 / 5 = 3
	MOV	DL,11
	MOD	DL,CL	; 17 mod 5 = 2
	SUB	DL,02	; 2 - 2 = 0: Z is set
	DEC	DL	; 0 - 1 = -1 = FF: S is set
	END
