// Which windows stay open when another opens: the one-at-a-time rule and the close list.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { OpenWindows, applyWindowCommand } from '../src/windowRules.js';

const CloseList = ['TrafficLights', 'SevenSegment', 'Heater', 'Vdu'];

function opened(...names) {
  const windows = new OpenWindows(CloseList);
  names.forEach((n) => windows.show(n, false));
  return windows;
}

const openSet = (windows) => [...windows.open].sort();

test('with one at a time on, a window closes every other device window, not the RAM view', () => {
  const windows = opened('TrafficLights', 'Heater', 'RamView');
  const change = windows.show('Vdu', true);
  assert.deepEqual(change, { closed: ['TrafficLights', 'Heater'], opened: true });
  assert.deepEqual(openSet(windows), ['RamView', 'Vdu']);
});

test('with one at a time off, windows open beside each other', () => {
  const windows = opened('TrafficLights');
  assert.deepEqual(windows.show('Heater', false), { closed: [], opened: true });
  assert.deepEqual(openSet(windows), ['Heater', 'TrafficLights']);
});

test('the report\'s window commands', () => {
  const cases = [
    { open: ['Heater'], command: { kind: 'Show', window: 'Vdu' }, oneAtATime: true, after: ['Vdu'] },
    { open: ['Heater'], command: { kind: 'ShowIfHidden', window: 'Heater' }, oneAtATime: true, after: ['Heater'] },
    { open: ['Heater', 'Vdu'], command: { kind: 'ShowIfHidden', window: 'Heater' }, oneAtATime: true, after: ['Heater', 'Vdu'] },
    { open: ['Heater'], command: { kind: 'ShowRegardless', window: 'Vdu' }, oneAtATime: true, after: ['Heater', 'Vdu'] },
    { open: ['Heater', 'Vdu'], command: { kind: 'Hide', window: 'Vdu' }, oneAtATime: false, after: ['Heater'] },
    { open: ['Heater', 'Vdu', 'RamView', 'KeyboardInput'], command: { kind: 'HideAllDevices' }, oneAtATime: false,
      after: ['KeyboardInput', 'RamView'] },
  ];
  for (const { open, command, oneAtATime, after } of cases) {
    const windows = opened(...open);
    applyWindowCommand(windows, command, oneAtATime);
    assert.deepEqual(openSet(windows), after, JSON.stringify(command));
  }
});

test('closing all closes the devices in the close list\'s order', () => {
  assert.deepEqual(opened('Vdu', 'SevenSegment', 'TrafficLights').hideAllDevices(), ['TrafficLights', 'SevenSegment', 'Vdu']);
});
