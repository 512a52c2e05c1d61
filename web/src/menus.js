// The menu bar, built from the menu table: a click opens a menu, a click on an item runs
// its command, Escape or a click elsewhere closes it.
import { Menus, withoutMnemonic } from './commands.js';
import { captionNodes } from './topPanel.js';

export class MenuBar {
  constructor(parent, run) {
    this.run = run;
    this.bar = document.createElement('nav');
    this.bar.className = 'menu-bar';
    this.bar.setAttribute('role', 'menubar');
    this.bar.setAttribute('aria-label', 'Menus');
    this.items = {};
    for (const [caption, entries] of Menus) this.bar.append(this.buildMenu(caption, entries));
    document.addEventListener('pointerdown', (e) => {
      if (!this.bar.contains(e.target)) this.closeAll();
    });
    parent.append(this.bar);
  }

  buildMenu(caption, entries) {
    const holder = document.createElement('div');
    holder.className = 'menu';
    const title = document.createElement('button');
    title.className = 'menu-title';
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'true');
    title.setAttribute('aria-label', withoutMnemonic(caption));
    title.append(...captionNodes(caption));
    const list = document.createElement('div');
    list.className = 'menu-list';
    list.setAttribute('role', 'menu');
    list.setAttribute('aria-label', withoutMnemonic(caption));
    list.hidden = true;
    for (const entry of entries) list.append(entry ? this.buildItem(entry) : this.separator());
    title.addEventListener('click', () => {
      const open = list.hidden;
      this.closeAll();
      list.hidden = !open;
      if (open) list.querySelector('button')?.focus();
    });
    list.addEventListener('keydown', (e) => this.moveFocus(e, list));
    holder.append(title, list);
    return holder;
  }

  buildItem([caption, key, command]) {
    const item = document.createElement('button');
    item.className = 'menu-item';
    item.setAttribute('role', 'menuitem');
    item.setAttribute('aria-label', withoutMnemonic(caption));
    const text = document.createElement('span');
    text.append(...captionNodes(caption));
    const keyText = document.createElement('span');
    keyText.className = 'menu-key';
    keyText.textContent = key;
    item.append(text, keyText);
    item.addEventListener('click', () => {
      this.closeAll();
      this.run(command);
    });
    this.items[command] = item;
    return item;
  }

  separator() {
    const line = document.createElement('hr');
    line.setAttribute('role', 'separator');
    return line;
  }

  moveFocus(e, list) {
    const items = [...list.querySelectorAll('button:not([hidden])')];
    const at = items.indexOf(document.activeElement);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      e.preventDefault();
      const step = e.key === 'ArrowDown' ? 1 : items.length - 1;
      items[(at + step) % items.length]?.focus();
    } else if (e.key === 'Escape') {
      e.stopPropagation();
      this.closeAll();
    }
  }

  closeAll() {
    for (const list of this.bar.querySelectorAll('.menu-list')) list.hidden = true;
  }

  // The recent files under the File menu's item, newest first.
  showRecentFiles(names, open) {
    const item = this.items.recent;
    item.parentElement.querySelectorAll('.recent-file').forEach((e) => e.remove());
    item.hidden = names.length === 0;
    item.disabled = true;
    const entries = names.map((name, index) => {
      const entry = document.createElement('button');
      entry.className = 'menu-item recent-file';
      entry.setAttribute('role', 'menuitem');
      entry.textContent = `${index + 1} ${name}`;
      entry.addEventListener('click', () => {
        this.closeAll();
        open(index);
      });
      return entry;
    });
    item.after(...entries);
  }
}
