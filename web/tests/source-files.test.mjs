// Sources keep their bytes: Latin-1 in and out, CR LF written after every line, and files
// that are no source refused with a message.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  editorTextOfFileBytes, savedBytesOfEditorText, refusalOfSourceFile, textOfBytes, MaxSourceBytes,
} from '../src/latin1.js';

const bytes = (...list) => new Uint8Array(list.flat());
const ascii = (text) => [...text].map((c) => c.charCodeAt(0));

test('every byte 0x20..0xFF survives opening and saving unchanged', () => {
  const line = Array.from({ length: 0xe0 }, (_, i) => 0x20 + i);
  const file = bytes(line, 0x0d, 0x0a);
  assert.deepEqual(savedBytesOfEditorText(editorTextOfFileBytes(file)), file);
});

test('line ends as the editor holds them and as saving writes them', () => {
  const cases = [
    { file: 'A\r\nB\r\n', editor: 'A\nB\n', saved: 'A\r\nB\r\n' },
    { file: 'A\nB', editor: 'A\nB', saved: 'A\r\nB\r\n' },
    { file: 'A\rB\r', editor: 'A\nB\n', saved: 'A\r\nB\r\n' },
    { file: 'A\r\n\r\nB', editor: 'A\n\nB', saved: 'A\r\n\r\nB\r\n' },
    { file: '', editor: '', saved: '' },
    { file: '\xef\xbb\xbfMOV', editor: 'MOV', saved: 'MOV\r\n' },
  ];
  for (const { file, editor, saved } of cases) {
    const text = editorTextOfFileBytes(bytes(ascii(file)));
    assert.equal(text, editor, JSON.stringify(file));
    assert.equal(textOfBytes(savedBytesOfEditorText(text)), saved, JSON.stringify(file));
  }
});

test('a character beyond Latin-1 typed in the editor is saved as a question mark', () => {
  assert.deepEqual(savedBytesOfEditorText('A€é'), bytes(0x41, 0x3f, 0xe9, 0x0d, 0x0a));
});

test('a large source reads whole', () => {
  const big = new Uint8Array(20000).fill(0x41);
  assert.equal(editorTextOfFileBytes(big).length, 20000);
});

test('files that are no source are refused with a message that names them', () => {
  const cases = [
    { bytes: new Uint8Array(MaxSourceBytes).fill(0x41), refusal: null },
    { bytes: new Uint8Array(MaxSourceBytes + 1).fill(0x41),
      refusal: 'a.asm is larger than 32 KB and is not a source this machine can hold.' },
    { bytes: bytes(0x4d, 0x00, 0x4f), refusal: 'a.asm is a binary file, not a source file.' },
    { bytes: bytes(0x7f, 0x45, 0x4c, 0x46, 0x02), refusal: 'a.asm is a binary file, not a source file.' },
    { bytes: bytes(ascii('\tMOV AL,1\f\r\n\x1a')), refusal: null },
  ];
  for (const { bytes: file, refusal } of cases) {
    assert.equal(refusalOfSourceFile('a.asm', file), refusal);
  }
});
