// Floating panels for the tool windows: a title bar to drag them by, a close box, and a body.
// A panel is named by its caption, as the desktop's windows are.

let topmost = 10;

export class Panel {
  constructor({ name, caption, place, closable = true, onMoved, onClosed }) {
    this.name = name;
    this.onMoved = onMoved;
    this.onClosed = onClosed;
    this.element = document.createElement('section');
    this.element.className = 'panel';
    this.element.hidden = true;
    this.element.setAttribute('role', 'dialog');
    this.element.dataset.window = name;
    this.titleBar = document.createElement('div');
    this.titleBar.className = 'panel-title';
    this.titleText = document.createElement('span');
    this.titleBar.append(this.titleText);
    if (closable) {
      const close = document.createElement('button');
      close.className = 'panel-close';
      close.textContent = '×';
      close.setAttribute('aria-label', 'Close');
      close.addEventListener('click', () => this.onClosed?.(this.name));
      this.titleBar.append(close);
    }
    this.body = document.createElement('div');
    this.body.className = 'panel-body';
    this.element.append(this.titleBar, this.body);
    this.setCaption(caption);
    this.moveTo(place);
    this.followDrags();
    this.element.addEventListener('pointerdown', () => this.raise(), true);
    document.body.append(this.element);
  }

  setCaption(caption) {
    this.titleText.textContent = caption;
    this.element.setAttribute('aria-label', caption);
  }

  moveTo({ x, y }) {
    this.x = Math.max(0, x);
    this.y = Math.max(0, y);
    this.element.style.left = `${this.x}px`;
    this.element.style.top = `${this.y}px`;
  }

  get visible() {
    return !this.element.hidden;
  }

  show() {
    if (!this.visible) {
      this.element.hidden = false;
      this.keepOnPage();
    }
    this.raise();
  }

  hide() {
    this.element.hidden = true;
  }

  raise() {
    this.element.style.zIndex = String(++topmost);
  }

  // A panel left outside a smaller page comes back into it.
  keepOnPage() {
    const right = window.innerWidth - this.element.offsetWidth;
    const bottom = window.innerHeight - this.element.offsetHeight;
    this.moveTo({ x: Math.min(this.x, Math.max(0, right)), y: Math.min(this.y, Math.max(0, bottom)) });
  }

  followDrags() {
    this.titleBar.addEventListener('pointerdown', (down) => {
      if (down.button !== 0 || down.target.closest('button')) return;
      const from = { x: down.clientX - this.x, y: down.clientY - this.y };
      this.titleBar.setPointerCapture(down.pointerId);
      const move = (e) => this.moveTo({ x: e.clientX - from.x, y: e.clientY - from.y });
      const up = () => {
        this.titleBar.removeEventListener('pointermove', move);
        this.titleBar.removeEventListener('pointerup', up);
        this.onMoved?.(this.name, { x: this.x, y: this.y });
      };
      this.titleBar.addEventListener('pointermove', move);
      this.titleBar.addEventListener('pointerup', up);
    });
  }
}
