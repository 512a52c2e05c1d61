; Demonstration: a greeting on the screen, then the traffic lights.

	JMP	Start	; jump over the text
	DB	"Hello from Corvane!"
Start:
	MOV	BL,02	; where the text begins
	MOV	CL,C0	; where the screen begins
Copy:
	MOV	AL,[BL]	; a character of the text
	MOV	[CL],AL	; onto the screen
	INC	BL
	INC	CL
	CMP	AL,21	; the closing !
	JNZ	Copy

Lights:
	MOV	AL,84	; red and green
	OUT	01
	MOV	AL,C8	; red with amber, and amber
	OUT	01
	MOV	AL,30	; green and red
	OUT	01
	MOV	AL,48	; amber, and red with amber
	OUT	01
	JMP	Lights
	END
