// A student at the page: finds every control by the name a screen reader hears, types,
// clicks and reads what the page shows.
import { eventually } from './wait.mjs';

const RegisterNames = ['AL', 'BL', 'CL', 'DL', 'IP', 'SP', 'SR'];

export class Student {
  constructor(page) {
    this.page = page;
  }

  async click(name) {
    await this.page.getByRole('button', { name, exact: true }).click();
  }

  get editor() {
    return this.page.getByRole('textbox', { name: 'Source Code' });
  }

  // Replaces the editor's text as a student would: select all, then type over it. Focus, not
  // a click: a panel may lie over the editor's middle.
  async typeProgram(text) {
    await this.editor.focus();
    await this.page.keyboard.press('Control+A');
    await this.page.keyboard.press('Delete');
    await this.page.keyboard.insertText(text);
    await eventually(() => this.editorText(), (typed) => typed === text, 'the typed program');
  }

  // Types at the end of the editor's text.
  async typeAtEnd(text) {
    await this.editor.focus();
    await this.page.keyboard.press('Control+End');
    await this.page.keyboard.type(text);
  }

  // The whole text, also the lines the editor has not drawn.
  editorText() {
    return this.page.evaluate(() => window.corvane.editor.text);
  }

  // The register's label, whose accessible name is its text: "AL 00000000 00 +000".
  register(name) {
    return this.page.getByRole('note', { name: new RegExp(`^${name} `) });
  }

  async registers() {
    const texts = [];
    for (const name of RegisterNames) {
      texts.push(await this.register(name).textContent());
    }
    return texts;
  }

  // Waits until the register holds the value, given as two hexadecimal digits.
  async expectRegister(name, hexValue) {
    await eventually(
      () => this.register(name).textContent(),
      (text) => text.split(' ')[2] === hexValue,
      `${name} = ${hexValue}`,
    );
  }

  get statusLine() {
    return this.page.getByRole('status', { name: 'Status line' });
  }

  async expectStatus(part) {
    await eventually(() => this.statusLine.textContent(), (text) => text.includes(part), part);
  }

  get clockCaption() {
    return this.page.getByTitle('CPU CLOCK: INTERVAL AND STEPS A SECOND');
  }

  // Faster until the clock is at its fastest, 2 ms a step.
  async chooseFastestClock() {
    while (!(await this.clockCaption.textContent()).startsWith('2 ms')) {
      await this.click('Faster');
    }
  }

  async writeRunLog() {
    await this.page.getByRole('checkbox', { name: 'Write Run Log' }).check();
  }

  async openTab(name) {
    await this.page.getByRole('tab', { name, exact: true }).click();
  }

  // Also while another tab is in front: STOP brings the source back, as on the desktop.
  async runLogLines() {
    const pane = this.page.getByRole('tabpanel', { name: 'Run Log', includeHidden: true });
    const text = await pane.textContent();
    return text.split('\n').filter(Boolean);
  }

  // The RAM view's 256 cells in its hexadecimal view, "00" for a cell never written.
  async ramCells() {
    const view = this.page.getByRole('dialog', { name: /^RAM / });
    await view.getByRole('radio', { name: 'X Hexadecimal' }).check();
    return view.getByRole('grid', { name: 'RAM' }).locator('.ram-cell').allTextContents();
  }

  // Waits for the message box and closes it with OK; its text.
  async dismissMessage(icon) {
    const box = this.page.getByRole('dialog', { name: icon, exact: true });
    const text = await box.locator('.message-text').textContent();
    await box.getByRole('button', { name: 'OK' }).click();
    return text;
  }

  // A device window's picture, by the device's window name.
  picture(device) {
    return this.page.locator(`[data-window="${device}"] canvas`);
  }

  // The device's hot areas in picture pixels, [] while the engine draws no picture of it.
  hotAreas(device) {
    return this.page.evaluate((name) => {
      const session = window.corvane.session;
      return session.DevicePicture ? Array.from(session.DevicePicture(name).areas) : [];
    }, device);
  }

  // Clicks the middle of the picture's hot area that does `action`, as drawn on the page.
  async clickHotArea(device, action) {
    const area = (await this.hotAreas(device)).find((a) => a.action === action);
    if (!area) throw new Error(`${device} has no hot area for action ${action}`);
    const canvas = this.picture(device);
    const scale = await canvas.evaluate((c) => c.getBoundingClientRect().width / c.width);
    const { left, top, right, bottom } = area.box;
    await canvas.click({ position: { x: ((left + right) / 2) * scale, y: ((top + bottom) / 2) * scale } });
  }

  // What a screen reader hears of the device: its state in words.
  deviceWords(device) {
    return this.picture(device).getAttribute('aria-label');
  }
}
