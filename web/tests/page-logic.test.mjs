// The page's own rules: keys for IN 00, settings read back from storage whatever it holds,
// and the run log's cap.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { keyCodeOf } from '../src/keys.js';
import { parseSettings, loadSettings, saveSettings, withRecentFile, MaxRecentFiles } from '../src/settings.js';
import { keptLines, linesAfterStepBack } from '../src/runLog.js';
import { cellText } from '../src/ramView.js';
import { FrameClock } from '../src/frameClock.js';

test('the code each key gives the program at IN 00', () => {
  const cases = [
    [{ key: 'a' }, 0x61], [{ key: 'A' }, 0x41], [{ key: 'é' }, 0xe9], [{ key: ' ' }, 0x20],
    [{ key: 'Enter' }, 0x0d], [{ key: 'Enter', ctrlKey: true }, 0x0a], [{ key: 'Escape' }, 0x1b],
    [{ key: 'Backspace' }, 0x08], [{ key: 'Tab' }, 0x09], [{ key: 'c', ctrlKey: true }, 0x03],
    [{ key: '[', ctrlKey: true }, 0x1b], [{ key: '}', ctrlKey: true }, 0x1d],
    [{ key: 'Shift' }, null], [{ key: 'F2' }, null], [{ key: '€' }, null], [{ key: '1', ctrlKey: true }, null],
  ];
  for (const [event, code] of cases) {
    assert.equal(keyCodeOf({ ctrlKey: false, ...event }), code, JSON.stringify(event));
  }
});

test('garbage in storage gives the defaults, item by item', () => {
  const defaults = parseSettings(null);
  for (const stored of ['{', 'null', '42', '"text"', '[]', '{"runLog":"yes","clockInterval":-5,"places":[1]}']) {
    assert.deepEqual(parseSettings(stored), defaults, stored);
  }
  const mixed = parseSettings(JSON.stringify({
    runLog: true, clockInterval: 2, places: { Vdu: { x: 5, y: 6 }, Lift: { x: 'a' }, Maze: null },
    recentFiles: [{ name: 'a.asm', text: 'MOV' }, { name: '' }, 7, { name: 'b.asm' }],
  }));
  assert.equal(mixed.runLog, true);
  assert.equal(mixed.clockInterval, 2);
  assert.deepEqual(mixed.places, { Vdu: { x: 5, y: 6 } });
  assert.deepEqual(mixed.recentFiles, [{ name: 'a.asm', text: 'MOV' }]);
});

test('settings come back as saved, and a storage that throws loses only them', () => {
  const items = new Map();
  const storage = { getItem: (k) => items.get(k) ?? null, setItem: (k, v) => items.set(k, v) };
  const settings = { ...parseSettings(null), oneAtATime: true, timerInterval: 3000 };
  saveSettings(storage, settings);
  assert.deepEqual(loadSettings(storage), settings);
  const broken = { getItem: () => { throw new Error('denied'); }, setItem: () => { throw new Error('full'); } };
  assert.doesNotThrow(() => saveSettings(broken, settings));
  assert.deepEqual(loadSettings(broken), parseSettings(null));
});

test('recent files: newest first, each name once, at most the limit', () => {
  let files = [];
  for (let i = 0; i < MaxRecentFiles + 2; ++i) files = withRecentFile(files, { name: `${i}.asm`, text: '' });
  files = withRecentFile(files, { name: '5.asm', text: 'new' });
  assert.equal(files.length, MaxRecentFiles);
  assert.deepEqual(files[0], { name: '5.asm', text: 'new' });
  assert.equal(files.filter((f) => f.name === '5.asm').length, 1);
});

test('the run log keeps its newest lines up to its cap', () => {
  const cases = [
    { shown: ['a', 'b'], added: ['c'], cap: 5, kept: ['a', 'b', 'c'] },
    { shown: ['a', 'b', 'c'], added: ['d', 'e'], cap: 4, kept: ['b', 'c', 'd', 'e'] },
    { shown: ['a'], added: ['b', 'c', 'd', 'e', 'f'], cap: 3, kept: ['d', 'e', 'f'] },
  ];
  for (const { shown, added, cap, kept } of cases) assert.deepEqual(keptLines(shown, added, cap), kept);
});

test('a RAM cell in each view, written, assembled or absent', () => {
  const cases = [
    { cell: null, texts: ['00', ' ', 'END'] },
    { cell: { value: 0x41, hex: '41', text: 'MOV' }, texts: ['41', ' A', 'MOV'] },
    { cell: { value: 0x07, hex: '07', text: '07' }, texts: ['07', '  ', '07'] },
    { cell: { value: 0x85, hex: '85', text: '85' }, texts: ['85', '  ', '85'] },
  ];
  for (const { cell, texts } of cases) {
    assert.deepEqual([0, 1, 2].map((v) => cellText(cell, v)), texts, JSON.stringify(cell));
  }
});

test('Step Back takes the run log back to the lines written before the step', () => {
  const cases = [
    { shown: ['a', 'b', 'c'], written: 3, kept: 1, after: ['a'] },
    { shown: ['a', 'b', 'c'], written: 3, kept: 3, after: ['a', 'b', 'c'] },
    { shown: ['x', 'y'], written: 1000, kept: 999, after: ['x'] }, // older lines went at the cap
    { shown: ['x', 'y'], written: 1000, kept: 10, after: [] },
  ];
  for (const { shown, written, kept, after } of cases) {
    assert.deepEqual(linesAfterStepBack(shown, written, kept), after, JSON.stringify({ written, kept }));
  }
});

test('frames of a third of a millisecond over lose no time, and a sleep counts only the longest', () => {
  const clock = new FrameClock(0);
  let handed = 0;
  for (let frame = 1; frame <= 300; ++frame) handed += clock.take(frame * (100 / 3), 250);
  assert.equal(handed, 10000);
  assert.equal(clock.take(10000 + 5000.5, 250), 250);
  assert.equal(clock.take(10000 + 5010.25, 250), 9);
  assert.equal(clock.sinceLast(0), 0);
});
