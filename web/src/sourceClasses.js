// The classes of a source line's words, as the desktop editor colours them: the line is cut
// into tokens as the assembler cuts it, and each token's text says its class.

const Mnemonics = new Set(
  ('ADD AND CALL CLI CLO CMP DEC DIV HALT IN INC INT IRET JMP JNO JNS JNZ JO JS JZ MOD MOV ' +
    'MUL NOP NOT OR OUT POP POPF PUSH PUSHF RET ROL ROR SHL SHR STI SUB XOR').split(' '),
);
const Jumps = new Set(['JMP', 'JZ', 'JNZ', 'JS', 'JNS', 'JO', 'JNO']);
const Directives = new Set(['ORG', 'DB', 'END']);
const Registers = new Set(['AL', 'BL', 'CL', 'DL']);

// Tokens of one line: {start, length, kind: "word"|"sign"|"string"|"comment", text}.
export function tokensOfLine(line) {
  const tokens = [];
  let p = 0;
  while (p < line.length) {
    const c = line[p];
    if (c === ' ' || c === '\t') {
      ++p;
    } else if (c === ';') {
      tokens.push({ start: p, length: line.length - p, kind: 'comment', text: line.slice(p) });
      p = line.length;
    } else if (c === '"') {
      const close = line.indexOf('"', p + 1);
      const end = close < 0 ? line.length : close + 1;
      tokens.push({ start: p, length: end - p, kind: 'string', text: line.slice(p, end) });
      p = end;
    } else if (c === ',' || c === '[' || c === ']') {
      tokens.push({ start: p, length: 1, kind: 'sign', text: c });
      ++p;
    } else {
      const end = p + line.slice(p).search(/[ \t",[\];]|$/);
      tokens.push({ start: p, length: end - p, kind: 'word', text: line.slice(p, end).toUpperCase() });
      p = end;
    }
  }
  return tokens;
}

const isHexNumber = (word) => /^[0-9A-F]{1,2}$/.test(word);

// A word after a jump's mnemonic names a label, whatever it looks like.
function classOfWord(word, afterJump) {
  if (Directives.has(word)) return 'directive';
  if (Mnemonics.has(word)) return 'mnemonic';
  if (afterJump) return 'labelReference';
  if (Registers.has(word)) return 'register';
  if (word.endsWith(':')) return 'label';
  return isHexNumber(word) ? 'number' : null;
}

function classOf(token, afterJump) {
  if (token.kind === 'word') return classOfWord(token.text, afterJump);
  if (token.kind === 'string') return 'string';
  return token.kind === 'comment' ? 'comment' : null;
}

// The coloured spans of a line: [{start, length, cls}].
export function classifyLine(line) {
  const spans = [];
  let afterJump = false;
  for (const token of tokensOfLine(line)) {
    const cls = classOf(token, afterJump);
    if (cls) {
      spans.push({ start: token.start, length: token.length, cls });
    }
    afterJump = token.kind === 'word' && Jumps.has(token.text);
  }
  return spans;
}
