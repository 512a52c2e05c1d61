; Lift: serve a call from the top floor. The car waits at the bottom floor
; until the top call button is lit, then goes up, stops at the top floor
; and resets the button. Near a floor the car creeps a pixel every half
; second and crashes two pixels past it, so run this with a fast clock.
;
; IN 06:  01 motor up    02 motor down    04 car at the top
;         08 car at the bottom    10 bottom call    20 top call
; OUT 06 sets the motor bits; a call bit written as 0 resets its button.

	MOV	AL,20	; a passenger upstairs calls the lift:
	OUT	06	; bit 5 lights the top button as a click would
Wait:
	IN	06	; the lift's state
	AND	AL,20	; top call lit?
	JZ	Wait	; no: keep waiting
	MOV	AL,21	; motor up, the call still lit
	OUT	06
Rise:
	IN	06
	AND	AL,04	; at the top floor?
	JZ	Rise	; not yet
	MOV	AL,00	; motor off, the call served
	OUT	06
	END
