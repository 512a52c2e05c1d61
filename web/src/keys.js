// The code a key gives the program waiting at IN 00, from a browser key event; null for a
// key that gives none (a shift key alone, say).

export const EscapeKey = 0x1b;

const PlainKeys = { Escape: EscapeKey, Enter: 0x0d, Backspace: 0x08, Tab: 0x09 };

// Ctrl with Enter gives a line feed; the bracket keys give the control codes after Ctrl+Z,
// shifted or not.
const ControlKeys = { Enter: 0x0a, '[': 0x1b, '{': 0x1b, '\\': 0x1c, '|': 0x1c, ']': 0x1d, '}': 0x1d };

function controlCode(key) {
  if (/^[a-zA-Z]$/.test(key)) {
    return key.toUpperCase().charCodeAt(0) - 0x40;
  }
  return ControlKeys[key] ?? null;
}

// One printable Latin-1 character; control codes come from the key, never from the text.
function printableCode(key) {
  if (key.length !== 1) {
    return null;
  }
  const code = key.charCodeAt(0);
  return code < 0x20 || code === 0x7f || code > 0xff ? null : code;
}

export function keyCodeOf({ key, ctrlKey }) {
  if (ctrlKey) {
    const code = controlCode(key);
    if (code !== null) {
      return code;
    }
  }
  if (key in PlainKeys) {
    return PlainKeys[key];
  }
  return ctrlKey ? null : printableCode(key);
}
