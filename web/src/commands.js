// The workbench's buttons and menus as tables, as the desktop builds its window from them.
// A caption's "&" marks its mnemonic letter; the accessible name is the caption without it.
// Keys the browser keeps for itself (Ctrl+N, Ctrl+R, Alt+letters) have other keys here.

export const CommandButtons = [
  { caption: '&Assemble', hint: 'TRANSLATE SOURCE CODE TO MACHINE CODE', column: 0, row: 0, command: 'assemble' },
  { caption: 'Ste&p', hint: 'SINGLE STEP PROGRAM', column: 0, row: 1, command: 'step' },
  { caption: '&Run F9', hint: 'CONTINUOUS PROGRAM RUN', column: 0, row: 2, command: 'run' },
  { caption: 'S&lower', hint: 'SLOW DOWN CPU CLOCK', column: 1, row: 0, command: 'slower' },
  { caption: 'Fas&ter', hint: 'SPEED UP CPU CLOCK', column: 1, row: 1, command: 'faster' },
  { caption: 'ST&OP', hint: 'STOP CONTINUOUS RUN', column: 1, row: 2, command: 'stop' },
  { caption: 'Co&ntinue', hint: 'RESUME CONTINUOUS RUN', column: 2, row: 0, command: 'continue' },
  { caption: 'Cpu R&eset', hint: 'RESET THE CPU', column: 2, row: 1, command: 'reset' },
  { caption: 'Show Ra&m', hint: 'SHOW RAM CONTENTS', column: 2, row: 2, command: 'showRam' },
  { caption: 'Step Back F7', hint: 'UNDO THE LAST STEP', column: 3, row: 1, command: 'stepBack' },
];

// x and y are the desktop's places in the top panel.
export const ToolButtons = [
  { hint: 'FILE OPEN   CTRL+O', x: 288, y: 3, command: 'open' },
  { hint: 'ENLARGE FONT', x: 312, y: 3, command: 'enlargeFont' },
  { hint: 'SHOW VDU SCREEN', x: 336, y: 3, command: 'show:Vdu' },
  { hint: 'SHOW TRAFFIC LIGHTS', x: 360, y: 3, command: 'show:TrafficLights' },
  { hint: 'SHOW SEVEN SEGMENT DISPLAYS', x: 384, y: 3, command: 'show:SevenSegment' },
  { hint: 'CLOSE ALL PERIPHERAL WINDOWS', x: 408, y: 3, command: 'closeAll' },
  { hint: 'FILE SAVE   CTRL+S', x: 288, y: 26, command: 'save' },
  { hint: 'REDUCE FONT', x: 312, y: 26, command: 'reduceFont' },
  { hint: 'SHOW HEATER AND THERMOSTAT', x: 336, y: 26, command: 'show:Heater' },
  { hint: 'SHOW MAZE', x: 360, y: 26, command: 'show:Maze' },
  { hint: 'SHOW STEPPER MOTOR', x: 384, y: 26, command: 'show:Stepper' },
  { hint: 'FILE NEW', x: 288, y: 49, command: 'new' },
  { hint: 'BOLD FONT (Toggle)', x: 312, y: 49, command: 'boldFont' },
  { hint: 'SHOW LIFT/ELEVATOR', x: 336, y: 49, command: 'show:Lift' },
  { hint: 'SHOW KEYBOARD', x: 360, y: 49, command: 'show:Keyboard' },
  { hint: 'SHOW NUMERIC KEYPAD', x: 384, y: 49, command: 'show:Keypad' },
];

// A separator has no caption. Keys are matched by keyOfEvent's names.
export const Menus = [
  ['&File', [
    ['&New', 'Ctrl+Alt+N', 'new'],
    null,
    ['&Open', 'Ctrl+O', 'open'],
    ['&Save', 'Ctrl+S', 'save'],
    ['Save &As', 'Ctrl+Shift+S', 'saveAs'],
    null,
    ['&Print Source Code', '', 'printSource'],
    ['Print &List File', '', 'printList'],
    ['Recent &Files', '', 'recent'], // a heading over the recent files
  ]],
  ['E&dit', [
    ['&Undo', 'Ctrl+Z', 'undo'],
    ['Re&do', 'Ctrl+Y', 'redo'],
    null,
    ['&Select All', 'Ctrl+A', 'selectAll'],
    ['&Find', 'Ctrl+F', 'find'],
    ['&Replace', 'Ctrl+H', 'replace'],
  ]],
  ['&View', [
    ['Hide &All Peripherals', '', 'closeAll'],
    ['&Ram', '', 'show:RamView'],
    ['&VDU', '', 'show:Vdu'],
    ['&Traffic Lights', '', 'show:TrafficLights'],
    ['Seven Segment &Displays', '', 'show:SevenSegment'],
    ['&Heater and Thermostat', '', 'show:Heater'],
    ['&Maze', '', 'show:Maze'],
    ['&Stepper Motor', '', 'show:Stepper'],
    ['&Lift', '', 'show:Lift'],
    ['&Keyboard', '', 'show:Keyboard'],
    ['Key &Pad', '', 'show:Keypad'],
    null,
    ['RAM &Hexadecimal View', 'Alt+Shift+X', 'ramView:0'],
    ['RAM AS&CII View', 'Alt+Shift+Y', 'ramView:1'],
    ['RAM Source Code Vie&w', 'Alt+Shift+Z', 'ramView:2'],
  ]],
  ['Debug', [
    ['Toggle &Breakpoint', 'F2', 'toggleBreakpoint'],
    ['&Clear Breakpoints', '', 'clearBreakpoints'],
    ['Run to C&ursor', 'F4', 'runToCursor'],
    ['Step Bac&k', 'F7', 'stepBack'],
  ]],
  ['Window', [['&Arrange', 'Ctrl+Shift+A', 'arrange']]],
  ['Example&s', [
    ['&0 Arithmetic', '', 'example:arithmetic.asm'],
    ['&1 Loops', '', 'example:loops.asm'],
    ['&2 Lift', '', 'example:lift.asm'],
    ['&3 Text', '', 'example:text.asm'],
    ['&4 Demonstration', '', 'example:demo.asm'],
  ]],
  ['&Help', [
    ['&Contents', 'F1', 'help'],
    null,
    ['&About', '', 'about'],
  ]],
];

// Keys that act wherever the focus is, besides the menus' own.
export const GlobalKeys = { F9: 'run', Escape: 'stop' };

export const withoutMnemonic = (caption) => caption.replace('&', '');

// "Ctrl+Shift+S" and the like, as the menus show keys.
export function keyOfEvent(event) {
  const parts = [];
  if (event.ctrlKey || event.metaKey) parts.push('Ctrl');
  if (event.altKey) parts.push('Alt');
  if (event.shiftKey) parts.push('Shift');
  const key = event.key.length === 1 ? event.key.toUpperCase() : event.key;
  parts.push(event.code?.startsWith('Key') ? event.code.slice(3) : key);
  return parts.join('+');
}

// Alt with a letter belongs to the browser in some browsers: a caption's mnemonic letter
// acts with Alt+Shift here.
export function mnemonicKey(caption) {
  const at = caption.indexOf('&');
  return at < 0 ? null : `Alt+Shift+${caption[at + 1].toUpperCase()}`;
}

// Every key the menus name and every mnemonic of the given captions, to its command.
export function commandKeys(captions) {
  const keys = { ...GlobalKeys };
  for (const [, items] of Menus) {
    for (const item of items) {
      if (item && item[1]) keys[item[1]] = item[2];
    }
  }
  for (const [caption, command] of captions) {
    const key = mnemonicKey(caption);
    if (key) keys[key] = command;
  }
  return keys;
}

// The keys of each command, as the buttons' hints show them.
export function keysOfCommands(keys) {
  const hints = {};
  for (const [key, command] of Object.entries(keys)) hints[command] = [...(hints[command] ?? []), key];
  return hints;
}
