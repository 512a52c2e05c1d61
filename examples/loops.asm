; Loops: do the same work again and again, and stop when a count says so.
;
; The screen (the VDU window) shows RAM C0..FF as 4 rows of 16 characters:
; C0..CF is the top row, D0..DF the second, E0..EF the third, F0..FF the last.
; Storing a character's code in one of these cells puts the character there.
; Character codes used here: 30..39 are the digits 0..9, 41..5A the letters
; A..Z, 2D is "-" and 3D is "=".
;
; Step through the first loop a few times, watching IP jump back, then Run.

; 1. Count up: the digits 0 to 9 along the top row.
	MOV	AL,30	; AL = 30, the code of the digit 0
	MOV	BL,C0	; BL = C0, the first cell of the top row
Digits:
	MOV	[BL],AL	; the cell whose address is in BL gets AL: a digit shows
	INC	AL	; the code of the next digit
	INC	BL	; the next cell to the right
	CMP	AL,3A	; 3A is the code after 9. CMP compares without changing
			; AL: it sets Z when AL = 3A and S when AL is less
	JS	Digits	; S set, AL still below 3A: go round again.
			; Ten passes, then the jump is not taken and the
			; program goes on below.

; 2. Count down: DEC sets Z by itself when the count reaches zero, so this
;    loop needs no CMP.
	MOV	CL,10	; CL = 10 (16): one letter for every cell of a row
	MOV	AL,41	; the code of A
	MOV	BL,E0	; the first cell of the third row
Letters:
	MOV	[BL],AL	; show the letter
	INC	AL	; the next letter
	INC	BL	; the next cell
	DEC	CL	; one letter fewer to go; Z is set when CL becomes 0
	JNZ	Letters	; not zero yet: go round again

; 3. A procedure: one piece of code used from two places. CALL stores the
;    address of the instruction after it on the stack and jumps; RET takes that
;    address back off the stack and returns there. The stack grows down from
;    BF: watch SP and the cells at BF and BE in the RAM view.
	MOV	AL,2D	; the character -
	MOV	BL,D0	; the first cell of the second row
	CALL	50	; draw a row of - (the procedure is at address 50)
	MOV	AL,3D	; the character =
	MOV	BL,F0	; the first cell of the last row
	CALL	50	; draw a row of =
	HALT		; done: stop before the procedure below

	ORG	50	; the procedure goes at address 50
; Line: writes the character in AL into the 16 cells from the address in BL.
; It needs CL as a counter, so it keeps the caller's CL on the stack.
	PUSH	CL	; CL onto the stack, just below the return address
	MOV	CL,10	; 16 cells
Line:
	MOV	[BL],AL
	INC	BL
	DEC	CL
	JNZ	Line
	POP	CL	; the caller's CL back off the stack
	RET		; back to the instruction after the CALL

	END
