; Traffic lights, a correct solution: the left set runs the UK sequence for
; ever: red, red and amber, green, amber, and red again.

Start:
	MOV	BL,40	; BL = the first of the four patterns, at 40
Next:
	MOV	AL,[BL]	; the next pattern
	OUT	01	; onto the lights
	MOV	CL,04	; let it show for a while
Wait:
	DEC	CL
	JNZ	Wait
	INC	BL
	CMP	BL,44	; past the last pattern, at 43?
	JNZ	Next
	JMP	Start	; round again

	ORG	40
	DB	80	; red
	DB	C0	; red and amber
	DB	20	; green
	DB	40	; amber
	END
