// The page's own rules in the browser: breakpoints from the gutter reach the engine, the RAM
// view's IP and SP marks, the one-at-a-time rule from the Configuration tab, settings kept
// over a reload, garbage in storage, the keys that stand in for the browser's own, a run that
// waits while a message box is open, and a command's effect shown at once.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { pageEachTest } from './support/pageEachTest.mjs';
import { waitForEngine } from './support/site.mjs';
import { eventually } from './support/wait.mjs';

const lines = (...text) => `${text.join('\n')}\n`;
const Loop = lines('Start:', '\tINC\tAL', '\tPUSH\tAL', '\tPOP\tBL', '\tJMP\tStart', '\tEND');

describe('the workbench page', () => {
  let page;
  let student;
  pageEachTest((opened, at) => {
    page = opened;
    student = at;
  });

  test('a breakpoint set in the gutter stops the run at its line', async () => {
    await student.typeProgram(Loop);
    await page.locator('.cm-lineNumbers .cm-gutterElement', { hasText: /^4$/ }).click();
    await page.locator('.breakpoint-gutter .breakpoint >> visible=true').waitFor();
    await student.chooseFastestClock();
    await student.click('Run F9');
    await student.expectStatus('Breakpoint at line 4');
    await student.expectRegister('IP', '04'); // POP BL, after INC AL and PUSH AL
  });

  test('the RAM view marks the cells at IP and at SP', async () => {
    await student.typeProgram(Loop);
    await student.click('Assemble');
    await student.click('Show Ram');
    await student.click('Step');
    await student.click('Step');
    const marked = (kind) => page.locator(`.ram-cell.ram-${kind}`).getAttribute('data-address');
    await eventually(() => marked('ip'), (a) => a === String(0x04), 'IP at 04');
    await eventually(() => marked('sp'), (a) => a === String(0xbe), 'SP at BE');
  });

  test('with one at a time on, a window closes the device windows open before', async () => {
    await student.openTab('Configuration');
    await page.getByRole('checkbox', { name: 'Show only one peripheral at a time' }).check();
    await student.click('SHOW TRAFFIC LIGHTS');
    await student.click('SHOW HEATER AND THERMOSTAT');
    await page.getByRole('dialog', { name: 'Heater and Thermostat' }).waitFor();
    assert.equal(await page.getByRole('dialog', { name: 'Traffic Lights on Port One' }).count(), 0);
    await student.click('Show Ram');
    assert.equal(await page.getByRole('dialog', { name: 'Heater and Thermostat' }).count(), 0);
  });

  test('the clock, the switches and a moved panel come back after a reload', async () => {
    await student.click('Faster');
    const clock = await student.clockCaption.textContent();
    await student.writeRunLog();
    await student.click('SHOW TRAFFIC LIGHTS');
    const title = page.getByRole('dialog', { name: 'Traffic Lights on Port One' }).locator('.panel-title');
    const box = await title.boundingBox();
    await page.mouse.move(box.x + 40, box.y + 8);
    await page.mouse.down();
    await page.mouse.move(box.x + 140, box.y + 108, { steps: 4 });
    await page.mouse.up();
    await page.reload();
    await waitForEngine(page);
    assert.equal(await student.clockCaption.textContent(), clock);
    assert.ok(await page.getByRole('checkbox', { name: 'Write Run Log' }).isChecked());
    await student.click('SHOW TRAFFIC LIGHTS');
    const moved = await title.boundingBox();
    assert.deepEqual([moved.x, moved.y], [box.x + 100, box.y + 100]);
  });

  test('garbage in the stored settings leaves the page as it starts', async () => {
    const fresh = await student.clockCaption.textContent();
    for (const stored of ['{', '[1,2]', '{"clockInterval":"fast","places":{"Vdu":7},"recentFiles":[null]}']) {
      await page.evaluate((text) => localStorage.setItem('corvane.settings', text), stored);
      await page.reload();
      await waitForEngine(page);
      assert.equal(await student.clockCaption.textContent(), fresh, stored);
    }
  });

  test('the keys in place of the browser\'s own: New, a caption\'s letter, a RAM view', async () => {
    await student.typeProgram(Loop);
    await page.keyboard.press('Alt+Shift+A'); // Assemble
    await student.expectStatus('Success.');
    await page.keyboard.press('Alt+Shift+Z');
    await page.getByRole('dialog', { name: 'RAM Source Code View' }).waitFor();
    await page.keyboard.press('Alt+Shift+X');
    await page.getByRole('dialog', { name: 'RAM Hexadecimal View' }).waitFor();
    await student.typeAtEnd('; unsaved');
    await page.keyboard.press('Control+Alt+N');
    await page.getByRole('dialog', { name: 'Question' }).getByRole('button', { name: 'No' }).click();
    await eventually(() => student.editorText(), (text) => text === '', 'an empty source');
  });

  test('a run stands still while a message box waits for OK', async () => {
    await student.typeProgram(Loop);
    await student.chooseFastestClock();
    await student.click('Assemble');
    await student.click('Run F9');
    const bl = () => student.register('BL').textContent();
    await eventually(bl, (text) => text.split(' ')[2] !== '00', 'a running loop');
    await page.getByRole('menuitem', { name: 'Help' }).click();
    await page.getByRole('menuitem', { name: 'About' }).click();
    const box = page.getByRole('dialog', { name: 'Information' });
    await box.waitFor();
    const shown = await student.registers();
    await page.waitForTimeout(300);
    assert.deepEqual(await student.registers(), shown);
    await box.getByRole('button', { name: 'OK' }).click();
    await eventually(() => student.registers(), (r) => r.join() !== shown.join(), 'the run going on');
  });

  test('STOP gives the editor back at once, before the next frame', async () => {
    await student.typeProgram(Loop);
    await student.click('Assemble');
    await student.click('Run F9');
    await eventually(() => page.evaluate(() => window.corvane.editor.view.state.readOnly), Boolean, 'a locked editor');
    const writable = await page.evaluate(() => {
      document.querySelector('button[aria-label="STOP"]').click();
      return !window.corvane.editor.view.state.readOnly;
    });
    assert.ok(writable);
  });
});
