// A student at the page: types a program, assembles, steps and runs it, types at IN 00 and
// clicks the devices, reading what the page shows as they go.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { describe, test } from 'node:test';

import { pageEachTest } from './support/pageEachTest.mjs';
import { RepositoryRoot } from './support/site.mjs';
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

// The actions of the pictures' hot areas: the keypad's keys are their characters; the lift's
// top call button is its first action.
const KeypadSeven = '7'.charCodeAt(0);
const LiftCallTop = 1;

// Resolves after the page has drawn twice: time for anything still running to show.
function twoFrames(page) {
  return page.evaluate(
    () => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))),
  );
}

describe('a student at the page', () => {
  let page;
  let student;
  pageEachTest((opened, at) => {
    page = opened;
    student = at;
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
    await twoFrames(page);
    assert.deepEqual(await student.registers(), stopped, 'no step after STOP');
    assert.deepEqual(await student.runLogLines(), logged, 'no log line after STOP');
    assert.notEqual(stopped[0], 'AL 00000000 00 +000');
  });

  test('types a key for IN 00', async () => {
    await student.typeProgram(KeyToRam);
    await student.click('Assemble');
    await student.click('Run F9');
    await page.getByRole('dialog', { name: 'Keyboard Input' }).waitFor();
    await page.keyboard.press('A');
    await student.expectRegister('AL', '41');
    await student.expectStatus('END  Program has halted.');
  });

  test('clicks a keypad key, and the program shows it', async () => {
    await student.typeProgram(KeypadToDisplay);
    await student.click('Assemble');
    await student.click('Run F9');
    // A key pressed before STI only stores its code: wait until the program lets it in.
    const interruptFlag = (text) => (parseInt(text.split(' ')[2], 16) & 0x10) !== 0;
    await eventually(() => student.register('SR').textContent(), interruptFlag, 'interrupts let in');
    // Panels open at the same place: the keypad, shown last, lies on top.
    await student.click('SHOW SEVEN SEGMENT DISPLAYS');
    await student.click('SHOW NUMERIC KEYPAD');
    await student.clickHotArea('Keypad', KeypadSeven);
    await eventually(
      () => student.deviceWords('SevenSegment'),
      (words) => words.endsWith('right digit 7'),
      'a 7 on the display',
    );
  });

  test('types a key on the keypad panel, a hexadecimal letter in lower case too', async () => {
    await student.click('SHOW NUMERIC KEYPAD');
    await page.locator('[data-window="Keypad"]').focus();
    await page.keyboard.press('c');
    assert.match(await student.deviceWords('Keypad'), /last key C$/);
  });

  // The on-screen keyboard's first key has the action 0, which a click must not lose.
  test('clicks the first key of the on-screen keyboard, and types one', async () => {
    await student.click('SHOW KEYBOARD');
    await student.clickHotArea('Keyboard', 0);
    assert.match(await student.deviceWords('Keyboard'), /last key !$/);
    await page.locator('[data-window="Keyboard"]').focus();
    await page.keyboard.press('%');
    assert.match(await student.deviceWords('Keyboard'), /last key %$/);
  });

  test('calls the lift with its button', async () => {
    await student.click('SHOW LIFT/ELEVATOR');
    const before = await student.deviceWords('Lift');
    await student.clickHotArea('Lift', LiftCallTop);
    await eventually(
      () => student.deviceWords('Lift'),
      (words) => words.includes('top call waiting'),
      'the top call waiting',
    );
    assert.doesNotMatch(before, /call waiting/);
  });

  test('shows the screen in the VDU panel', async () => {
    await student.typeProgram(lines('\tMOV\tAL,48', '\tMOV\t[C0],AL', '\tHALT', '\tEND'));
    await student.click('Assemble');
    await student.click('Run F9');
    await student.expectStatus('HALT');
    await student.click('SHOW VDU SCREEN');
    assert.match(await student.deviceWords('Vdu'), /^row 1: H;/);
    const litPixels = await student.picture('Vdu').evaluate((canvas) => {
      const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
      return data.filter((value, i) => i % 4 === 0 && value > 128).length;
    });
    assert.ok(litPixels > 10, `the H drawn white on black (${litPixels} bright pixels)`);
  });

  test('keeps running after a fault in a frame and says so once', async () => {
    await page.evaluate(() => {
      const session = window.corvane.session;
      const take = session.TakeReport.bind(session);
      let faults = 3;
      session.TakeReport = () => {
        if (faults-- > 0) throw new Error('lost report');
        return take();
      };
    });
    await student.expectStatus('lost report');
    await student.typeProgram(CountToSixteen);
    await student.click('Assemble');
    await student.click('Run F9');
    await student.expectRegister('AL', '16');
  });
});
