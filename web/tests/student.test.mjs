// A student at the page: types a program, assembles, steps and runs it, types at IN 00 and
// clicks the devices, reading what the page shows as they go.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { after, afterEach, before, beforeEach, describe, test } from 'node:test';

import { openPage, RepositoryRoot, sharedSite } from './support/site.mjs';
import { Student } from './support/student.mjs';
import { eventually } from './support/wait.mjs';

const lines = (...text) => `${text.join('\n')}\n`;

const CountToSixteen = lines('\tMOV\tAL,15', '\tADD\tAL,01', '\tMOV\t[C0],AL', '\tHALT', '\tEND');
const EndlessCount = lines('Start:', '\tINC\tAL', '\tMOV\t[C0],AL', '\tJMP\tStart', '\tEND');
const KeyToRam = lines('\tIN\t00', '\tMOV\t[C0],AL', '\tHALT', '\tEND');
// Shows each keypad key pressed on the right seven-segment display.
const KeypadToDisplay = readFileSync(
  path.join(RepositoryRoot, 'examples', 'exercises', 'keypad', 'correct.asm'),
  'latin1',
).replaceAll('\r\n', '\n');

// The top floor's call button, as the lift takes a click on it.
const LiftCalledUp = 0x20;

// Resolves after the page has drawn twice: time for anything still running to show.
function twoFrames(page) {
  return page.evaluate(
    () => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))),
  );
}

describe('a student at the page', () => {
  const site = sharedSite();
  let opened;
  let student;
  before(() => site.start());
  after(() => site.stop());
  beforeEach(async () => {
    opened = await openPage(site.browser, site.url);
    student = new Student(opened.page);
  });
  afterEach(async () => {
    await opened.context.close();
    assert.deepEqual(opened.failures, [], 'the page threw no error');
  });

  test('types a program, assembles it and steps through it', async () => {
    await student.typeProgram(CountToSixteen);
    await student.click('Assemble');
    await student.expectStatus('Success.');
    await student.click('Show Ram');
    await student.click('Step');
    await student.expectRegister('AL', '15');
    await student.expectRegister('IP', '03');
    await student.click('Step');
    await student.expectRegister('AL', '16');
    await student.click('Step');
    await eventually(() => student.ramCells(), (cells) => cells[0xc0] === '16', 'RAM C0 = 16');
    await student.click('Step');
    await student.expectStatus('END  Program has halted.');
  });

  test('runs at the fastest clock with the run log on, and stops', async () => {
    await student.typeProgram(EndlessCount);
    await student.chooseFastestClock();
    await student.writeRunLog();
    await student.click('Assemble');
    await student.click('Run F9');
    await student.openTab('Run Log');
    await eventually(() => student.runLogLines(), (shown) => shown.length > 20, '20 log lines');
    await student.click('STOP');
    const stopped = await student.registers();
    const logged = await student.runLogLines();
    await twoFrames(opened.page);
    assert.deepEqual(await student.registers(), stopped, 'no step after STOP');
    assert.deepEqual(await student.runLogLines(), logged, 'no log line after STOP');
    assert.notEqual(stopped[0], 'AL 00000000 00 +000');
  });

  test('types a key for IN 00', async () => {
    await student.typeProgram(KeyToRam);
    await student.click('Assemble');
    await student.click('Run F9');
    await opened.page.getByRole('dialog', { name: 'Keyboard Input' }).waitFor();
    await opened.page.keyboard.press('A');
    await student.expectRegister('AL', '41');
    await student.expectStatus('END  Program has halted.');
  });

  test('clicks a keypad key, and the program shows it', async (t) => {
    if ((await student.hotAreas('Keypad')).length === 0) {
      t.skip('the engine draws no keypad yet');
      return;
    }
    await student.typeProgram(KeypadToDisplay);
    await student.click('Assemble');
    await student.click('Run F9');
    await student.click('SHOW NUMERIC KEYPAD');
    await student.click('SHOW SEVEN SEGMENT DISPLAYS');
    await student.clickHotArea('Keypad', 0x37);
    await eventually(
      () => student.deviceWords('SevenSegment'),
      (words) => words.endsWith('right digit 7'),
      'a 7 on the display',
    );
  });

  test('calls the lift with its button', async (t) => {
    if ((await student.hotAreas('Lift')).length === 0) {
      t.skip('the engine draws no lift yet');
      return;
    }
    await student.click('SHOW LIFT/ELEVATOR');
    const before = await student.deviceWords('Lift');
    await student.clickHotArea('Lift', LiftCalledUp);
    await eventually(
      () => student.deviceWords('Lift'),
      (words) => words.includes('top call waiting'),
      'the top call waiting',
    );
    assert.doesNotMatch(before, /call waiting/);
  });
});
