// The panel over the tabs: the register labels with their yellow marks and the flags, the
// picture buttons, the command buttons, the status line, the clock and the RUNNING mark, and
// the two log switches.
import { CommandButtons, ToolButtons, withoutMnemonic, mnemonicKey } from './commands.js';
import { toolPicture } from './toolPictures.js';

const RegisterHints = [
  'General Purpose Register', 'General Purpose Register', 'General Purpose Register',
  'General Purpose Register', 'Instruction Pointer', 'Stack Pointer', 'Status Register',
];
const RegisterNames = ['AL', 'BL', 'CL', 'DL', 'IP', 'SP', 'SR'];
const StatusStyles = ['Progress', 'Error', 'Instruction', 'Halted', 'Blank'];

function element(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

// A caption with its mnemonic letter underlined, as the desktop draws it.
export function captionNodes(caption) {
  const at = caption.indexOf('&');
  if (at < 0) return [document.createTextNode(caption)];
  return [
    document.createTextNode(caption.slice(0, at)),
    element('u', '', caption[at + 1]),
    document.createTextNode(caption.slice(at + 2)),
  ];
}

function checkBox(caption, hint) {
  const label = element('label', 'switch');
  label.title = `${hint}   ${mnemonicKey(caption).toUpperCase()}`;
  const box = element('input');
  box.type = 'checkbox';
  const text = element('span');
  text.append(...captionNodes(caption));
  label.append(box, text);
  return { label, box };
}

export const SwitchCaptions = { runLog: '&Write Run Log', asmLog: 'Log Assem&bler Activity' };

export class TopPanel {
  constructor(parent, { run, keyHints }) {
    this.panel = element('div', 'top-panel');
    this.panel.setAttribute('aria-label', 'Registers, buttons and status line');
    this.panel.setAttribute('role', 'group');
    this.panel.append(this.buildRegisters(), this.buildToolButtons(run), this.buildCommandButtons(run, keyHints));
    this.status = element('div', 'status-line status-Blank');
    this.status.setAttribute('role', 'status');
    this.status.setAttribute('aria-live', 'polite');
    this.status.setAttribute('aria-label', 'Status line');
    this.runLog = checkBox(SwitchCaptions.runLog, 'TOGGLE CPU LOGGING ON/OFF');
    this.asmLog = checkBox(SwitchCaptions.asmLog, 'WATCH ASSEMBLER ACTIVITY');
    this.clock = element('span', 'clock');
    this.clock.title = 'CPU CLOCK: INTERVAL AND STEPS A SECOND';
    this.running = element('span', 'running', 'RUNNING');
    this.running.hidden = true;
    const bottom = element('div', 'switch-row');
    bottom.append(this.runLog.label, this.asmLog.label, this.clock, this.running);
    this.panel.append(this.status, bottom);
    parent.append(this.panel);
  }

  // The clock stands under Slower and Faster, as on the desktop. Placing it reads the layout:
  // the workbench does it once the whole page is built, so the page is laid out only once.
  placeClock() {
    const slower = this.commandButtons.slower;
    this.clock.style.left = `${slower.offsetLeft}px`;
  }

  buildRegisters() {
    const boxes = element('div', 'register-boxes');
    const left = element('div', 'register-box');
    left.setAttribute('aria-label', 'Registers AL, BL, CL and DL');
    const right = element('div', 'register-box');
    right.setAttribute('aria-label', 'Registers IP, SP and SR');
    this.registers = RegisterNames.map((name, index) => {
      const label = element('div', 'register');
      label.title = RegisterHints[index];
      label.setAttribute('role', 'note');
      (index < 4 ? left : right).append(label);
      return label;
    });
    const flags = element('div', 'register flags', '      ISOZ');
    flags.title = 'Status Flags';
    right.append(flags);
    boxes.append(left, right);
    return boxes;
  }

  buildToolButtons(run) {
    const grid = element('div', 'tool-buttons');
    for (const entry of ToolButtons) {
      const button = element('button', 'tool-button');
      button.innerHTML = toolPicture(entry.command);
      button.title = entry.hint;
      button.setAttribute('aria-label', entry.hint.replace(/\s+/g, ' '));
      button.tabIndex = -1;
      button.style.gridColumn = String((entry.x - 288) / 24 + 1);
      button.style.gridRow = String(Math.round((entry.y - 3) / 23) + 1);
      button.addEventListener('click', () => run(entry.command));
      grid.append(button);
    }
    return grid;
  }

  buildCommandButtons(run, keyHints) {
    const grid = element('div', 'command-buttons');
    this.commandButtons = {};
    for (const entry of CommandButtons) {
      const button = element('button', 'command-button');
      button.append(...captionNodes(entry.caption));
      button.setAttribute('aria-label', withoutMnemonic(entry.caption));
      const keys = keyHints[entry.command];
      button.title = keys ? `${entry.hint}   ${keys.join(', ').toUpperCase()}` : entry.hint;
      button.style.gridColumn = String(entry.column + 1);
      button.style.gridRow = String(entry.row + 1);
      button.addEventListener('click', () => run(entry.command));
      this.commandButtons[entry.command] = button;
      grid.append(button);
    }
    return grid;
  }

  // The label's text is its accessible name, as a screen reader reads the desktop's.
  showRegisters(texts, marked) {
    texts.forEach((text, index) => {
      const label = this.registers[index];
      if (label.textContent !== text) {
        label.textContent = text;
        label.setAttribute('aria-label', text);
      }
      label.classList.toggle('changed', Boolean(marked[index]));
    });
  }

  showStatus({ style, text }) {
    this.status.textContent = text;
    for (const s of StatusStyles) this.status.classList.toggle(`status-${s}`, s === style);
  }

  showClock(caption) {
    this.clock.textContent = caption;
  }

  showRunning(running) {
    this.running.hidden = !running;
  }
}
