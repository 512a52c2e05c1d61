; Thermostat, a correct solution: keeps the room at 22 degrees. The heater's
; thermostat (IN 03, bit 0) reports once the room is 22 degrees or warmer;
; below that the heater goes on (OUT 03, bit 7), above it off.

Loop:
	IN	03	; bit 0: warm enough?
	AND	AL,01
	JNZ	Warm
	MOV	AL,80	; too cold: heater on
	OUT	03
	JMP	Loop
Warm:
	MOV	AL,00	; warm enough: heater off
	OUT	03
	JMP	Loop
	END
