// The page's engine and corvane-cli give the same registers, RAM and status after the same
// number of steps: for every example and for generated programs.

import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { cliRunReport, cliText, parseRunReport, ramLines } from './support/cli.mjs';
import { generatedProgram } from './support/programs.mjs';
import { RepositoryRoot, openPage, sharedSite } from './support/site.mjs';
import { Student } from './support/student.mjs';
import { eventually } from './support/wait.mjs';

const ExamplesFolder = path.join(RepositoryRoot, 'examples');
const Examples = readdirSync(ExamplesFolder).filter((name) => name.endsWith('.asm'));
const ExampleSteps = [1, 40, 1500];
const GeneratedSeeds = Array.from({ length: 40 }, (_, i) => 1000 + i);
// Enough for most generated programs to halt, and for some to be stopped short.
const GeneratedSteps = 150;

// The example as the editor holds it, with "\n" line ends.
const exampleSource = (name) =>
  readFileSync(path.join(ExamplesFolder, name), 'latin1').replaceAll('\r\n', '\n');

// In the page's engine: the program assembled and run for `steps` steps as corvane-cli runs
// it, in a session of its own, for the devices (the lift's car, say) start where the
// command's do; then the session's report text beside the registers' labels and RAM.
function runInPage(page, source, steps) {
  return page.evaluate(
    ({ source, steps }) => {
      const session = new window.corvane.session.constructor();
      try {
        session.SetSource(source);
        const reportText = session.RunReportText(steps);
        return {
          clocks: { clockMs: session.CpuClockInterval(), hwTimerMs: session.HwTimerInterval() },
          reportText,
          registerTexts: Array.from(session.TakeReport().registerTexts),
          ram: Array.from(session.Ram()),
        };
      } finally {
        session.delete();
      }
    },
    { source, steps },
  );
}

async function expectSameAsCli(page, source, steps, name) {
  const actual = await runInPage(page, source, steps);
  const expected = cliRunReport(source, { steps, ...actual.clocks }, name);
  assert.equal(actual.reportText, expected);
  const cli = parseRunReport(expected);
  assert.deepEqual(actual.registerTexts, Object.values(cli.registers));
  assert.deepEqual(ramLines(actual.ram), cli.ram);
}

describe("the page's engine runs programs as corvane-cli does", () => {
  const site = sharedSite();
  let page;
  before(async () => {
    await site.start();
    ({ page } = await openPage(site.browser, site.url));
  });
  after(() => site.stop());

  for (const name of Examples) {
    for (const steps of ExampleSteps) {
      test(`${name} after ${steps} steps`, () =>
        expectSameAsCli(page, exampleSource(name), steps, name));
    }
  }

  for (const seed of GeneratedSeeds) {
    test(`generated program ${seed}`, () =>
      expectSameAsCli(page, generatedProgram(seed), GeneratedSteps, `seed-${seed}.asm`));
  }
});

// A few programs the way a student runs them: typed, assembled and stepped with the button,
// then read off the register labels, the RAM view and the status line.
describe("the page's panels show what corvane-cli reports", () => {
  const site = sharedSite();
  let student;
  before(async () => {
    await site.start();
    student = new Student((await openPage(site.browser, site.url)).page);
    await student.click('Show Ram');
  });
  after(() => site.stop());

  const cases = [
    ['loops.asm', exampleSource('loops.asm'), 30],
    ['generated program 7', generatedProgram(7), 25],
    ['generated program 8', generatedProgram(8), 25],
  ];
  for (const [name, source, steps] of cases) {
    test(`${name} stepped ${steps} times`, async () => {
      const clocks = await student.page.evaluate(() => ({
        clockMs: window.corvane.session.CpuClockInterval(),
        hwTimerMs: window.corvane.session.HwTimerInterval(),
      }));
      const cli = parseRunReport(cliRunReport(source, { steps, ...clocks }));
      // Stepping keeps the editor locked until STOP, as on the desktop.
      await student.click('STOP');
      await student.typeProgram(source);
      await student.click('Assemble');
      for (let i = 0; i < Number(cli.STEPS); ++i) {
        await student.click('Step');
      }
      const registers = Object.values(cli.registers);
      await eventually(() => student.registers(), (shown) => shown.join() === registers.join(), 'the registers');
      const cells = cli.ram.flatMap((line) => line.split(' ').slice(1));
      assert.deepEqual(await student.ramCells(), cells);
      // The status line starts with a space, as the desktop's does; corvane-cli leaves it out.
      assert.equal((await student.statusLine.textContent()).slice(1), cli.STATUS);
    });
  }

  const listed = [
    ['loops.asm', exampleSource('loops.asm')],
    ['a program with a missing operand', '\tMOV\tAL,\n\tEND\n'],
  ];
  for (const [name, source] of listed) {
    test(`the List File and Tokens tabs of ${name}`, async () => {
      await student.click('STOP');
      await student.typeProgram(source);
      await student.click('Assemble');
      const pane = (tab) => student.page.locator(`pre[aria-label="${tab}"]`).textContent();
      await student.openTab('List File');
      assert.equal(await pane('List File'), cliText('assemble', source).replace(/\n$/, ''));
      await student.openTab('Tokens');
      assert.equal(await pane('Tokens'), cliText('tokens', source).replace(/\n$/, ''));
      await student.openTab('Source Code');
    });
  }
});
