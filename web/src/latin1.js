// A source as the workbench keeps it: Latin-1 bytes, one character a byte, CR LF, LF or CR
// ending a line. The editor holds "\n" line ends; saving writes CR LF after every line.

// The assembler reads no more of a source than this.
export const MaxSourceBytes = 32768;

const ByteOrderMark = [0xef, 0xbb, 0xbf];

export function textOfBytes(bytes) {
  let text = '';
  const chunk = 8192;
  for (let i = 0; i < bytes.length; i += chunk) {
    text += String.fromCharCode.apply(null, bytes.subarray(i, i + chunk));
  }
  return text;
}

function withoutByteOrderMark(bytes) {
  const marked = ByteOrderMark.every((b, i) => bytes[i] === b);
  return marked ? bytes.subarray(ByteOrderMark.length) : bytes;
}

export function editorTextOfFileBytes(bytes) {
  return textOfBytes(withoutByteOrderMark(bytes)).replace(/\r\n?/g, '\n');
}

// A character the machine cannot hold (beyond Latin-1) is saved as a question mark.
export function savedBytesOfEditorText(text) {
  const lines = text.split('\n');
  if (lines[lines.length - 1] === '') {
    lines.pop();
  }
  const saved = lines.map((line) => line + '\r\n').join('');
  const bytes = new Uint8Array(saved.length);
  for (let i = 0; i < saved.length; ++i) {
    const code = saved.charCodeAt(i);
    bytes[i] = code > 0xff ? 0x3f : code;
  }
  return bytes;
}

// Control bytes a text file never holds; tab, line breaks, form feed and the old end-of-file
// mark are text.
function isBinaryByte(b) {
  return b < 0x20 && b !== 0x09 && b !== 0x0a && b !== 0x0d && b !== 0x0c && b !== 0x1a;
}

// Why a file cannot be opened as a source, or null when it can.
export function refusalOfSourceFile(name, bytes) {
  if (bytes.length > MaxSourceBytes) {
    return `${name} is larger than 32 KB and is not a source this machine can hold.`;
  }
  if (bytes.some(isBinaryByte)) {
    return `${name} is a binary file, not a source file.`;
  }
  return null;
}
