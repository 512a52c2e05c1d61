// The tabs under the top panel: Source Code, List File, Configuration, Tokens and Run Log.
import { captionNodes } from './topPanel.js';
import { mnemonicKey } from './commands.js';

export const TabCaptions = {
  source: 'So&urce Code',
  list: 'L&ist File',
  configuration: '&Configuration',
  tokens: 'To&kens',
  runLog: 'Run Lo&g',
};

function textPane(name) {
  const pane = document.createElement('pre');
  pane.className = 'text-pane';
  pane.tabIndex = 0;
  pane.setAttribute('aria-label', name);
  return pane;
}

export class Tabs {
  constructor(parent) {
    this.bar = document.createElement('div');
    this.bar.className = 'tab-bar';
    this.bar.setAttribute('role', 'tablist');
    this.bar.setAttribute('aria-label', 'Tabs');
    this.pages = {};
    this.tabs = {};
    const pages = document.createElement('div');
    pages.className = 'tab-pages';
    for (const [name, caption] of Object.entries(TabCaptions)) {
      const tab = document.createElement('button');
      tab.setAttribute('role', 'tab');
      tab.id = `tab-${name}`;
      tab.append(...captionNodes(caption));
      tab.setAttribute('aria-label', caption.replace('&', ''));
      tab.title = mnemonicKey(caption).toUpperCase();
      tab.addEventListener('click', () => this.show(name));
      const page = document.createElement('div');
      page.className = `tab-page page-${name}`;
      page.setAttribute('role', 'tabpanel');
      page.setAttribute('aria-labelledby', tab.id);
      this.bar.append(tab);
      pages.append(page);
      this.tabs[name] = tab;
      this.pages[name] = page;
    }
    this.listPane = textPane('List File');
    this.pages.list.append(this.listPane);
    this.asmLogPane = textPane('Assembler Log');
    this.asmLogPane.classList.add('asm-log');
    this.tokensPane = textPane('Tokens');
    this.tokensPane.classList.add('tokens');
    this.pages.tokens.append(this.asmLogPane, this.tokensPane);
    this.runLogPane = textPane('Run Log');
    this.pages.runLog.append(this.runLogPane);
    parent.append(this.bar, pages);
    this.show('source');
  }

  show(name) {
    for (const [n, page] of Object.entries(this.pages)) {
      page.hidden = n !== name;
      this.tabs[n].setAttribute('aria-selected', String(n === name));
    }
    this.current = name;
  }

  // The hardware timer's group and the one-at-a-time switch.
  buildConfiguration({ reduce, increase, oneAtATime }) {
    const group = document.createElement('fieldset');
    group.className = 'timer-group';
    group.title = 'INTERVAL BETWEEN HARDWARE TIMER INTERRUPTS';
    this.timerCaption = document.createElement('legend');
    const reduceButton = document.createElement('button');
    reduceButton.textContent = 'Reduce';
    reduceButton.addEventListener('click', reduce);
    const increaseButton = document.createElement('button');
    increaseButton.textContent = 'Increase';
    increaseButton.addEventListener('click', increase);
    group.append(this.timerCaption, reduceButton, increaseButton);
    const label = document.createElement('label');
    label.className = 'switch';
    label.title = 'SELECT TO MINIMISE SCREEN CLUTTER';
    this.oneAtATimeBox = document.createElement('input');
    this.oneAtATimeBox.type = 'checkbox';
    this.oneAtATimeBox.addEventListener('change', () => oneAtATime(this.oneAtATimeBox.checked));
    label.append(this.oneAtATimeBox, 'Show only one peripheral at a time');
    this.pages.configuration.append(group, label);
  }

  showTimerCaption(caption) {
    this.timerCaption.textContent = caption;
    this.timerCaption.parentElement.setAttribute('aria-label', caption);
  }
}
