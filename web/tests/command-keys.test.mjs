// Every key the page shows in a menu or a hint does one thing, and none is a key the
// browser keeps for itself.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { CommandButtons, Menus, commandKeys, keyOfEvent, mnemonicKey, withoutMnemonic } from '../src/commands.js';
import { TabCaptions } from '../src/tabs.js';

const captions = [
  ...CommandButtons.map((b) => [b.caption, b.command]),
  ...Object.entries(TabCaptions).map(([name, caption]) => [caption, `tab:${name}`]),
];

test('no two commands share a key', () => {
  const all = [...Menus.flatMap(([, items]) => items.filter((i) => i && i[1]).map((i) => i[1])),
    ...captions.map(([caption]) => mnemonicKey(caption)).filter(Boolean)];
  const once = new Set(all);
  assert.equal(once.size, all.length, all.filter((k, i) => all.indexOf(k) !== i).join(', '));
  assert.equal(Object.keys(commandKeys(captions)).length, once.size + 2); // with F9 and Escape
});

test('no key the browser keeps', () => {
  const kept = ['Ctrl+N', 'Ctrl+W', 'Ctrl+T', 'Ctrl+R', 'F5', 'Ctrl+Q', 'F11', 'F12'];
  for (const key of Object.keys(commandKeys(captions))) {
    assert.ok(!kept.includes(key), key);
    assert.ok(!/^Alt\+[A-Z]$/.test(key), key);
  }
});

test('key events are named as the menus show keys', () => {
  const cases = [
    [{ key: 'o', code: 'KeyO', ctrlKey: true }, 'Ctrl+O'],
    [{ key: 'N', code: 'KeyN', ctrlKey: true, altKey: true }, 'Ctrl+Alt+N'],
    [{ key: 'Ï', code: 'KeyX', altKey: true, shiftKey: true }, 'Alt+Shift+X'],
    [{ key: 'F9', code: 'F9' }, 'F9'],
    [{ key: 'Escape', code: 'Escape' }, 'Escape'],
  ];
  for (const [event, name] of cases) assert.equal(keyOfEvent(event), name);
});

test('accessible names are the captions without the mnemonic mark', () => {
  assert.deepEqual(CommandButtons.map((b) => withoutMnemonic(b.caption)), [
    'Assemble', 'Step', 'Run F9', 'Slower', 'Faster', 'STOP', 'Continue', 'Cpu Reset', 'Show Ram', 'Step Back F7',
  ]);
});
