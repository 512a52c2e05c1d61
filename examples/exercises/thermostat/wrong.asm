; Thermostat, a wrong solution: the test is the wrong way round, so
; the heater is off while the room is cold and the room never warms up.

Loop:
	IN	03	; bit 0: warm enough?
	AND	AL,01
	JZ	Warm	; wrong: jumps when the room is cold
	MOV	AL,80	; too cold: heater on
	OUT	03
	JMP	Loop
Warm:
	MOV	AL,00	; warm enough: heater off
	OUT	03
	JMP	Loop
	END
