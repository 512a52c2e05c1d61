; Loops: write the digits 0 to 9 to the screen, one character a pass.

	MOV	AL,30	; the character 0
	MOV	BL,C0	; the top left corner of the screen
Next:
	MOV	[BL],AL	; show the digit
	INC	AL	; the next digit
	INC	BL	; the next place on the screen
	CMP	AL,3A	; past 9?
	JNZ	Next	; no: go round again
	END
