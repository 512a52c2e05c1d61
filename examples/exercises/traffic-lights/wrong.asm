; Traffic lights, a wrong solution: it goes from red straight to green,
; leaving out red and amber.

Start:
	MOV	BL,40	; BL = the first of the three patterns, at 40
Next:
	MOV	AL,[BL]	; the next pattern
	OUT	01	; onto the lights
	MOV	CL,04	; let it show for a while
Wait:
	DEC	CL
	JNZ	Wait
	INC	BL
	CMP	BL,43	; past the last pattern, at 42?
	JNZ	Next
	JMP	Start	; round again

	ORG	40
	DB	80	; red
	DB	20	; green
	DB	40	; amber
	END
