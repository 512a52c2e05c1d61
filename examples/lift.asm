; Lift: answers the call buttons of the lift on port 06, again and again.
;
; Click the arrow beside a floor in the lift window to call the car there: the
; program drives the car to that floor, stops it level with the floor and puts
; the button out. To give you something to watch at once, it starts by
; pressing the top floor's button itself.
;
; Run it with the CPU clock at 62 ms: from the usual 1000 ms press Faster four
; times (500, 250, 125, 62). Here is why. Near a floor the car creeps one pixel
; every 500 ms, and it crashes two pixels past the floor's sensor, so once the
; sensor comes on the program has less than one second to switch the motor
; off. Noticing the sensor and stopping the motor can take this program eight
; instructions: the rest of one pass of the watching loop, one whole pass, and
; the three instructions that stop the motor. At 62 ms eight instructions take
; half a second, well inside the second. At 125 ms they take the whole second
; with not a moment to spare, at 250 ms two seconds and at 1000 ms eight: the
; car overshoots the floor and crashes.
;
; IN 06 reads the lift:  01 motor up        02 motor down
;                        04 car at the top  08 car at the bottom
;                        10 bottom call     20 top call
; OUT 06 writes the motor bits and the call bits: a call bit written as 1 keeps
; its button lit, written as 0 puts it out. The sensor bits cannot be written.
; Never write 03: the motor driven both ways at once crashes the lift.

	MOV	AL,20	; the top call lit and the motor off, in case an
	OUT	06	; earlier program left it running
Wait:
	IN	06	; the lift's state
	AND	AL,20	; keep only the top call: is it lit?
	JZ	Bottom	; no: look at the bottom call
	MOV	BL,04	; yes: the top floor's sensor,
	MOV	CL,01	; the motor bit that drives up,
	MOV	DL,10	; and the bottom call, which must stay as it is
	CALL	40	; serve the call
Bottom:
	IN	06
	AND	AL,10	; is the bottom call lit?
	JZ	Wait	; no: look again
	MOV	BL,08	; yes: the bottom floor's sensor,
	MOV	CL,02	; the motor bit that drives down,
	MOV	DL,20	; and the top call, which must stay as it is
	CALL	40	; serve the call
	JMP	Wait

	ORG	40
; Serve: brings the car to a floor, stops it there and puts out that floor's
; call button. BL = the floor's sensor bit, CL = the motor bit that drives the
; car towards it, DL = the other floor's call bit.
	IN	06
	AND	AL,BL	; is the car at the floor already?
	JNZ	Arrived	; yes: only the button to put out
	IN	06
	AND	AL,30	; both calls as they are, the motor bits 0
	OR	AL,CL	; and the motor on, towards the floor
	OUT	06
Moving:
	IN	06
	AND	AL,BL	; the floor's sensor?
	JZ	Moving	; not yet: keep watching, quickly
Arrived:
	IN	06	; read the calls just before writing them, so that
	AND	AL,DL	; a call made meanwhile at the other floor stays lit;
	OUT	06	; the motor stops and this floor's button goes out
	RET

	END
