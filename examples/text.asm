; Text: type on the keyboard and watch the keys appear on the screen.
;
; IN 00 waits for a key: the Keyboard Input window opens, and the ASCII code of
; the key you type arrives in AL. Every character has a code, for example:
;
;   20 space     30..39 the digits 0..9     41..5A capitals A..Z
;   2C comma     2E full stop               61..7A small letters a..z
;   0D Enter     08 Backspace               1B Escape
;
; The codes of capitals and small letters differ by 20: A is 41, a is 61.
; Letters, digits and signs are shown on the top three rows of the screen
; (C0..EF); the last row shows the code of the last key in hexadecimal.
; Backspace takes back the last character, Enter ends the program, and so does
; a full screen. Escape stops the CPU; Continue then waits for the next key.

	JMP	Start	; jump over the caption below
	DB	"KEY CODE:"	; the caption of the last row: nine codes at 02..0A

Start:
	MOV	BL,02	; BL = where the caption begins
	MOV	CL,F0	; CL = the first cell of the last row
Caption:
	MOV	AL,[BL]	; a character of the caption
	MOV	[CL],AL	; onto the screen
	INC	BL
	INC	CL
	CMP	BL,0B	; past the colon at 0A?
	JNZ	Caption

	MOV	BL,C0	; BL = where the next character goes
Next:
	MOV	AL,00	; no key yet
	IN	00	; wait for a key; its code arrives in AL
	CMP	AL,00	; still 00: Escape stopped the CPU and Continue
	JZ	Next	; came back here, so wait again
	PUSH	AL	; keep the code: showing it in hexadecimal changes AL
	CALL	70	; show AL in hexadecimal at the end of the caption
	POP	AL	; the code again
	CMP	AL,0D	; Enter?
	JZ	Done	; yes: finished
	CMP	AL,08	; Backspace?
	JZ	Back
	MOV	[BL],AL	; any other key: show its character
	INC	BL	; the next place
	CMP	BL,F0	; past the third row, into the caption's row?
	JNZ	Next	; no: the next key
Done:
	HALT

Back:
	CMP	BL,C0	; at the first place there is nothing to take back
	JZ	Next
	DEC	BL	; one place back
	MOV	AL,20	; and a space over the character there
	MOV	[BL],AL
	JMP	Next

	ORG	70
; Hex: shows the code in AL as two hexadecimal digits at FA and FB.
; A byte is two hexadecimal digits of four bits each: 4B is 0100 1011.
	PUSH	AL
	SHR	AL	; shift right four times: the high four bits move down
	SHR	AL	; and the low four fall out, so 4B becomes 04
	SHR	AL
	SHR	AL
	CALL	90	; 04 becomes the character 4
	MOV	[FA],AL
	POP	AL
	AND	AL,0F	; keep only the low four bits: 4B becomes 0B
	CALL	90	; 0B becomes the character B
	MOV	[FB],AL
	RET

	ORG	90
; Digit: turns AL = 00..0F into the code of its character, 0..9 or A..F.
	CMP	AL,0A
	JS	Decimal	; 00..09 become the codes 30..39
	ADD	AL,07	; 0A..0F: A comes 7 codes after the one after 9
Decimal:
	ADD	AL,30
	RET

	END
