// The editor colours a line's words by their class, as the desktop's highlighter does.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { classifyLine } from '../src/sourceClasses.js';

const classes = (line) => classifyLine(line).map(({ start, length, cls }) => `${line.substr(start, length)}:${cls}`);

test('the classes of the words of a line', () => {
  const cases = [
    ['\tmov al,15 ; AL = 15', ['mov:mnemonic', 'al:register', '15:number', '; AL = 15:comment']],
    ['start: JMP start', ['start::label', 'JMP:mnemonic', 'start:labelReference']],
    ['\tjz 10', ['jz:mnemonic', '10:labelReference']],
    ['\tCALL 30', ['CALL:mnemonic', '30:number']],
    ['\tMOV [AL],BL', ['MOV:mnemonic', 'AL:register', 'BL:register']],
    ['\tDB "Hi; there"', ['DB:directive', '"Hi; there":string']],
    ['\tDB "open', ['DB:directive', '"open:string']],
    ['; a comment MOV AL,1', ['; a comment MOV AL,1:comment']],
    ['\tMOV AL,100', ['MOV:mnemonic', 'AL:register']],
    ['\tORG 50;x', ['ORG:directive', '50:number', ';x:comment']],
    ['END', ['END:directive']],
  ];
  for (const [line, expected] of cases) {
    assert.deepEqual(classes(line), expected, line);
  }
});
