; Demonstration: the screen, the traffic lights, the seven-segment displays and
; the stepper motor at work together, with the hardware timer's interrupt.
;
; The main program writes a greeting on the screen and then turns the stepper
; motor for ever. Meanwhile the hardware timer interrupts it every few seconds
; (5 unless you change the interval): the CPU leaves the main program, runs the
; interrupt handler, which moves the traffic lights on and counts the ticks on
; the seven-segment displays, and returns to where it left off.
;
; How an interrupt comes about: STI sets the I flag in SR, which lets the timer
; in. At each tick the CPU pushes IP onto the stack and jumps to the address
; held in RAM at 02, the timer's vector. IRET at the end of the handler pops
; IP back. At the usual 1000 ms clock the handler alone takes half a minute,
; and the ticks that come meanwhile are shut out: press Faster three times
; (125 ms) to see it all move briskly.

	JMP	Start	; 00: jump over the vector
	DB	50	; 02: the timer's vector: its handler is at 50

Start:
	MOV	BL,94	; BL = the greeting, at 94
	MOV	CL,C0	; CL = the first cell of the screen
Greet:
	MOV	AL,[BL]	; a character of the greeting
	MOV	[CL],AL	; onto the screen
	INC	BL
	INC	CL
	CMP	BL,B4	; past its last character, at B3?
	JNZ	Greet

	INT	02	; run the timer's handler once now, as a tick would,
			; so that the lights and the displays start at once
Turn:
	MOV	BL,30	; BL = the first of the motor's eight patterns
Step:
	STI		; let the timer in (the handler keeps it out)
	MOV	AL,[BL]	; the motor's next pattern
	OUT	05	; turns it by one half step
	INC	BL
	CMP	BL,38	; past the last pattern at 37?
	JNZ	Step
	JMP	Turn	; round again, for ever

	ORG	30
; The stepper motor's patterns: one winding on, then it and the next one
; together, then the next one alone, and so on round the motor.
	DB	01
	DB	03
	DB	02
	DB	06
	DB	04
	DB	0C
	DB	08
	DB	09
; The traffic lights' four phases. Bits 7, 6, 5 are the left red, amber and
; green lamps, bits 4, 3, 2 the right ones.
	DB	84	; 38: left red, right green
	DB	C8	; 39: left red and amber, right amber
	DB	30	; 3A: left green, right red
	DB	58	; 3B: left amber, right red and amber
	DB	03	; 3C: the lights' phase, 0..3; the INT 02 makes it 0
	DB	63	; 3D: the ticks counted, 0..99; the INT 02 makes it 0
; Seven-segment patterns of the digits 0..9. Bits 7..1 are the top, upper left,
; lower left, bottom, lower right, middle and upper right segments; bit 0
; chooses the display: 0 the left one, 1 the right one.
	DB	FA	; 3E: 0
	DB	0A	; 3F: 1
	DB	B6	; 40: 2
	DB	9E	; 41: 3
	DB	4E	; 42: 4
	DB	DC	; 43: 5
	DB	FC	; 44: 6
	DB	8A	; 45: 7
	DB	FE	; 46: 8
	DB	DE	; 47: 9

	ORG	50
; The timer's handler. This CPU leaves the I flag set when it takes an
; interrupt, so the handler shuts the next tick out itself, and it keeps the
; flags and AL of the main program, which it breaks into at any instruction:
; a CMP just before the interruption must still decide the jump just after it.
	CLI		; no further tick until the main program's next STI
	PUSHF		; the main program's flags onto the stack
	PUSH	AL	; and its AL
	MOV	AL,[3C]	; the lights' phase
	INC	AL	; the next one,
	MOD	AL,04	; after 3 back to 0
	MOV	[3C],AL
	ADD	AL,38	; the address of its pattern
	MOV	AL,[AL]	; the pattern
	OUT	01	; on the lights
	MOV	AL,[3D]	; the count
	INC	AL	; one more,
	MOD	AL,64	; after 99 back to 0 (64 is 100)
	MOV	[3D],AL
	DIV	AL,0A	; the tens
	ADD	AL,3E	; the address of the digit's pattern
	MOV	AL,[AL]	; the pattern, bit 0 clear:
	OUT	02	; on the left display
	MOV	AL,[3D]	; the count again
	MOD	AL,0A	; the units
	ADD	AL,3E
	MOV	AL,[AL]
	OR	AL,01	; bit 0 set:
	OUT	02	; on the right display
	POP	AL	; the main program's AL back
	POPF		; and its flags, with I still clear: they were pushed
			; after the CLI
	IRET		; back into the main program

	ORG	94
; The greeting: two rows of 16 characters, just below the stack, which
; grows down from BF.
	DB	"  CORVANE DEMO  "
	DB	"HELLO, STUDENTS!"
	END
