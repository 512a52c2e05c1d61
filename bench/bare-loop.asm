; The loop of bare-loop.c, for corvane-cli run to step.
L:
	INC	AL
	ADD	BL,01
	CMP	AL,00
	JNZ	L
	JMP	L
END
