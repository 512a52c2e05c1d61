// The device windows as floating panels: each draws its device's picture on a canvas, takes
// clicks on the picture's hot areas and, for the keyboard and the keypad, typed keys.
import { keyCodeOf } from './keys.js';

// The keys a window takes, as the desktop's windows take them, to the action of the hot
// area each stands for: the heater's arrows a degree warmer or cooler; on the keypad and the
// on-screen keyboard the key with the typed character, read as IN 00 reads it.
const HeaterKeys = { ArrowUp: 1, ArrowDown: 2 };
const NoAction = -1;

function typedKeyTaker(window) {
  return (e, session) => {
    const code = keyCodeOf(e);
    const action = code === null ? NoAction : session.TypedKeyAction(window, code);
    return action === NoAction ? null : action;
  };
}

const KeyTakers = {
  Heater: ({ key }) => HeaterKeys[key] ?? null,
  Keypad: typedKeyTaker('Keypad'),
  Keyboard: typedKeyTaker('Keyboard'),
};

export class DevicePanel {
  constructor(panel, { window, session, painter }) {
    this.panel = panel;
    this.window = window;
    this.session = session;
    this.painter = painter;
    this.canvas = document.createElement('canvas');
    this.canvas.className = 'device-picture';
    this.canvas.setAttribute('role', 'img');
    this.words = document.createElement('p');
    this.words.className = 'device-words';
    this.words.setAttribute('aria-live', 'off');
    panel.body.append(this.canvas, this.words);
    this.canvas.addEventListener('click', (e) => this.click(e));
    const taker = KeyTakers[window];
    if (taker) {
      panel.element.tabIndex = 0;
      panel.element.addEventListener('keydown', (e) => this.key(e, taker));
    }
  }

  redraw() {
    if (!this.panel.visible) return;
    if (this.painter) {
      this.picture = this.session.DevicePicture(this.window);
      this.painter.draw(this.canvas, this.picture);
    }
    const words = this.session.DeviceWords(this.window);
    this.canvas.setAttribute('aria-label', words);
    this.words.textContent = words;
  }

  click(e) {
    const box = this.canvas.getBoundingClientRect();
    const x = ((e.clientX - box.left) * this.canvas.width) / box.width;
    const y = ((e.clientY - box.top) * this.canvas.height) / box.height;
    const action = this.picture ? this.painter.actionAt(this.picture, x, y) : null;
    // The on-screen keyboard's first key has the action 0.
    if (action !== null) {
      this.session.DeviceAction(this.window, action);
      this.redraw();
    }
  }

  key(e, taker) {
    const action = taker(e, this.session);
    if (action !== null && this.session.DeviceAction(this.window, action)) {
      e.preventDefault();
      e.stopPropagation();
      this.redraw();
    }
  }
}
