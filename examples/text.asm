; Text: echo every key typed to the screen, from the top left corner on.
; Enter ends the program, Escape stops it, and so does a full screen.

	MOV	BL,C0	; where the next character goes
Next:
	IN	00	; wait for a key; its code arrives in AL
	CMP	AL,0D	; Enter?
	JZ	Done	; yes: finished
	MOV	[BL],AL	; show the character
	INC	BL	; the next place; past FF it wraps to 00
	JNZ	Next	; and the screen is full
Done:
	END
